#include "screen/media/VideoScreenForm.h"

#include "builtins/FileNames.h"
#include "platform/AnsiText.h"
#include "screen/media/MediaSlot.h"

#include <QCloseEvent>
#include <QVBoxLayout>
#include <QVideoSink>
#include <QVideoWidget>

namespace {

// A clip narrower or lower than this leaves the window as it is.
constexpr int SmallestClip = 20;

} // namespace

TVideoScreenForm::TVideoScreenForm(QWidget* parent)
    : QWidget(parent, Qt::Window)
    , captionBase("Quorvatine Video:")
{
    setWindowTitle(platform::toQString(captionBase));
    Panel1 = new QVideoWidget(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Panel1);
    resize(200, 200);
    // Made on the platform at once, so that its position is the frame's.
    create();
    move(0, 0);
}

TVideoScreenForm::~TVideoScreenForm()
{
    disconnect(frames);
}

void TVideoScreenForm::Attach(MediaSlot* slot)
{
    disconnect(frames);
    player = slot;
    if (!slot) return;
    frames = connect(&slot->Sink(), &QVideoSink::videoFrameChanged, Panel1->videoSink(), &QVideoSink::setVideoFrame);
}

void TVideoScreenForm::ShowPlayer(MediaSlot* slot)
{
    Attach(slot);
    if (isVisible()) {
        raise();
        return;
    }
    show();
}

void TVideoScreenForm::ClearPlayer()
{
    Attach(nullptr);
}

void TVideoScreenForm::Reposition(int left, int top, int width, int height)
{
    const QRect frame = FrameRect();
    if (left >= 0 || top >= 0) {
        move(left >= 0 ? left : frame.x(), top >= 0 ? top : frame.y());
        placeAtOrigin = false;
    }
    if (width > 0 || height > 0) {
        // Sized by its frame: the border and caption come off the client area.
        const int extraWidth = frame.width() - this->width();
        const int extraHeight = frame.height() - this->height();
        resize(width > 0 ? std::max(width - extraWidth, 1) : this->width(),
            height > 0 ? std::max(height - extraHeight, 1) : this->height());
        resizeToClip = false;
    }
}

QRect TVideoScreenForm::FrameRect()
{
    // The frame is known once the window exists on the platform.
    if (!testAttribute(Qt::WA_WState_Created)) create();
    return frameGeometry();
}

void TVideoScreenForm::FormShow()
{
    if (!player) return;
    if (placeAtOrigin) move(0, 0);
    if (!resizeToClip) {
        FormResize();
        return;
    }
    const QSize clip = player->frameSize;
    if (clip.width() < SmallestClip || clip.height() < SmallestClip) return;
    resize(clip);
    setWindowTitle(platform::toQString(captionBase + FileNames::NameOf(player->fileName)));
}

void TVideoScreenForm::FormResize()
{
    if (player) player->displaySize = size();
}

void TVideoScreenForm::FormClose()
{
    if (player) player->Close();
    Attach(nullptr);
    resizeToClip = true;
    placeAtOrigin = true;
}

void TVideoScreenForm::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    FormShow();
}

void TVideoScreenForm::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    FormResize();
}

void TVideoScreenForm::closeEvent(QCloseEvent* event)
{
    FormClose();
    event->accept();
}
