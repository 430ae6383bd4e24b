#pragma once

#include "devices/Delays.h"

#include <cstdint>
#include <memory>

// Where tones go: a square wave at the given frequency for ms milliseconds,
// or silence as long (frequency 0). Playing returns when the time is over or
// the stop flag is set.
class ToneOutput {
public:
    virtual ~ToneOutput() = default;
    virtual void Play(double frequency, int64_t ms, Delays::Pump pump, const bool* stop) = 0;
};

// The square wave through the default audio output; silent but as long when
// there is no audio output, the audio module cannot be loaded or the frequency
// is above half the sample rate.
std::unique_ptr<ToneOutput> MakeAudioToneOutput();
