#include "platform/AnsiText.h"
#include "screen/ScreenForm.h"
#include "screen/ScreenPrinter.h"
#include "screen/ScreenWidgets.h"

#include <QPainter>
#include <QPrinter>

// What the simple statement families read from and set on the screen: the
// prompt and input texts, the pen, the mouse, the image's size and where its
// pixels lie on the desktop, and printing the image.

void TScreenForm::SetPromptText(const AnsiString& text)
{
    Label1->setText(platform::toQString(text));
}

void TScreenForm::SetInputText(const AnsiString& text)
{
    InputEditBox_0->setText(platform::toQString(text));
}

bool TScreenForm::ControlBarVisible() const
{
    return !ControlBar1->isHidden();
}

void TScreenForm::MousePosition(int& x, int& y) const
{
    x = mouseX;
    y = mouseY;
}

void TScreenForm::PenPosition(int& x, int& y) const
{
    x = canvas->penPos.x();
    y = canvas->penPos.y();
}

void TScreenForm::ImageSize(int& width, int& height) const
{
    width = canvas->image.width();
    height = canvas->image.height();
}

void TScreenForm::ImagePointOnScreen(int& x, int& y) const
{
    // A headless run has no desktop position; the pixel stands for itself.
    if (headless) return;
    const QPoint global = Image1->mapToGlobal(QPoint(x, y));
    x = global.x();
    y = global.y();
}

void TScreenForm::PrintScreenImage()
{
    if (headless) return;
    QPrinter* printer = ScreenPrinter();
    if (!printer) return;
    QPainter painter;
    if (!painter.begin(printer)) return;
    const QImage& shown = imageCanvas.image;
    const QRect page = painter.viewport();
    const QSize fitted = shown.size().scaled(page.size(), Qt::KeepAspectRatio);
    painter.drawImage(QRect(page.topLeft(), fitted), shown);
}
