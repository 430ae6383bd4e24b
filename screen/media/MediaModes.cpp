#include "screen/media/MediaModes.h"

namespace Media {

int ModeOf(bool open, bool recording, QMediaPlayer::MediaStatus status, QMediaPlayer::PlaybackState state)
{
    if (!open) return NotReady;
    if (recording) return Recording;
    if (!Loaded(status)) return NotReady;
    switch (state) {
    case QMediaPlayer::PlayingState:
        return Playing;
    case QMediaPlayer::PausedState:
        return Paused;
    case QMediaPlayer::StoppedState:
        break;
    }
    return Stopped;
}

bool Loaded(QMediaPlayer::MediaStatus status)
{
    switch (status) {
    case QMediaPlayer::LoadedMedia:
    case QMediaPlayer::StalledMedia:
    case QMediaPlayer::BufferingMedia:
    case QMediaPlayer::BufferedMedia:
    case QMediaPlayer::EndOfMedia:
        return true;
    case QMediaPlayer::NoMedia:
    case QMediaPlayer::LoadingMedia:
    case QMediaPlayer::InvalidMedia:
        break;
    }
    return false;
}

} // namespace Media
