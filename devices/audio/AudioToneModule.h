#pragma once

#include "devices/ToneOutput.h"

// The entry point of the audio module, a shared library of its own beside the
// executable. Qt Multimedia and the sound libraries behind it take a good part
// of a short run's start-up, so only a program that plays a tone loads them.
// The module waits through the caller's own routine: it shares no code with
// the executable but this header's classes.
extern "C" {
using AudioToneWait = void (*)(int64_t ms, Delays::Pump pump, const bool* stop);
using MakeAudioToneOutputEntry = ToneOutput* (*)(AudioToneWait wait);
}

// The name of the module's file and of its one entry point.
constexpr const char* audioModuleFile = "libqv_audio.so";
constexpr const char* audioModuleEntry = "QvMakeAudioToneOutput";
