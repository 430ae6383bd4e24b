#pragma once

#include "base/Values.h"
#include "screen/media/MediaModes.h"
#include "screen/media/MediaPipeline.h"
#include "screen/media/WaveRecording.h"

#include <QImage>
#include <QObject>
#include <QSize>

#include <functional>
#include <memory>

// One media slot's player: a hidden media player that learns the size of the
// clip's first frame and passes frames on to the video window while it shows
// this player. A recording slot holds a wave recording instead of a clip.
class MediaSlot : public QObject {
public:
    // stopped: the run's stop flag, which ends the wait for a clip to load.
    explicit MediaSlot(const bool& stopped);
    ~MediaSlot() override;

    // Closes what the slot held, then opens file and starts it. Returns once
    // the clip has loaded (and, for a video, its first frame's size is known);
    // false when it could not be loaded within the load limit.
    bool Play(const AnsiString& file, bool loop);
    // Closes what the slot held and starts recording for a later Save into
    // file; false without an input device.
    bool Record(const AnsiString& file);
    // Stops and forgets the clip or the recording.
    void Close();
    void Pause();
    void Resume();
    // Writes a recording to its file and closes the slot; false (and nothing
    // done) when the slot is not recording.
    bool Save();

    int Mode() const;
    bool IsOpen() const { return open; }
    // The display rectangle's size: the clip's first frame, or the video
    // window's client area while the window shows this player. Empty for
    // sound.
    QSize displaySize;
    // The size of the clip's first frame, empty for sound.
    QSize frameSize;
    // Media::Kind.
    int Tag = Media::PlayOnce;
    AnsiString fileName;

    MediaPipeline& Player() { return player; }
    // Called when a clip that does not loop has ended and the slot closed.
    std::function<void(MediaSlot*)> onEnded;
    // Called with each frame of the clip's picture (the video window's
    // panel, while the window shows this slot).
    std::function<void(const QImage&)> onFrame;

private:
    void ClipEnded();
    void FrameArrived(const QImage& frame);
    bool WaitUntilLoaded();

    const bool& stopped;
    MediaPipeline player { MediaPipeline::Streams::SoundAndVideo };
    std::unique_ptr<WaveRecording> recording;
    bool open = false;
};
