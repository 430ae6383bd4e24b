#pragma once

#include "base/Values.h"

#include <QTemporaryDir>

#include <functional>
#include <string>

// The media the tests play, made once per test program in a folder of its
// own: a wave file of 400 ms of 440 Hz (8 kHz, 16-bit mono) written by the
// wave writer and one of 5 s, a 64 x 48 and a 32 x 16 video clip (JPEG frames need a
// height of 16 or more) of 20 frames at 10 frames
// a second made by the GStreamer command-line tool, and a file no backend
// can decode.
class MediaFiles {
public:
    static MediaFiles& Get();

    std::string tone;
    std::string longTone;
    std::string clip;
    std::string tinyClip;
    std::string garbage;
    std::string missing;
    // False when the clips could not be made (no gst-launch-1.0).
    bool haveClips = false;
    std::string Path(const std::string& name) const;

private:
    MediaFiles();
    QTemporaryDir folder;
};

// The 16-bit samples of a sine tone.
AnsiString SineSamples(int frequency, int sampleRate, int milliseconds);

// Processes events until done() is true or ms passed; done()'s last answer.
bool WaitUntil(const std::function<bool()>& done, int ms);
