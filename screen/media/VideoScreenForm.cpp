#include "screen/media/VideoScreenForm.h"

#include "platform/AnsiText.h"
#include "screen/media/MediaSlot.h"
#include "screen/media/VideoPanel.h"

#include <QCloseEvent>
#include <QVBoxLayout>
#include <algorithm>

namespace {

// A clip narrower or lower than this leaves the window as it is.
constexpr int SmallestClip = 20;

TVideoScreenForm* madeForm = nullptr;

} // namespace

TVideoScreenForm& VideoScreenForm()
{
    if (!madeForm) madeForm = new TVideoScreenForm;
    return *madeForm;
}

TVideoScreenForm* VideoScreenFormIfMade()
{
    return madeForm;
}

TVideoScreenForm::TVideoScreenForm(QWidget* parent)
    : QWidget(parent, Qt::Window)
    , captionBase("Quorvatine Video:")
{
    setWindowTitle(platform::toQString(captionBase));
    Panel1 = new VideoPanel(this);
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
    if (player) player->onFrame = nullptr;
}

void TVideoScreenForm::Attach(MediaSlot* slot)
{
    if (player) player->onFrame = nullptr;
    // A player the window no longer shows has its clip's own size again.
    if (player && player != slot) player->displaySize = player->frameSize;
    if (player != slot) Panel1->Clear();
    player = slot;
    if (!slot) return;
    VideoPanel* panel = Panel1;
    slot->onFrame = [panel](const QImage& frame) { panel->ShowFrame(frame); };
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
    // A window's place and size stay inside what the window system can hold,
    // so that no rectangle worked out from them passes the int range.
    constexpr int Largest = QWIDGETSIZE_MAX;
    left = std::min(left, Largest);
    top = std::min(top, Largest);
    width = std::min(width, Largest);
    height = std::min(height, Largest);
    const QRect frame = FrameRect();
    QPoint position = frame.topLeft();
    QSize client = pendingClientSize.value_or(size());
    if (left >= 0 || top >= 0) {
        position = QPoint(left >= 0 ? left : frame.x(), top >= 0 ? top : frame.y());
        placeAtOrigin = false;
        move(position);
    }
    if (width > 0 || height > 0) {
        // Sized by its frame: the border and caption come off the client area.
        const int extraWidth = frameGeometry().width() - this->width();
        const int extraHeight = frameGeometry().height() - this->height();
        client = QSize(width > 0 ? std::max(width - extraWidth, 1) : client.width(),
            height > 0 ? std::max(height - extraHeight, 1) : client.height());
        resize(client);
        resizeToClip = false;
    }
    // Some platforms take a hidden window's new geometry only as it is shown
    // (and report the old one until then): it is kept and applied then.
    if (isHidden()) {
        pendingPosition = position;
        pendingClientSize = client;
    }
}

QRect TVideoScreenForm::FrameRect()
{
    // The frame is known once the window exists on the platform.
    if (!testAttribute(Qt::WA_WState_Created)) create();
    QRect frame = frameGeometry();
    if (pendingClientSize) frame.setSize(*pendingClientSize + (frameGeometry().size() - size()));
    if (pendingPosition) frame.moveTopLeft(*pendingPosition);
    return frame;
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
    // The name without its folder (the screen hands over local names).
    const AnsiString& file = player->fileName;
    setWindowTitle(platform::toQString(captionBase + file.substr(file.find_last_of('/') + 1)));
}

void TVideoScreenForm::FormResize()
{
    // Sound has no display: it stays no video whatever the window's size.
    if (player && player->frameSize.isValid()) player->displaySize = size();
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
    if (pendingPosition) move(*pendingPosition);
    if (pendingClientSize) resize(*pendingClientSize);
    pendingPosition.reset();
    pendingClientSize.reset();
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
