#include "screen/media/MediaSlot.h"

#include "platform/AnsiText.h"
#include "platform/Events.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QUrl>
#include <QVideoFrame>

namespace {

QUrl MediaUrl(const AnsiString& file)
{
    return QUrl::fromLocalFile(QFileInfo(platform::toQString(file)).absoluteFilePath());
}

} // namespace

MediaSlot::MediaSlot(const bool& stopFlag)
    : stopped(stopFlag)
{
    connect(&sink, &QVideoSink::videoFrameChanged, this, &MediaSlot::FrameArrived);
    MakePlayer();
}

void MediaSlot::MakePlayer()
{
    // The old player lets go of the output and the sink before the new one
    // takes them.
    player.reset();
    player = std::make_unique<QMediaPlayer>();
    player->setAudioOutput(&output);
    player->setVideoOutput(&sink);
    connect(player.get(), &QMediaPlayer::playbackStateChanged, this, &MediaSlot::StateChanged);
    connect(player.get(), &QMediaPlayer::mediaStatusChanged, this, &MediaSlot::StatusChanged);
    connect(player.get(), &QMediaPlayer::errorOccurred, this, [this] { failed = true; });
}

MediaSlot::~MediaSlot()
{
    open = false;
    recording.reset();
    // Before the output and the sink it uses.
    player.reset();
}

bool MediaSlot::Play(const AnsiString& file, bool loop)
{
    Close();
    if (file.empty()) return false;
    fileName = file;
    Tag = loop ? Media::PlayLoop : Media::PlayOnce;
    frameSize = displaySize = QSize();
    failed = false;
    open = true;
    player->setSource(MediaUrl(file));
    player->play();
    if (WaitUntilLoaded()) return true;
    Close();
    return false;
}

bool MediaSlot::WaitUntilLoaded()
{
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        const QMediaPlayer::MediaStatus status = player->mediaStatus();
        if (failed || status == QMediaPlayer::InvalidMedia || !open) return false;
        if (Media::Loaded(status) && (!player->hasVideo() || frameSize.isValid())) return true;
        if (stopped || clock.elapsed() >= Media::LoadLimitMs) return false;
        platform::WaitForEvents(10);
    }
}

bool MediaSlot::Record(const AnsiString& file)
{
    Close();
    if (file.empty()) return false;
    fileName = file;
    Tag = Media::Record;
    recording = std::make_unique<WaveRecording>();
    if (!recording->Start()) {
        recording.reset();
        return false;
    }
    open = true;
    return true;
}

void MediaSlot::Close()
{
    // Cleared first: dropping the player reports a stopped state, which must
    // not count as a clip's end.
    open = false;
    failed = false;
    recording.reset();
    // A new player rather than a stop: the backend takes a second to stop a
    // pipeline that failed or has not yet reached playing, yet drops it at
    // once with its player.
    MakePlayer();
}

void MediaSlot::Pause()
{
    if (open && !recording) player->pause();
}

void MediaSlot::Resume()
{
    if (open && !recording) player->play();
}

bool MediaSlot::Save()
{
    if (Tag != Media::Record || !recording) return false;
    recording->Stop();
    const bool written = recording->Save(fileName);
    Close();
    return written;
}

int MediaSlot::Mode() const
{
    return Media::ModeOf(open, recording && recording->Active(), player->mediaStatus(), player->playbackState());
}

// The backend reports a clip's end as a stopped state first and the end of
// the media after it: a looping clip restarts on the second, a clip that
// plays once closes on the first.
void MediaSlot::StateChanged(QMediaPlayer::PlaybackState state)
{
    if (!open || recording || state != QMediaPlayer::StoppedState || Tag != Media::PlayOnce) return;
    // Closed once the backend has finished reporting, never inside its report.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (!open || player->playbackState() != QMediaPlayer::StoppedState) return;
            Close();
            if (onEnded) onEnded(this);
        },
        Qt::QueuedConnection);
}

void MediaSlot::StatusChanged(QMediaPlayer::MediaStatus status)
{
    if (!open || status != QMediaPlayer::EndOfMedia || Tag != Media::PlayLoop) return;
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (!open || Tag != Media::PlayLoop) return;
            player->setPosition(0);
            player->play();
        },
        Qt::QueuedConnection);
}

void MediaSlot::FrameArrived(const QVideoFrame& frame)
{
    if (frameSize.isValid() || !frame.isValid() || frame.size().isEmpty()) return;
    frameSize = frame.size();
    if (!displaySize.isValid()) displaySize = frameSize;
}
