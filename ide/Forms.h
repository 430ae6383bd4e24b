#pragma once

class TScreenForm;

// The windows of the environment: the environment creates them when it starts
// and owns them; each pointer is null before that and after they are gone.

// The run-time screen, which every run of the environment prints and draws on.
extern TScreenForm* ScreenForm;
