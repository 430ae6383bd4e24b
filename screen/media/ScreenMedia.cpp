#include "screen/ScreenForm.h"
#include "screen/media/MediaSlot.h"
#include "screen/media/MediaSlots.h"
#include "screen/media/VideoScreenForm.h"
#include "screen/media/WavePlayer.h"

// The run-time screen's media: the numbered slots and the video window they
// share, the wave player, and the placing of the screen and video windows.
// Window metrics are frame metrics: moving and sizing the frame.

MediaSlots& TScreenForm::Media()
{
    if (!mediaSlots) mediaSlots = std::make_unique<MediaSlots>(stopped);
    return *mediaSlots;
}

void TScreenForm::MediaPlay(int slot, const AnsiString& file, bool loop)
{
    Media().Play(slot, file, loop);
}

void TScreenForm::MediaRecord(int slot, const AnsiString& file)
{
    Media().Record(slot, file);
}

int TScreenForm::MediaControl(int slot, int op)
{
    // Nothing to close or ask before the first slot exists.
    if (!mediaSlots) return 0;
    return mediaSlots->Control(slot, op);
}

void TScreenForm::CloseMedia()
{
    if (mediaSlots) mediaSlots->CloseAll();
}

void TScreenForm::PlayWave(const AnsiString& file, bool background, bool loop)
{
    if (!wavePlayer) {
        if (file.empty()) return;
        wavePlayer = std::make_unique<WavePlayer>(stopped);
    }
    wavePlayer->Play(file, background, loop);
}

bool TScreenForm::WaveBusy()
{
    return wavePlayer && wavePlayer->Busy();
}

void TScreenForm::SetVideoWindowMetrics(int left, int top, int width, int height)
{
    Media().VideoWindow().Reposition(left, top, width, height);
}

void TScreenForm::VideoWindowMetrics(int& left, int& top, int& width, int& height)
{
    const QRect frame = Media().VideoWindow().FrameRect();
    left = frame.x();
    top = frame.y();
    width = frame.width();
    height = frame.height();
}

void TScreenForm::RestoreSizeableBorder()
{
    if (sizeableBorder) return;
    sizeableBorder = true;
    setMinimumSize(0, 0);
    // The window still never grows past the size of its first activation.
    if (rememberedWidth > 0)
        setMaximumSize(rememberedWidth, rememberedHeight);
    else
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
}

void TScreenForm::SetScreenMetrics(int left, int top, int width, int height, bool bar, bool sizeable)
{
    hide();
    sizeableBorder = false;
    RestoreSizeableBorder();
    ControlBar1->setVisible(bar);
    const QRect frame = frameGeometry();
    if (left >= 0 || top >= 0) move(left >= 0 ? left : frame.x(), top >= 0 ? top : frame.y());
    if (width > 0 || height > 0) {
        const int extraWidth = frame.width() - this->width();
        const int extraHeight = frame.height() - this->height();
        resize(width > 0 ? std::max(width - extraWidth, 1) : this->width(),
            height > 0 ? std::max(height - extraHeight, 1) : this->height());
    }
    if (!sizeable) {
        // A single fixed border: the window keeps the size it has now.
        setFixedSize(size());
        sizeableBorder = false;
    }
    LayOutChildren();
    show();
}

void TScreenForm::ScreenMetrics(int& left, int& top, int& width, int& height, bool& bar, bool& sizeable)
{
    const QRect frame = frameGeometry();
    left = frame.x();
    top = frame.y();
    width = frame.width();
    height = frame.height();
    bar = ControlBarVisible();
    sizeable = sizeableBorder;
}
