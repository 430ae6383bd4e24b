#include "screen/media/MediaService.h"
#include "screen/media/MediaSlots.h"
#include "screen/media/VideoScreenForm.h"
#include "screen/media/WavePlayer.h"

#include <QRect>

#include <memory>

namespace {

// The slots and the wave player of one run-time screen.
class MediaServices : public MediaService {
public:
    explicit MediaServices(const bool& stopped)
        : slots_(stopped)
        , stoppedFlag(stopped)
    { }

    void Play(int slot, const AnsiString& file, bool loop) override { slots_.Play(slot, file, loop); }
    void Record(int slot, const AnsiString& file) override { slots_.Record(slot, file); }
    int Control(int slot, int op) override { return slots_.Control(slot, op); }
    // Closing the screen silences it: the wave sound stops with the slots.
    void CloseAll() override
    {
        slots_.CloseAll();
        if (wave) wave->Stop();
    }

    void PlayWave(const AnsiString& file, bool background, bool loop) override
    {
        if (!wave) {
            if (file.empty()) return;
            wave = std::make_unique<WavePlayer>(stoppedFlag);
        }
        wave->Play(file, background, loop);
    }
    bool WaveBusy() override { return wave && wave->Busy(); }

    void SetVideoWindowMetrics(int left, int top, int width, int height) override
    {
        slots_.VideoWindow().Reposition(left, top, width, height);
    }
    void VideoWindowMetrics(int& left, int& top, int& width, int& height) override
    {
        const QRect frame = slots_.VideoWindow().FrameRect();
        left = frame.x();
        top = frame.y();
        width = frame.width();
        height = frame.height();
    }

private:
    MediaSlots slots_;
    const bool& stoppedFlag;
    std::unique_ptr<WavePlayer> wave;
};

} // namespace

extern "C" __attribute__((visibility("default"))) MediaService* QvMakeMediaService(const bool* stopped)
{
    return new MediaServices(*stopped);
}
