#include "screen/media/WavePlayer.h"

#include "platform/AnsiText.h"
#include "platform/Events.h"
#include "screen/media/MediaModes.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QUrl>

WavePlayer::WavePlayer(const bool& stopFlag)
    : stopped(stopFlag)
{
    MakePlayer();
}

WavePlayer::~WavePlayer()
{
    // Before the output it uses.
    player.reset();
}

void WavePlayer::MakePlayer()
{
    // The old player lets go of the output before the new one takes it.
    player.reset();
    player = std::make_unique<QMediaPlayer>();
    player->setAudioOutput(&output);
    QMediaPlayer* made = player.get();
    QObject::connect(made, &QMediaPlayer::errorOccurred, [this] { failed = true; });
    // The backend reports the end of the media after the stopped state; a
    // looping sound starts again from there.
    QObject::connect(made, &QMediaPlayer::mediaStatusChanged, [this, made](QMediaPlayer::MediaStatus status) {
        if (status != QMediaPlayer::EndOfMedia || !looping) return;
        QMetaObject::invokeMethod(
            made,
            [this, made] {
                if (!looping) return;
                made->setPosition(0);
                made->play();
            },
            Qt::QueuedConnection);
    });
}

void WavePlayer::Play(const AnsiString& file, bool background, bool loop)
{
    Stop();
    if (file.empty()) return;
    failed = false;
    looping = background && loop;
    player->setSource(QUrl::fromLocalFile(QFileInfo(platform::toQString(file)).absoluteFilePath()));
    player->play();
    if (!background) WaitForEnd();
}

void WavePlayer::WaitForEnd()
{
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        const QMediaPlayer::MediaStatus status = player->mediaStatus();
        if (stopped || failed || status == QMediaPlayer::InvalidMedia || status == QMediaPlayer::EndOfMedia) break;
        if (Media::Loaded(status) && player->playbackState() == QMediaPlayer::StoppedState) break;
        // Until the sound has loaded its duration is unknown; the load limit
        // of the media slots bounds that part.
        const qint64 limit = Media::Loaded(status) ? player->duration() + EndGraceMs : Media::LoadLimitMs;
        if (clock.elapsed() >= limit) break;
        platform::WaitForEvents(10);
    }
    Stop();
}

void WavePlayer::Stop()
{
    looping = false;
    failed = false;
    // A new player rather than a stop: the backend takes a second to stop a
    // pipeline that failed or has not yet reached playing, yet drops it at
    // once with its player.
    MakePlayer();
}

bool WavePlayer::Busy() const
{
    if (failed || player->playbackState() != QMediaPlayer::PlayingState) return false;
    const QMediaPlayer::MediaStatus status = player->mediaStatus();
    return status == QMediaPlayer::LoadingMedia || (Media::Loaded(status) && status != QMediaPlayer::EndOfMedia);
}
