#pragma once

#include "pictures/Picture.h"
#include "support/RandomNumbers.h"
#include "support/regex/RegexFunctions.h"

#include <cstdint>
#include <vector>

// What the built-in functions and statements of one run keep from one call
// to the next: the run owns it, and each evaluator working for the run (its
// own, evaluate's, the debug window's) reaches it through its call frame, so
// that no run sees what another left behind.
struct RunState {
    // The one expression and match result of the regular-expression functions.
    RegexState regex;
    // The generator behind the random function, seedrandom and the robot.
    RandomNumbers::Generator random;
    // The screen blocks that copyscr stores, by slot number (empty when unused).
    std::vector<Picture> storedBitmaps;

    // As a run starts: the regular expressions from the empty pattern, the
    // generator from the seed (the clock's seconds).
    void BeginRun(int32_t seed)
    {
        regex.Reset();
        random.Seed(seed);
    }
};
