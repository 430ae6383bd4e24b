#pragma once

#include "base/Values.h"

// What the run-time screen asks of its media: the numbered slots, the wave
// player and the video window. The service lives in a module of its own
// beside the executable: GStreamer, Qt Multimedia and the libraries behind
// them take a good part of a short run's start-up, so only a program that
// plays or asks about media loads them. The module takes the core (the event
// pump, the text conversion) from the executable that loads it. Every call
// happens on the GUI thread.
class MediaService {
public:
    virtual ~MediaService() = default;
    // See RunScreen's media calls.
    virtual void Play(int slot, const AnsiString& file, bool loop) = 0;
    virtual void Record(int slot, const AnsiString& file) = 0;
    virtual int Control(int slot, int op) = 0;
    // Closes the video window and empties every slot.
    virtual void CloseAll() = 0;
    virtual void PlayWave(const AnsiString& file, bool background, bool loop) = 0;
    virtual bool WaveBusy() = 0;
    virtual void SetVideoWindowMetrics(int left, int top, int width, int height) = 0;
    virtual void VideoWindowMetrics(int& left, int& top, int& width, int& height) = 0;
};

// The module's one entry point: a new service whose waits end when *stopped
// becomes true.
extern "C" {
using MakeMediaServiceEntry = MediaService* (*)(const bool* stopped);
}

constexpr const char* mediaModuleFile = "libqv_media.so";
constexpr const char* mediaModuleEntry = "QvMakeMediaService";
