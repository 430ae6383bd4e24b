#include "screen/media/MediaSlot.h"

#include "platform/Events.h"

#include <QElapsedTimer>

MediaSlot::MediaSlot(const bool& stopFlag)
    : stopped(stopFlag)
{
    player.onEnded = [this] { ClipEnded(); };
    player.onFrame = [this](const QImage& frame) { FrameArrived(frame); };
}

MediaSlot::~MediaSlot()
{
    open = false;
    recording.reset();
    player.onEnded = nullptr;
    player.onFrame = nullptr;
    player.Close();
}

bool MediaSlot::Play(const AnsiString& file, bool loop)
{
    Close();
    if (file.empty()) return false;
    fileName = file;
    Tag = loop ? Media::PlayLoop : Media::PlayOnce;
    frameSize = displaySize = QSize();
    open = true;
    player.SetLooping(loop);
    player.Open(file);
    if (WaitUntilLoaded()) return true;
    Close();
    return false;
}

// Every wait here is bounded by the load limit and the run's stop flag:
// the clip loads on a thread of its own, and nothing here waits for it.
bool MediaSlot::WaitUntilLoaded()
{
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        const QMediaPlayer::MediaStatus status = player.mediaStatus();
        if (player.Failed() || status == QMediaPlayer::InvalidMedia || !open) return false;
        if (Media::Loaded(status)) {
            if (!frameSize.isValid() && player.FrameSize().isValid()) {
                frameSize = player.FrameSize();
                if (!displaySize.isValid()) displaySize = frameSize;
            }
            if (!player.hasVideo() || frameSize.isValid()) return true;
        }
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
    open = false;
    recording.reset();
    // Returns at once: the clip's own thread takes its pipeline down.
    player.Close();
}

void MediaSlot::Pause()
{
    if (open && !recording) player.Pause();
}

void MediaSlot::Resume()
{
    if (open && !recording) player.Play();
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
    return Media::ModeOf(open, recording && recording->Active(), player.mediaStatus(), player.playbackState());
}

// A clip that plays once closes at its end (a looping clip starts again by
// itself and never ends). Reported from the event processing, never from
// inside a statement.
void MediaSlot::ClipEnded()
{
    if (!open || recording || Tag != Media::PlayOnce) return;
    Close();
    if (onEnded) onEnded(this);
}

void MediaSlot::FrameArrived(const QImage& frame)
{
    if (!frameSize.isValid() && !frame.isNull()) {
        frameSize = frame.size();
        if (!displaySize.isValid()) displaySize = frameSize;
    }
    if (onFrame) onFrame(frame);
}
