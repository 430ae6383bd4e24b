#include "devices/TunePlayer.h"

#include <array>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int64_t DigitLimit = 2147483647;

// 440 x 2^((index - 45) / 12) to five significant digits, except two entries
// that the table has always held a hundredth off.
const std::array<float, 84>& FrequencyTable()
{
    static const std::array<float, 84> table = [] {
        std::array<float, 84> values {};
        for (int k = 0; k < 84; ++k) {
            const double exact = 440.0 * std::pow(2.0, (k - 45) / 12.0);
            char text[32];
            std::snprintf(text, sizeof text, "%.5g", exact);
            values[static_cast<size_t>(k)] = std::strtof(text, nullptr);
        }
        values[43] = 391.99f;
        values[44] = 415.31f;
        return values;
    }();
    return table;
}

// Reads the digits at `position` (0-based) as a number that saturates; -1 when
// there are none.
int64_t ReadDigits(const AnsiString& text, size_t& position)
{
    if (position >= text.size() || !std::isdigit(static_cast<unsigned char>(text[position]))) return -1;
    int64_t value = 0;
    while (position < text.size() && std::isdigit(static_cast<unsigned char>(text[position]))) {
        value = std::min(DigitLimit, value * 10 + (text[position] - '0'));
        ++position;
    }
    return value;
}

int SemitoneOf(char letter)
{
    switch (letter) {
    case 'C':
        return 0;
    case 'D':
        return 2;
    case 'E':
        return 4;
    case 'F':
        return 5;
    case 'G':
        return 7;
    case 'A':
        return 9;
    default: // 'B'
        return 11;
    }
}

} // namespace

float TuneFrequency(int index)
{
    if (index < 0 || index >= 84) return 0.0f;
    return FrequencyTable()[static_cast<size_t>(index)];
}

std::vector<TuneStep> ParseTune(const AnsiString& music)
{
    const size_t count = music.size();
    AnsiString text = music + " ";
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));

    std::vector<TuneStep> steps;
    int64_t octave = 4;
    int64_t tempo = 1000;
    int64_t length = 8;
    size_t position = 0;
    while (position < count) {
        const char c = text[position++];
        const bool sharpable = c == 'A' || c == 'C' || c == 'D' || c == 'F' || c == 'G';
        if (sharpable || c == 'E' || c == 'B' || c == 'P') {
            bool sharp = false;
            if (sharpable && text[position] == '#') {
                sharp = true;
                ++position;
            }
            const int64_t number = ReadDigits(text, position);
            if (number >= 1) length = number;
            TuneStep step;
            step.milliseconds = tempo / length;
            if (c != 'P')
                step.frequency = TuneFrequency(static_cast<int>(octave * 12 + SemitoneOf(c) + (sharp ? 1 : 0)));
            steps.push_back(step);
        } else if (c == 'S' || c == 'T') {
            const int64_t number = ReadDigits(text, position);
            if (number < 0) continue;
            if (c == 'S')
                octave = std::min<int64_t>(number, 6);
            else
                tempo = std::max<int64_t>(number, 1);
        }
    }
    return steps;
}
