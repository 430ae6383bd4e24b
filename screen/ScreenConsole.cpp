#include "platform/SystemQueries.h"
#include "screen/ScreenForm.h"

#include "platform/AnsiText.h"
#include "platform/Events.h"
#include "platform/KeyMap.h"
#include "platform/RegularFiles.h"
#include "platform/gui/Colors.h"
#include "screen/InputCodes.h"
#include "screen/ScreenWidgets.h"

#include <QBuffer>
#include <QKeyEvent>
#include <QTimer>

#include <algorithm>
#include <chrono>

// Paints console pieces on the current canvas and echoes them in headless mode.
class TScreenForm::PrintSurface : public ConsoleSurface {
public:
    explicit PrintSurface(TScreenForm& screen)
        : form(screen)
    { }
    // What one print echoes goes out in one write.
    ~PrintSurface() override { echo.WriteTo(form.headlessOut); }

    void ClearScreen() override { form.ClearScreen(-1); }

    void PaintPiece(int column, int row, const AnsiString& piece) override
    {
        if (!piece.empty()) form.canvas->TextOut(column * form.charWidth, row * form.lineHeight, piece);
    }

    // Standard output holds what printedText holds, with "\n" for each CR LF.
    void Printed(const AnsiString& text) override
    {
        if (form.headlessOut) echo.Add(text);
    }

private:
    TScreenForm& form;
    ConsoleEcho echo;
};

void TScreenForm::PrintText(const AnsiString& text, NewLine newLine)
{
    {
        PrintSurface surface(*this);
        PrintConsoleText(*this, Metrics(), text, newLine, surface);
    }
    if (headlessOut) FlushHeadlessOutput(Flush::WhenDue);
}

void TScreenForm::FlushHeadlessOutput(Flush when)
{
    // A flush per print would make printing a system call per line; the
    // output still appears as it is made, a few milliseconds late at most,
    // and at once before anything waits for input. What a print leaves
    // unflushed goes out on a timer, which the run loop's event processing
    // serves, so that a program computing after its last print shows it.
    constexpr auto interval = std::chrono::milliseconds(20);
    const auto now = std::chrono::steady_clock::now();
    if (when == Flush::WhenDue && now - lastHeadlessFlush < interval) {
        if (!headlessFlushPending) {
            headlessFlushPending = true;
            QTimer::singleShot(interval, this, [this] {
                headlessFlushPending = false;
                if (headlessOut) FlushHeadlessOutput(Flush::Now);
            });
        }
        return;
    }
    lastHeadlessFlush = now;
    std::fflush(headlessOut);
}

void TScreenForm::ClearScreen(int colour)
{
    canvas->Fill(colour == -1 ? canvas->brushColor : PaletteColor(colour));
    textRow = 0;
    textColumn = 0;
    UpdateCaption();
}

void TScreenForm::ResetScreen()
{
    // A run always starts drawing on the visible image.
    canvas = &imageCanvas;
    pageMode = false;
    ResetCanvasDefaults(imageCanvas);
    imageCanvas.Fill(defaultBrushColor);
    textRow = 0;
    textColumn = 0;
    UpdateCaption();
    focusedEditName.clear();
}

void TScreenForm::SetHeadless(FILE* out, FILE* in)
{
    headlessOut = out;
    headlessIn = in;
    headless = out || in;
    if (headless && !desktopSize) desktopSize = QSize(1024, 768);
    // The run's desktop queries answer as on a 1024 x 768 desktop with no
    // system clipboard and no key state.
    platform::setHeadlessSystem(headless);
}

bool TScreenForm::SaveImagePng(const AnsiString& fileName) const
{
    // Encoded in memory first: writing through the image's own writer loses
    // the failure of a buffered write (a full disk) or of the close.
    QByteArray encoded;
    QBuffer out(&encoded);
    if (!out.open(QIODevice::WriteOnly) || !imageCanvas.image.save(&out, "PNG")) return false;
    return platform::WriteNamedFile(fileName, encoded.toStdString());
}

void TScreenForm::EndWaitsAtEndOfInput()
{
    *stopFlag = true;
    inputDone = true;
}

AnsiString TScreenForm::ReadHeadlessLine()
{
    if (headlessOut) FlushHeadlessOutput(Flush::Now);
    AnsiString line;
    int c = EOF;
    while (headlessIn && (c = std::fgetc(headlessIn)) != EOF && c != '\n')
        line.push_back(static_cast<char>(c));
    if (c == EOF && line.empty()) {
        EndWaitsAtEndOfInput();
        return line;
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
}

int TScreenForm::ReadHeadlessKey()
{
    if (headlessOut) FlushHeadlessOutput(Flush::Now);
    int c = headlessIn ? std::fgetc(headlessIn) : EOF;
    if (c == EOF) {
        EndWaitsAtEndOfInput();
        return 0;
    }
    // A line end is one press of Enter, whichever way the file ends its lines.
    if (c == '\r') {
        int next = std::fgetc(headlessIn);
        if (next != '\n' && next != EOF) std::ungetc(next, headlessIn);
        return 13;
    }
    if (c == '\n') return 13;
    return KeyCharOf(static_cast<unsigned char>(c));
}

int TScreenForm::WaitForKey()
{
    lastKeyChar = 0;
    latchedKeyChar = 0;
    if (*stopFlag) return 0;
    if (headless) return ReadHeadlessKey();
    while (lastKeyChar == 0 && latchedKeyChar == 0 && !*stopFlag)
        platform::WaitForEvents();
    if (*stopFlag) return 0;
    return lastKeyChar != 0 ? lastKeyChar : latchedKeyChar;
}

int TScreenForm::WaitKeyWithPrompt(const AnsiString& prompt)
{
    InputEditBox_0->clear();
    Label1->setText(platform::toQString(prompt));
    int key = WaitForKey();
    Label1->clear();
    return key;
}

int TScreenForm::PrintAndWaitKey(const AnsiString& text)
{
    canvas->TextOut(textColumn * charWidth, textRow * lineHeight, text);
    int key = WaitForKey();
    textColumn = 0;
    ++textRow;
    return key;
}

AnsiString TScreenForm::InputLine(const AnsiString& prompt)
{
    InputEditBox_0->clear();
    Label1->setText(platform::toQString(prompt));
    inputDone = false;
    inputActive = true;
    if (InputEditBox_0->isVisible() && InputEditBox_0->isEnabled()) InputEditBox_0->setFocus();
    if (headless)
        InputEditBox_0->setText(platform::toQString(*stopFlag ? AnsiString() : ReadHeadlessLine()));
    else
        while (!inputDone && !*stopFlag)
            platform::WaitForEvents();
    Label1->clear();
    inputActive = false;
    AnsiString text = platform::fromQString(InputEditBox_0->text());
    inputHistory.Store(text);
    return text;
}

AnsiString TScreenForm::InputLineInPlace(const AnsiString& prompt)
{
    InputEditBox_00->setStyleSheet(
        QStringLiteral("QLineEdit { border: none; background: %1; color: %2; }")
            .arg(platform::toQColor(canvas->brushColor).name(), platform::toQColor(canvas->penColor).name()));
    InputEditBox_00->setFont(canvas->font);
    if (RowPassesBottom(*this, Metrics())) ClearScreen(-1);
    canvas->TextOut(textColumn * charWidth, textRow * lineHeight, prompt);
    QPoint at = canvas->penPos;
    InputEditBox_00->setGeometry(at.x(), at.y(), std::max(imageWidth - at.x(), 1), lineHeight);
    InputEditBox_00->clear();
    InputEditBox_00->show();
    inputDone = false;
    inputActive = true;
    InputEditBox_00->setFocus();
    if (headless)
        InputEditBox_00->setText(platform::toQString(*stopFlag ? AnsiString() : ReadHeadlessLine()));
    else
        while (!inputDone && !*stopFlag)
            platform::WaitForEvents();
    inputActive = false;
    AnsiString text = platform::fromQString(InputEditBox_00->text());
    inputHistory.Store(text);
    InputEditBox_00->hide();
    canvas->TextOut(at.x(), at.y(), text);
    textColumn = 0;
    ++textRow;
    return text;
}

bool TScreenForm::BrowseHistory(InputBox* box, int typedByte)
{
    if (typedByte == 14) {
        box->setText(platform::toQString(inputHistory.Next()));
        return true;
    }
    if (typedByte == 16) {
        box->setText(platform::toQString(inputHistory.Previous()));
        return true;
    }
    return false;
}

namespace {

int typedByteOfBoxKey(QKeyEvent* event)
{
    int virtualKey = platform::VirtualKeyOf(event->key(), event->modifiers());
    AnsiString text = platform::fromQString(event->text());
    return TypedByteOf(
        virtualKey, platform::ShiftStateOf(event->modifiers()), text.data(), static_cast<int>(text.size()));
}

} // namespace

bool TScreenForm::InputEditBox_0KeyPress(QKeyEvent* event)
{
    if (!inputActive) return true;
    int typed = typedByteOfBoxKey(event);
    if (BrowseHistory(InputEditBox_0, typed)) return true;
    if (typed == 13) {
        inputDone = true;
        lastKeyCode = 13;
        lastKeyChar = 13;
        return true;
    }
    return false;
}

bool TScreenForm::InputEditBox_00KeyPress(QKeyEvent* event)
{
    int typed = typedByteOfBoxKey(event);
    if (BrowseHistory(InputEditBox_00, typed)) return true;
    if (typed == 13) {
        inputDone = true;
        return true;
    }
    return false;
}
