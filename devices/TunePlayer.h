#pragma once

#include "base/Values.h"

#include <cstdint>
#include <vector>

// The music texts of playsong: note letters A to G with sharps (#) and
// lengths (1 whole, 2 half, 4 quarter ...), P rests, S octave (0..6) and T
// tempo (the milliseconds of a whole note). Anything else is skipped.
struct TuneStep {
    // 0 for a rest.
    double frequency = 0;
    int64_t milliseconds = 0;
};

std::vector<TuneStep> ParseTune(const AnsiString& music);

// The frequency of index octave x 12 + semitone (0..83) as the player's table
// holds it.
float TuneFrequency(int index);
