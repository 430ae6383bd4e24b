#include "devices/Modules.h"
#include "screen/ScreenForm.h"
#include "screen/media/MediaService.h"

// The run-time screen's media: the numbered slots and the video window they
// share, the wave player (all in the media module, loaded on first use), and
// the placing of the screen window. Window metrics are frame metrics: moving
// and sizing the frame.

namespace {

// Stands in when the media module cannot be loaded: nothing plays, and
// every query gives 0.
class NoMedia : public MediaService {
public:
    void Play(int, const AnsiString&, bool) override { }
    void Record(int, const AnsiString&) override { }
    int Control(int, int) override { return 0; }
    void CloseAll() override { }
    void PlayWave(const AnsiString&, bool, bool) override { }
    bool WaveBusy() override { return false; }
    void SetVideoWindowMetrics(int, int, int, int) override { }
    void VideoWindowMetrics(int& left, int& top, int& width, int& height) override { left = top = width = height = 0; }
};

} // namespace

MediaService& TScreenForm::MediaServices()
{
    if (!media) {
        auto make = reinterpret_cast<MakeMediaServiceEntry>(LoadModuleEntry(mediaModuleFile, mediaModuleEntry));
        media.reset(make ? make(stopFlag) : nullptr);
        if (!media) media = std::make_unique<NoMedia>();
    }
    return *media;
}

void TScreenForm::MediaPlay(int slot, const AnsiString& file, bool loop)
{
    MediaServices().Play(slot, file, loop);
}

void TScreenForm::MediaRecord(int slot, const AnsiString& file)
{
    MediaServices().Record(slot, file);
}

// Asking or closing before anything played loads nothing: the end of every
// run closes the slots.
int TScreenForm::MediaControl(int slot, int op)
{
    return media ? media->Control(slot, op) : 0;
}

void TScreenForm::CloseMedia()
{
    if (media) media->CloseAll();
}

void TScreenForm::PlayWave(const AnsiString& file, bool background, bool loop)
{
    if (!media && file.empty()) return;
    MediaServices().PlayWave(file, background, loop);
}

bool TScreenForm::WaveBusy()
{
    return media && media->WaveBusy();
}

void TScreenForm::SetVideoWindowMetrics(int left, int top, int width, int height)
{
    MediaServices().SetVideoWindowMetrics(left, top, width, height);
}

void TScreenForm::VideoWindowMetrics(int& left, int& top, int& width, int& height)
{
    MediaServices().VideoWindowMetrics(left, top, width, height);
}
