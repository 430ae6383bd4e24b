#pragma once

#include "base/Values.h"

#include <QImage>
#include <QMediaPlayer>
#include <QObject>
#include <QSize>
#include <QTimer>

#include <functional>
#include <memory>

// One hidden player of media files, built on a GStreamer playbin per clip.
// The GUI thread never calls into a pipeline: each opened clip gets a thread
// of its own that builds the pipeline, changes its states, seeks, reads its
// messages and takes it down, and the two sides meet only in a small state
// record under a mutex that neither holds across a GStreamer call. Setting a
// clip on a busy machine can dead-lock a pipeline between its set-up and its
// streaming threads; here such a pipeline holds only its own thread, never
// the run.
//
// The answers keep the vocabulary of Qt's media player (media status and
// playback state), which the modes of the media statements are written in.
// The playback state is the one asked for: a pause shows at once, as the
// program expects, while the pipeline follows within a few milliseconds.
class MediaPipeline : public QObject {
public:
    enum class Streams { SoundOnly, SoundAndVideo };

    explicit MediaPipeline(Streams streams);
    // Hands an open clip to its thread to take down; never waits for it.
    ~MediaPipeline() override;
    MediaPipeline(const MediaPipeline&) = delete;
    MediaPipeline& operator=(const MediaPipeline&) = delete;

    // Closes the clip held, then opens file (a local name) and starts it
    // playing. Returns at once: the status says when it has loaded.
    void Open(const AnsiString& file);
    // Stops and forgets the clip; the player is ready for the next.
    void Close();
    void Play();
    void Pause();
    // A looping clip starts again from its start at its end and never ends.
    void SetLooping(bool loop);

    QMediaPlayer::MediaStatus mediaStatus() const;
    QMediaPlayer::PlaybackState playbackState() const;
    // True once the clip could not be opened, read or decoded.
    bool Failed() const;
    // True when the loaded clip has a picture.
    bool hasVideo() const;
    // Milliseconds; the duration is 0 until known.
    qint64 position() const;
    qint64 duration() const;
    // The size of the clip's first frame; empty for sound.
    QSize FrameSize() const;

    // Called on the GUI thread from the event processing: a clip that does
    // not loop has played to its end (the state is stopped by then), and a
    // new frame of the picture has come.
    std::function<void()> onEnded;
    std::function<void(const QImage&)> onFrame;

    // How many clips' threads are alive (playing, or taking their pipelines
    // down after a close), and a bounded wait for them all to end.
    static int LiveClips();
    static bool WaitForLiveClips(int ms);

    struct Shared;

private:
    void Poll();

    Streams streams;
    std::shared_ptr<Shared> shared;
    QTimer poller;
    unsigned long long frameShown = 0;
    bool endReported = false;
    bool looping = false;
};
