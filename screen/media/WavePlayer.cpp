#include "screen/media/WavePlayer.h"

#include "interpreter/ProgramFiles.h"
#include "platform/AnsiText.h"
#include "platform/Events.h"
#include "screen/media/MediaModes.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QUrl>

WavePlayer::WavePlayer(const bool& stopFlag)
    : stopped(stopFlag)
{
    player.setAudioOutput(&output);
    QObject::connect(&player, &QMediaPlayer::errorOccurred, [this] { failed = true; });
    // The backend reports the end of the media after the stopped state; a
    // looping sound starts again from there.
    QObject::connect(&player, &QMediaPlayer::mediaStatusChanged, [this](QMediaPlayer::MediaStatus status) {
        if (status != QMediaPlayer::EndOfMedia || !looping) return;
        QMetaObject::invokeMethod(
            &player,
            [this] {
                if (!looping) return;
                player.setPosition(0);
                player.play();
            },
            Qt::QueuedConnection);
    });
}

void WavePlayer::Play(const AnsiString& file, bool background, bool loop)
{
    Stop();
    if (file.empty()) return;
    // Looked up without letter case when the name does not exist as written.
    AnsiString found = ProgramFiles::FindFileIgnoringCase(file);
    if (found.empty()) found = file;
    failed = false;
    looping = background && loop;
    player.setSource(QUrl::fromLocalFile(QFileInfo(platform::toQString(found)).absoluteFilePath()));
    player.play();
    if (!background) WaitForEnd();
}

void WavePlayer::WaitForEnd()
{
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        const QMediaPlayer::MediaStatus status = player.mediaStatus();
        if (stopped || failed || status == QMediaPlayer::InvalidMedia || status == QMediaPlayer::EndOfMedia) break;
        if (Media::Loaded(status) && player.playbackState() == QMediaPlayer::StoppedState) break;
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
    looping = false;
    player.stop();
    player.setSource(QUrl());
}

bool WavePlayer::Busy() const
{
    if (failed || player.playbackState() != QMediaPlayer::PlayingState) return false;
    const QMediaPlayer::MediaStatus status = player.mediaStatus();
    return status == QMediaPlayer::LoadingMedia || (Media::Loaded(status) && status != QMediaPlayer::EndOfMedia);
}
