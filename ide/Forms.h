#pragma once

class TScreenForm;

// The windows of the environment, created when it starts and gone when it
// ends; null outside that span.
// The run-time screen.
extern TScreenForm* ScreenForm;
