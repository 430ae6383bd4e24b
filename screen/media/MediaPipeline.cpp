#include <gst/app/gstappsink.h>
#include <gst/gst.h>
#include <gst/video/video.h>

#include "screen/media/MediaPipeline.h"

#include "platform/AnsiText.h"

#include <QFileInfo>
#include <QUrl>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

// What the GUI asks of a clip's thread and what the thread reports back.
// Every field is read and written under the mutex, which is never held
// across a call into GStreamer: a streaming thread that takes it (to hand
// over a frame) waits only for a copy of a few fields.
struct MediaPipeline::Shared {
    std::mutex lock;
    // Asked: the state (each request bumps its number), looping, the end.
    bool playing = true;
    unsigned requestNumber = 0;
    bool looping = false;
    bool quit = false;
    // Reported.
    QMediaPlayer::MediaStatus status = QMediaPlayer::LoadingMedia;
    bool failed = false;
    bool ended = false;
    bool video = false;
    qint64 position = 0;
    qint64 duration = 0;
    QSize frameSize;
    QImage frame;
    unsigned long long frameNumber = 0;
};

namespace {

// playbin's flags: video, audio and its own volume (no subtitles, no
// visualisation for sound).
constexpr guint PlayVideo = 0x1;
constexpr guint PlayAudio = 0x2;
constexpr guint PlaySoftVolume = 0x10;

// How often a clip's thread looks at its requests when the pipeline says
// nothing: the latency of a pause, a resume or a close, and the age of the
// position reported.
constexpr GstClockTime RequestPoll = 20 * GST_MSECOND;

// The clips' threads alive, so that the end of the program can give them a
// moment to take their pipelines down.
std::mutex liveLock;
std::condition_variable liveChanged;
int liveClips = 0;

struct LiveClipsAtExit {
    // A pipeline half taken down at exit would not matter to the system,
    // but its sound device would be dropped rather than closed.
    ~LiveClipsAtExit() { MediaPipeline::WaitForLiveClips(2000); }
} liveClipsAtExit;

bool GStreamerReady()
{
    static std::once_flag once;
    static bool ready = false;
    std::call_once(once, [] { ready = gst_init_check(nullptr, nullptr, nullptr); });
    return ready;
}

qint64 Milliseconds(gint64 nanoseconds)
{
    return nanoseconds < 0 ? 0 : static_cast<qint64>(nanoseconds / GST_MSECOND);
}

// Copies a video sample (BGRx, as the sink's caps ask) into the shared
// record as the latest frame.
void TakeFrame(MediaPipeline::Shared& shared, GstSample* sample)
{
    GstCaps* caps = gst_sample_get_caps(sample);
    GstBuffer* buffer = gst_sample_get_buffer(sample);
    GstVideoInfo info;
    if (!caps || !buffer || !gst_video_info_from_caps(&info, caps)) return;
    GstVideoFrame mapped;
    if (!gst_video_frame_map(&mapped, &info, buffer, GST_MAP_READ)) return;
    const int width = GST_VIDEO_FRAME_WIDTH(&mapped);
    const int height = GST_VIDEO_FRAME_HEIGHT(&mapped);
    const QImage view(static_cast<const uchar*>(GST_VIDEO_FRAME_PLANE_DATA(&mapped, 0)), width, height,
        GST_VIDEO_FRAME_PLANE_STRIDE(&mapped, 0), QImage::Format_RGB32);
    QImage copy = view.copy();
    gst_video_frame_unmap(&mapped);
    if (copy.isNull()) return;
    std::lock_guard guard(shared.lock);
    if (!shared.frameSize.isValid()) shared.frameSize = copy.size();
    shared.frame = std::move(copy);
    ++shared.frameNumber;
}

GstFlowReturn PrerollArrived(GstAppSink* sink, gpointer data)
{
    if (GstSample* sample = gst_app_sink_pull_preroll(sink)) {
        TakeFrame(**static_cast<std::shared_ptr<MediaPipeline::Shared>*>(data), sample);
        gst_sample_unref(sample);
    }
    return GST_FLOW_OK;
}

GstFlowReturn SampleArrived(GstAppSink* sink, gpointer data)
{
    if (GstSample* sample = gst_app_sink_pull_sample(sink)) {
        TakeFrame(**static_cast<std::shared_ptr<MediaPipeline::Shared>*>(data), sample);
        gst_sample_unref(sample);
    }
    return GST_FLOW_OK;
}

void ForgetSharedCopy(gpointer data)
{
    delete static_cast<std::shared_ptr<MediaPipeline::Shared>*>(data);
}

// A sink that hands each frame to the shared record: it never blocks its
// streaming thread on the GUI (one frame kept, older ones dropped).
GstElement* MakeFrameSink(const std::shared_ptr<MediaPipeline::Shared>& shared)
{
    GstElement* sink = gst_element_factory_make("appsink", nullptr);
    if (!sink) return nullptr;
    GstCaps* caps = gst_caps_new_simple("video/x-raw", "format", G_TYPE_STRING, "BGRx", nullptr);
    gst_app_sink_set_caps(GST_APP_SINK(sink), caps);
    gst_caps_unref(caps);
    g_object_set(sink, "max-buffers", 1u, "drop", TRUE, "sync", TRUE, "enable-last-sample", FALSE, nullptr);
    GstAppSinkCallbacks callbacks {};
    callbacks.new_preroll = PrerollArrived;
    callbacks.new_sample = SampleArrived;
    gst_app_sink_set_callbacks(
        GST_APP_SINK(sink), &callbacks, new std::shared_ptr<MediaPipeline::Shared>(shared), ForgetSharedCopy);
    return sink;
}

void Fail(MediaPipeline::Shared& shared)
{
    std::lock_guard guard(shared.lock);
    shared.failed = true;
    shared.status = QMediaPlayer::InvalidMedia;
}

// Answers one message of the pipeline; true when the clip ended and should
// start again from its start.
bool TakeMessage(GstElement* pipeline, GstMessage* message, MediaPipeline::Shared& shared)
{
    switch (GST_MESSAGE_TYPE(message)) {
    case GST_MESSAGE_ERROR:
        Fail(shared);
        break;
    case GST_MESSAGE_EOS: {
        std::lock_guard guard(shared.lock);
        if (shared.looping) return true;
        shared.ended = true;
        shared.status = QMediaPlayer::EndOfMedia;
        break;
    }
    case GST_MESSAGE_ASYNC_DONE: {
        if (GST_MESSAGE_SRC(message) != GST_OBJECT(pipeline)) break;
        gint videoStreams = 0;
        g_object_get(pipeline, "n-video", &videoStreams, nullptr);
        gint64 length = -1;
        gst_element_query_duration(pipeline, GST_FORMAT_TIME, &length);
        std::lock_guard guard(shared.lock);
        shared.video = videoStreams > 0;
        if (length > 0) shared.duration = Milliseconds(length);
        if (shared.status == QMediaPlayer::LoadingMedia) shared.status = QMediaPlayer::BufferedMedia;
        break;
    }
    default:
        break;
    }
    return false;
}

// The life of one clip, on a thread of its own: build the pipeline, follow
// the requests and the pipeline's messages until the clip is closed, take
// the pipeline down. Only this thread changes the pipeline's state, seeks or
// waits for it.
void RunClip(std::shared_ptr<MediaPipeline::Shared> shared, std::string uri, MediaPipeline::Streams streams)
{
    GstElement* pipeline = gst_element_factory_make("playbin", nullptr);
    if (pipeline) {
        const bool video = streams == MediaPipeline::Streams::SoundAndVideo;
        g_object_set(
            pipeline, "uri", uri.c_str(), "flags", (video ? PlayVideo : 0) | PlayAudio | PlaySoftVolume, nullptr);
        if (GstElement* audio = gst_element_factory_make("autoaudiosink", nullptr))
            g_object_set(pipeline, "audio-sink", audio, nullptr);
        if (video) {
            if (GstElement* frames = MakeFrameSink(shared)) g_object_set(pipeline, "video-sink", frames, nullptr);
        }
        GstBus* bus = gst_element_get_bus(pipeline);
        unsigned applied = ~0u;
        for (;;) {
            bool playing = true;
            unsigned request = 0;
            {
                std::lock_guard guard(shared->lock);
                if (shared->quit) break;
                playing = shared->playing;
                request = shared->requestNumber;
            }
            if (request != applied) {
                applied = request;
                if (gst_element_set_state(pipeline, playing ? GST_STATE_PLAYING : GST_STATE_PAUSED)
                    == GST_STATE_CHANGE_FAILURE)
                    Fail(*shared);
            }
            bool restart = false;
            for (GstMessage* message = gst_bus_timed_pop(bus, RequestPoll); message; message = gst_bus_pop(bus)) {
                restart = TakeMessage(pipeline, message, *shared) || restart;
                gst_message_unref(message);
            }
            if (restart) gst_element_seek_simple(pipeline, GST_FORMAT_TIME, GST_SEEK_FLAG_FLUSH, 0);
            gint64 position = -1;
            if (gst_element_query_position(pipeline, GST_FORMAT_TIME, &position)) {
                std::lock_guard guard(shared->lock);
                shared->position = Milliseconds(position);
            }
        }
        gst_element_set_state(pipeline, GST_STATE_NULL);
        gst_object_unref(bus);
        gst_object_unref(pipeline);
    } else {
        Fail(*shared);
    }
    shared.reset();
    std::lock_guard guard(liveLock);
    --liveClips;
    liveChanged.notify_all();
}

} // namespace

MediaPipeline::MediaPipeline(Streams kind)
    : streams(kind)
{
    poller.setInterval(10);
    connect(&poller, &QTimer::timeout, this, &MediaPipeline::Poll);
}

MediaPipeline::~MediaPipeline()
{
    Close();
}

void MediaPipeline::Open(const AnsiString& file)
{
    Close();
    shared = std::make_shared<Shared>();
    shared->looping = looping;
    poller.start();
    if (!GStreamerReady()) {
        Fail(*shared);
        return;
    }
    const QString path = QFileInfo(platform::toQString(file)).absoluteFilePath();
    const std::string uri = QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded).toStdString();
    {
        std::lock_guard guard(liveLock);
        ++liveClips;
    }
    std::thread(RunClip, shared, uri, streams).detach();
}

void MediaPipeline::Close()
{
    poller.stop();
    frameShown = 0;
    endReported = false;
    if (!shared) return;
    {
        std::lock_guard guard(shared->lock);
        shared->quit = true;
    }
    shared.reset();
}

void MediaPipeline::Play()
{
    if (!shared) return;
    std::lock_guard guard(shared->lock);
    if (shared->ended) return;
    shared->playing = true;
    ++shared->requestNumber;
}

void MediaPipeline::Pause()
{
    if (!shared) return;
    std::lock_guard guard(shared->lock);
    if (shared->ended) return;
    shared->playing = false;
    ++shared->requestNumber;
}

void MediaPipeline::SetLooping(bool loop)
{
    looping = loop;
    if (!shared) return;
    std::lock_guard guard(shared->lock);
    shared->looping = loop;
}

QMediaPlayer::MediaStatus MediaPipeline::mediaStatus() const
{
    if (!shared) return QMediaPlayer::NoMedia;
    std::lock_guard guard(shared->lock);
    return shared->status;
}

QMediaPlayer::PlaybackState MediaPipeline::playbackState() const
{
    if (!shared) return QMediaPlayer::StoppedState;
    std::lock_guard guard(shared->lock);
    if (shared->ended) return QMediaPlayer::StoppedState;
    return shared->playing ? QMediaPlayer::PlayingState : QMediaPlayer::PausedState;
}

bool MediaPipeline::Failed() const
{
    if (!shared) return false;
    std::lock_guard guard(shared->lock);
    return shared->failed;
}

bool MediaPipeline::hasVideo() const
{
    if (!shared) return false;
    std::lock_guard guard(shared->lock);
    return shared->video;
}

qint64 MediaPipeline::position() const
{
    if (!shared) return 0;
    std::lock_guard guard(shared->lock);
    return shared->position;
}

qint64 MediaPipeline::duration() const
{
    if (!shared) return 0;
    std::lock_guard guard(shared->lock);
    return shared->duration;
}

QSize MediaPipeline::FrameSize() const
{
    if (!shared) return {};
    std::lock_guard guard(shared->lock);
    return shared->frameSize;
}

void MediaPipeline::Poll()
{
    if (!shared) return;
    QImage frame;
    unsigned long long number = 0;
    bool ended = false;
    {
        std::lock_guard guard(shared->lock);
        ended = shared->ended;
        number = shared->frameNumber;
        if (number != frameShown) frame = shared->frame;
    }
    if (number != frameShown) {
        frameShown = number;
        if (onFrame) onFrame(frame);
    }
    // Last: the handler may close this clip.
    if (ended && !endReported) {
        endReported = true;
        if (onEnded) onEnded();
    }
}

int MediaPipeline::LiveClips()
{
    std::lock_guard guard(liveLock);
    return liveClips;
}

bool MediaPipeline::WaitForLiveClips(int ms)
{
    std::unique_lock guard(liveLock);
    return liveChanged.wait_for(guard, std::chrono::milliseconds(ms), [] { return liveClips == 0; });
}
