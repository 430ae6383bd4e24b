#pragma once

#include "base/Values.h"
#include "screen/media/MediaPipeline.h"

// The system's wave player of playwav and wavbusy: one hidden media player
// for sound apart from the media slots.
class WavePlayer {
public:
    // stopped: the run's stop flag, which ends a synchronous play.
    explicit WavePlayer(const bool& stopped);

    // Plays file from its start. In the background the call returns at once
    // (and the sound loops when loop is true); otherwise it returns when the
    // sound has ended or failed, the run stopped, or the sound's duration
    // plus EndGraceMs has passed, whatever the player reports.
    void Play(const AnsiString& file, bool background, bool loop);
    void Stop();
    // True while a sound started here is playing.
    bool Busy() const;

    static constexpr int EndGraceMs = 2000;

private:
    void WaitForEnd();

    const bool& stopped;
    MediaPipeline player { MediaPipeline::Streams::SoundOnly };
};
