#include "screen/media/WavePlayer.h"

#include "platform/Events.h"
#include "screen/media/MediaModes.h"

#include <QElapsedTimer>

WavePlayer::WavePlayer(const bool& stopFlag)
    : stopped(stopFlag)
{ }

void WavePlayer::Play(const AnsiString& file, bool background, bool loop)
{
    Stop();
    if (file.empty()) return;
    player.SetLooping(background && loop);
    player.Open(file);
    if (!background) WaitForEnd();
}

void WavePlayer::WaitForEnd()
{
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        const QMediaPlayer::MediaStatus status = player.mediaStatus();
        if (stopped || player.Failed() || status == QMediaPlayer::InvalidMedia || status == QMediaPlayer::EndOfMedia)
            break;
        // Until the sound has loaded its duration is unknown; the load limit
        // of the media slots bounds that part.
        const qint64 limit = Media::Loaded(status) ? player.duration() + EndGraceMs : Media::LoadLimitMs;
        if (clock.elapsed() >= limit) break;
        platform::WaitForEvents(10);
    }
    Stop();
}

void WavePlayer::Stop()
{
    player.SetLooping(false);
    // Returns at once: the sound's own thread takes its pipeline down.
    player.Close();
}

bool WavePlayer::Busy() const
{
    if (player.Failed() || player.playbackState() != QMediaPlayer::PlayingState) return false;
    const QMediaPlayer::MediaStatus status = player.mediaStatus();
    return status == QMediaPlayer::LoadingMedia || (Media::Loaded(status) && status != QMediaPlayer::EndOfMedia);
}
