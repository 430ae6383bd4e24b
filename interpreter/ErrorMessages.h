#pragma once

// The messages of the run-time errors, indexed by error number. Texts are kept
// exactly as users have always seen them, misspellings and trailing blanks
// included.
constexpr int ErrorMessageCount = 96;
extern const char* const ErrorMessages[ErrorMessageCount];
