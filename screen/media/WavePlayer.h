#pragma once

#include "base/Values.h"

#include <QAudioOutput>
#include <QMediaPlayer>

#include <memory>

// The system's wave player of playwav and wavbusy: one hidden media player
// apart from the media slots. (A sound effect object would be lighter, but
// without an audio device it never reports its end.)
class WavePlayer {
public:
    // stopped: the run's stop flag, which ends a synchronous play.
    explicit WavePlayer(const bool& stopped);
    ~WavePlayer();

    // Plays file from its start. In the background the call returns at once
    // (and the sound loops when loop is true); otherwise it returns when the
    // sound has ended or failed, the run stopped, or the sound's duration
    // plus EndGraceMs has passed, whatever the backend reports.
    void Play(const AnsiString& file, bool background, bool loop);
    void Stop();
    // True while a sound started here is playing.
    bool Busy() const;

    static constexpr int EndGraceMs = 2000;

private:
    void WaitForEnd();
    void MakePlayer();

    const bool& stopped;
    std::unique_ptr<QMediaPlayer> player;
    QAudioOutput output;
    bool looping = false;
    bool failed = false;
};
