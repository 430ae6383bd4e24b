#pragma once

// Thrown by a built-in function when the class library or the system fails
// under it (a text that cannot be made, a rejected format pattern). The call
// frame catches it and gives the call its catch result; a run-time error of the
// program is never reported this way.
struct LibraryFailure {
    const char* what;
};
