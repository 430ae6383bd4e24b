#pragma once

#include <QMediaPlayer>

// The numbers the media statements and functions speak in, and the one rule
// that turns a player's state into a mode. Plain functions, so that tests
// check the rule without playing anything.
namespace Media {

// The modes op 3 reports. Seeking (4) and open (6) are never produced: a
// seek is not offered, and a clip counts as stopped once it has loaded.
enum ModeCode {
    NotReady = 0,
    Stopped = 1,
    Playing = 2,
    Recording = 3,
    Paused = 5,
};

// A slot's Tag: what it was opened for.
enum Kind { PlayOnce = 0, PlayLoop = 1, Record = 2 };

// The highest slot a program may use: slots grow on demand, never without
// bound.
constexpr int HighestSlot = 1023;

// How long a clip may take to load before its slot is emptied.
constexpr int LoadLimitMs = 5000;

// The mode of a slot. The player reports an undecodable or missing file
// through its media status and leaves the playback state at playing, so the
// status is asked before the state.
int ModeOf(bool open, bool recording, QMediaPlayer::MediaStatus status, QMediaPlayer::PlaybackState state);

// True once a clip's media status says it can be played (or has been).
bool Loaded(QMediaPlayer::MediaStatus status);

} // namespace Media
