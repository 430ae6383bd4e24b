#include "tests/support/RunHarness.h"

#include "platform/AnsiText.h"
#include "platform/KeyMap.h"
#include "platform/MessageBoxes.h"
#include "platform/gui/Colors.h"
#include "screen/ScreenForm.h"
#include "screen/ScreenWidgets.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLayout>
#include <QMouseEvent>
#include <QPointer>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <vector>

namespace {

void sendKey(QWidget* target, QEvent::Type type, int key, Qt::KeyboardModifiers modifiers, const QString& text = {})
{
    QKeyEvent event(type, key, modifiers, text);
    QCoreApplication::sendEvent(target, &event);
}

void clickKey(QWidget* target, int key, Qt::KeyboardModifiers modifiers, const QString& text = {})
{
    sendKey(target, QEvent::KeyPress, key, modifiers, text);
    sendKey(target, QEvent::KeyRelease, key, modifiers, text);
}

void sendMouse(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons buttons,
    Qt::KeyboardModifiers modifiers)
{
    QMouseEvent event(type, QPointF(at), QPointF(target->mapToGlobal(at)), button, buttons, modifiers);
    QCoreApplication::sendEvent(target, &event);
}

// Runs action once the wait that follows has started.
void whenWaiting(std::function<void()> action)
{
    QTimer::singleShot(0, std::move(action));
}

class ScreenFormTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        form = std::make_unique<TScreenForm>();
        form->SetDesktopSize(QSize(1024, 768));
        form->PrepareForRun();
        // Let the window system's activation arrive before the test begins.
        for (int k = 0; k < 5; ++k)
            QCoreApplication::processEvents();
        form->FormActivate();
        form->ResetScreen();
    }
    void TearDown() override { platform::setMessageBoxes(nullptr); }

    int pixel(int x, int y) const { return platform::fromQRgb(form->imageCanvas.image.pixel(x, y)); }

    // The number of pixels in rect that differ from the white background.
    int inkIn(const QRect& rect) const
    {
        int count = 0;
        for (int y = rect.top(); y <= rect.bottom(); ++y)
            for (int x = rect.left(); x <= rect.right(); ++x)
                count += pixel(x, y) != 0xFFFFFF;
        return count;
    }

    std::unique_ptr<TScreenForm> form;
};

} // namespace

TEST(ScreenFormSizing, DesktopSizeDecidesTheImage)
{
    TScreenForm big;
    big.SetDesktopSize(QSize(1024, 768));
    big.FormActivate();
    EXPECT_EQ(big.imageWidth, 800);
    EXPECT_EQ(big.imageHeight, 600);
    EXPECT_EQ(big.imageCanvas.image.size(), QSize(800, 600));
    EXPECT_EQ(big.ScreenPageBitmap.image.size(), QSize(800, 600));
    EXPECT_EQ(big.width(), 828);
    EXPECT_EQ(big.lineHeight, 17);
    EXPECT_EQ(big.charWidth, 9);
    EXPECT_EQ(big.columns, 88);
    EXPECT_EQ(big.canvas->TextHeight("X"), big.lineHeight); // painted rows tile without overlap
    EXPECT_FALSE(big.firstActivation);

    TScreenForm small;
    small.SetDesktopSize(QSize(800, 600));
    small.FormActivate();
    EXPECT_EQ(small.height(), 570 - small.ControlBar1->height());
    EXPECT_EQ(small.width(), 792);
    EXPECT_EQ(small.imageWidth, 764);
    EXPECT_EQ(small.columns, 764 / 9);
    // The form never grows past the size of its first activation.
    small.resize(900, 700);
    EXPECT_EQ(small.size(), QSize(792, 570 - small.ControlBar1->height()));
}

// Shrunk as far as it goes, the window still shows every tool button and the
// input box side by side, with the tool bar below a row of the image.
TEST(ScreenFormSizing, ShrinkingStopsBeforeTheToolBarCrowds)
{
    TScreenForm form;
    form.SetDesktopSize(QSize(1024, 768));
    form.PrepareForRun();
    form.resize(60, 20);
    QCoreApplication::processEvents();
    EXPECT_GE(form.height(), form.ControlBar1->height() + form.lineHeight);
    EXPECT_GE(form.ControlBar1->y(), form.lineHeight);
    std::vector<QRect> parts;
    for (QWidget* part : { static_cast<QWidget*>(form.InputEditBox_0), static_cast<QWidget*>(form.PrintScreen),
             static_cast<QWidget*>(form.CutTextBuffer), static_cast<QWidget*>(form.ClearTextBuffer),
             static_cast<QWidget*>(form.ViewEditor), static_cast<QWidget*>(form.HoltProgram),
             static_cast<QWidget*>(form.DebugON), static_cast<QWidget*>(form.TurnSteppingOn) }) {
        const QRect at = part->geometry();
        EXPECT_GE(at.width(), part->minimumSizeHint().width()) << part->objectName().toStdString();
        EXPECT_LE(at.right(), form.ControlBar1->width()) << part->objectName().toStdString();
        for (const QRect& other : parts)
            EXPECT_FALSE(at.intersects(other)) << part->objectName().toStdString();
        parts.push_back(at);
    }
    // A program's own window without the tool bar may be smaller.
    form.SetScreenMetrics(-1, -1, 200, 150, false, true);
    EXPECT_LT(form.width(), form.ControlBar1->minimumSizeHint().width());
}

TEST(ScreenFormSizing, ConstructionState)
{
    TScreenForm fresh;
    EXPECT_TRUE(fresh.stopped);
    EXPECT_EQ(fresh.windowTitle, "Quorvatine Interactive Terminal Screen");
    EXPECT_EQ(fresh.Buttons.controls.capacity, 10);
    EXPECT_EQ(fresh.Timers.names.items[9], "");
    EXPECT_EQ(fresh.PrintScreen->toolTip(), "Print Terminal Screen");
    EXPECT_EQ(fresh.ViewEditor->toolTip(), "Bring EDitor Window To Top");
    EXPECT_EQ(fresh.HoltProgram->toolTip(), "Stop Running Program");
    EXPECT_EQ(fresh.CutTextBuffer->toolTip(), "Copy Text To Clip Board");
    EXPECT_EQ(fresh.ClearTextBuffer->toolTip(), "Clear Text Buffer");
    EXPECT_EQ(fresh.DebugON->toolTip(), "Turn Debug On");
    EXPECT_EQ(fresh.TurnSteppingOn->toolTip(), "Turn Stepping On");
}

TEST_F(ScreenFormTest, PaletteIsNormalisedAndResolvesColours)
{
    EXPECT_EQ(form->palette[9], 0xFFAC00);
    EXPECT_EQ(form->PaletteColor(4), 0x0000FF);
    EXPECT_EQ(form->PaletteColor(16), 16);
    EXPECT_EQ(form->PaletteColor(-1), -1);
    EXPECT_EQ(form->PaletteIndexOf(0xFFFFFF), 15);
    EXPECT_EQ(form->PaletteIndexOf(0x123456), 0x123456);
    // A palette colour painted on the screen reads back as the same entry.
    for (int k = 0; k < 16; ++k) {
        form->ClearScreen(k);
        EXPECT_EQ(form->PaletteIndexOf(pixel(5, 5)), k);
    }
    EXPECT_EQ(form->canvas->brushColor, 0xFFFFFF); // ClearScreen keeps the background colour
}

TEST_F(ScreenFormTest, TextIsPaintedInExactColoursAtTheCursor)
{
    form->canvas->fontColor = 0x0000FF;
    form->canvas->brushColor = 0x00FF00;
    form->textRow = 2;
    form->PrintText("Hello", NewLine::Yes);
    int fontPixels = 0;
    for (int y = 34; y < 51; ++y) {
        for (int x = 0; x < 45; ++x) {
            int colour = pixel(x, y);
            ASSERT_TRUE(colour == 0x0000FF || colour == 0x00FF00) << x << "," << y;
            fontPixels += colour == 0x0000FF;
        }
    }
    EXPECT_GT(fontPixels, 20);
    EXPECT_EQ(pixel(46, 40), 0xFFFFFF); // nothing past the text
    EXPECT_EQ(form->textRow, 3);
    EXPECT_EQ(form->printedText, "Hello\r\n");
}

TEST_F(ScreenFormTest, RowThirtyFiveClearsTheScreenFirst)
{
    form->textRow = 34;
    form->PrintText("row 34", NewLine::Yes);
    EXPECT_GT(inkIn(QRect(0, 34 * 17, 54, 17)), 0);
    form->canvas->brushColor = 0xFF0000;
    form->PrintText("X", NewLine::No);
    EXPECT_EQ(form->textRow, 0);
    EXPECT_EQ(pixel(1, 34 * 17 + 8), 0xFF0000); // cleared with the brush colour
    EXPECT_EQ(pixel(53, 34 * 17 + 8), 0xFF0000);
}

TEST_F(ScreenFormTest, KeysSetCodesUntilReleased)
{
    QWidget* target = form->DummyEdit;
    sendKey(target, QEvent::KeyPress, Qt::Key_A, Qt::ControlModifier, QString(QChar(1)));
    EXPECT_EQ(form->GetKeyCode(), 4065);
    EXPECT_EQ(form->GetKeyChar(), 1);
    EXPECT_TRUE(platform::KeyIsDown(65));
    sendKey(target, QEvent::KeyRelease, Qt::Key_A, Qt::ControlModifier, QString(QChar(1)));
    EXPECT_EQ(form->GetKeyCode(), 0);
    EXPECT_EQ(form->GetKeyChar(), 0);
    EXPECT_FALSE(platform::KeyIsDown(65));

    sendKey(target, QEvent::KeyPress, Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(form->GetKeyCode(), 5065);
    sendKey(target, QEvent::KeyPress, Qt::Key_Eacute, Qt::NoModifier, QString::fromUtf8("\u00e9"));
    EXPECT_EQ(form->GetKeyChar(), -23);
    sendKey(target, QEvent::KeyRelease, Qt::Key_Eacute, Qt::NoModifier);
}

TEST_F(ScreenFormTest, MouseStateCodes)
{
    QWidget* image = form->Image1;
    sendMouse(image, QEvent::MouseMove, QPoint(30, 40), Qt::NoButton, Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_EQ(form->mouseX, 30);
    EXPECT_EQ(form->mouseY, 40);
    EXPECT_EQ(form->mouseButtons, 0); // tracking is off until the first press
    sendMouse(image, QEvent::MouseButtonPress, QPoint(30, 40), Qt::LeftButton, Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_EQ(form->mouseButtons, 11);
    sendMouse(image, QEvent::MouseMove, QPoint(31, 42), Qt::NoButton, Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_EQ(form->mouseButtons, 10);
    EXPECT_EQ(form->mouseY, 42);
    sendMouse(image, QEvent::MouseButtonRelease, QPoint(31, 42), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    EXPECT_EQ(form->mouseButtons, 0);
    sendMouse(image, QEvent::MouseButtonPress, QPoint(1, 1), Qt::RightButton, Qt::RightButton, Qt::ControlModifier);
    EXPECT_EQ(form->mouseButtons, 22);
    sendMouse(image, QEvent::MouseButtonDblClick, QPoint(1, 1), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    EXPECT_EQ(form->mouseButtons, 41);
    // An activation turns tracking off but keeps the state (a click may come
    // before the activation it causes); only a run starts afresh.
    form->FormActivate();
    EXPECT_EQ(form->mouseButtons, 41);
    EXPECT_TRUE(form->mouseTrackingOff);
    form->PrepareForRun();
    EXPECT_EQ(form->mouseButtons, 0);
    EXPECT_EQ(form->mouseX, 0);
}

TEST_F(ScreenFormTest, KeyWaitSeesAKeyPressedAndReleasedBeforeItLooks)
{
    whenWaiting([this] { clickKey(form->DummyEdit, Qt::Key_Q, Qt::NoModifier, "q"); });
    EXPECT_EQ(form->WaitKeyWithPrompt("Press Any Key..."), 'q');
    EXPECT_EQ(form->Label1->text(), "");

    form->textRow = 3;
    form->textColumn = 5;
    whenWaiting([this] { clickKey(form->DummyEdit, Qt::Key_Return, Qt::NoModifier, "\r"); });
    EXPECT_EQ(form->PrintAndWaitKey("Go?"), 13);
    EXPECT_EQ(form->textRow, 4);
    EXPECT_EQ(form->textColumn, 0);
    EXPECT_EQ(form->printedText, ""); // a prompt is not console output
}

TEST_F(ScreenFormTest, KeyWaitEndsWhenTheScreenCloses)
{
    whenWaiting([this] {
        sendKey(form->DummyEdit, QEvent::KeyPress, Qt::Key_Shift, Qt::ShiftModifier);
        form->close();
    });
    EXPECT_EQ(form->WaitKeyWithPrompt("wait"), 0);
    EXPECT_TRUE(form->stopped);
}

TEST_F(ScreenFormTest, InputLineTakesTheBoxAndKeepsHistory)
{
    auto answer = [this](const QString& text) {
        whenWaiting([this, text] {
            form->InputEditBox_0->setText(text);
            clickKey(form->InputEditBox_0, Qt::Key_Return, Qt::NoModifier, "\r");
        });
        return form->InputLine(">");
    };
    EXPECT_EQ(answer("one"), "one");
    EXPECT_EQ(form->lastKeyChar, 0); // the release of Enter cleared it
    EXPECT_EQ(answer("two \u00e9"), "two \xe9");

    whenWaiting([this] {
        InputBox* box = form->InputEditBox_0;
        EXPECT_EQ(form->Label1->text(), "name?");
        clickKey(box, Qt::Key_P, Qt::ControlModifier, QString(QChar(16)));
        EXPECT_EQ(box->text(), QString::fromUtf8("two \u00e9"));
        clickKey(box, Qt::Key_P, Qt::ControlModifier, QString(QChar(16)));
        EXPECT_EQ(box->text(), "one");
        clickKey(box, Qt::Key_P, Qt::ControlModifier, QString(QChar(16)));
        EXPECT_EQ(box->text(), ""); // entry 29
        clickKey(box, Qt::Key_N, Qt::ControlModifier, QString(QChar(14)));
        EXPECT_EQ(box->text(), "one");
        clickKey(box, Qt::Key_Return, Qt::NoModifier, "\r");
    });
    EXPECT_EQ(form->InputLine("name?"), "one");
    EXPECT_EQ(form->inputHistory.Entry(2), "one");
    EXPECT_FALSE(form->inputActive);

    // Without an input running, the box swallows every key.
    clickKey(form->InputEditBox_0, Qt::Key_X, Qt::NoModifier, "x");
    EXPECT_EQ(form->InputEditBox_0->text(), "one");
}

TEST_F(ScreenFormTest, ClosingDuringAnInputReturnsTheBoxText)
{
    whenWaiting([this] {
        form->InputEditBox_0->setText("half");
        form->HoltProgramClick();
    });
    EXPECT_EQ(form->InputLine(">"), "half");
    EXPECT_TRUE(form->stopped);
    EXPECT_TRUE(form->inputDone);
}

namespace {

// A window manager activates the window whenever it likes: the first time
// often after the run has started, then at every switch between windows.
void activate(QWidget* window)
{
    QEvent activation(QEvent::WindowActivate);
    QCoreApplication::sendEvent(window, &activation);
}

} // namespace

TEST_F(ScreenFormTest, ActivationDuringAnInputKeepsItGoing)
{
    struct Case {
        AnsiString (TScreenForm::*input)(const AnsiString&);
        InputBox* TScreenForm::*box;
    };
    for (const Case& input : { Case { &TScreenForm::InputLine, &TScreenForm::InputEditBox_0 },
             Case { &TScreenForm::InputLineInPlace, &TScreenForm::InputEditBox_00 } }) {
        whenWaiting([this, input] {
            InputBox* box = form.get()->*input.box;
            box->setText("hal");
            activate(form.get());
            EXPECT_TRUE(form->inputActive);
            EXPECT_FALSE(form->inputDone);
            EXPECT_EQ(form->focusWidget(), box);
            clickKey(box, Qt::Key_F, Qt::NoModifier, "f");
            clickKey(box, Qt::Key_Return, Qt::NoModifier, "\r");
        });
        EXPECT_EQ((form.get()->*input.input)("? "), "half");
    }
}

namespace {

// The run loop polls the onabort source before the statement after the one
// that closed the screen.
void activateAndClose()
{
    activate(&TestScreen());
    TestScreen().close();
}

} // namespace

TEST(ScreenActivation, AnOnabortHandlerOutlivesActivations)
{
    RecordingDebugger debugger;
    debugger.injectBefore = "print \"after\"";
    debugger.inject = activateAndClose;
    RunHooks::SetDebugger(&debugger);
    RunResult result = RunProgram("onabort quit\nprint \"armed\"\nprint \"after\"\nend\n"
                                  "quit:\nprint \"asked to stop\"\nend\n");
    RunHooks::SetDebugger(nullptr);
    EXPECT_EQ(result.output, "armed\nafter\nasked to stop\n");
    EXPECT_TRUE(TestScreen().isVisible());

    // Between runs an activation leaves the run state alone too.
    activate(&TestScreen());
    EXPECT_TRUE(TestScreen().stopped);
}

TEST_F(ScreenFormTest, StatusLabelShowsWholePromptsOrCutsThemWithATip)
{
    auto show = [this](const AnsiString& prompt) {
        form->Label1->setText(platform::toQString(prompt));
        form->ControlBar1->layout()->activate();
    };
    show("Press a key to finish");
    EXPECT_EQ(form->Label1->shownText(), "Press a key to finish");
    EXPECT_EQ(form->Label1->toolTip(), "");
    show("Please enter the width of the square in pixels: ");
    EXPECT_EQ(form->Label1->shownText(), "Please enter the width of the square in pixels: ");
    EXPECT_LE(form->Label1->geometry().right(), form->InputEditBox_0->geometry().left());

    const AnsiString longPrompt = "Please enter the width, the height and the colour of the rectangle that the "
                                  "robot will draw around the maze, separated by commas: ";
    show(longPrompt);
    const QString shown = form->Label1->shownText();
    EXPECT_TRUE(shown.endsWith("...")) << shown.toStdString();
    EXPECT_TRUE(platform::toQString(longPrompt).startsWith(shown.chopped(3)));
    EXPECT_GT(shown.size(), 20);
    EXPECT_EQ(form->Label1->toolTip(), platform::toQString(longPrompt));
    EXPECT_GE(form->InputEditBox_0->width(), form->InputEditBox_0->minimumWidth());
    EXPECT_LE(form->Label1->geometry().right(), form->InputEditBox_0->geometry().left());
    EXPECT_EQ(form->Label1->text(), platform::toQString(longPrompt));

    form->Label1->clear();
    EXPECT_EQ(form->Label1->toolTip(), "");
    QFontMetrics metrics(form->Label1->font());
    EXPECT_EQ(ElideWithDots(metrics, "abcdef", 0), "...");
    EXPECT_EQ(ElideWithDots(metrics, "abcdef", metrics.horizontalAdvance("abcdef")), "abcdef");
    EXPECT_EQ(ElideWithDots(metrics, "abcdef", metrics.horizontalAdvance("abc...")), "abc...");
}

TEST_F(ScreenFormTest, InPlaceInputPaintsPromptAndAnswer)
{
    form->textRow = 1;
    whenWaiting([this] {
        InputBox* box = form->InputEditBox_00;
        EXPECT_TRUE(box->isVisible());
        EXPECT_EQ(box->geometry().topLeft(), QPoint(2 * 9, 17));
        box->setText("42");
        clickKey(box, Qt::Key_Enter, Qt::KeypadModifier, "\r");
    });
    EXPECT_EQ(form->InputLineInPlace("? "), "42");
    EXPECT_FALSE(form->InputEditBox_00->isVisible());
    EXPECT_EQ(form->textRow, 2);
    EXPECT_EQ(form->textColumn, 0);
    EXPECT_GT(inkIn(QRect(0, 17, 9, 17)), 0); // the prompt
    EXPECT_GT(inkIn(QRect(18, 17, 18, 17)), 0); // the answer, where the box stood
    EXPECT_EQ(inkIn(QRect(36, 17, 40, 17)), 0);
}

TEST_F(ScreenFormTest, CloseModes)
{
    platform::RecordingMessageBoxes boxes;
    platform::setMessageBoxes(&boxes);

    form->closeMode = 1;
    EXPECT_FALSE(form->close());
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].caption, "Quorvatine....message....");
    EXPECT_EQ(boxes.shown[0].flags, platform::MessageFlags::IconWarning);
    EXPECT_EQ(boxes.shown[0].text.substr(0, 56), "You cannot close the program window using this button.\n\n");
    EXPECT_FALSE(form->stopped);

    form->closeMode = 2;
    EXPECT_FALSE(form->close());
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(form->TakeCloseRequest());
    EXPECT_FALSE(form->TakeCloseRequest());

    auto* control = new QObject;
    QPointer<QObject> watch(control);
    form->Buttons.controls.items[3] = control;
    form->Buttons.names.items[3] = "OK";
    bool reported = false;
    form->onScreenClosed = [&reported] { reported = true; };
    form->canvas = &form->ScreenPageBitmap;
    form->pageMode = true;
    form->ScreenPageBitmap.penColor = 0x0000FF;
    form->closeMode = 0;
    EXPECT_TRUE(form->close());
    EXPECT_TRUE(form->stopped);
    EXPECT_TRUE(reported);
    EXPECT_FALSE(form->pageMode);
    EXPECT_EQ(form->canvas, &form->imageCanvas);
    EXPECT_EQ(form->ScreenPageBitmap.penColor, form->defaultPenColor);
    EXPECT_EQ(form->Buttons.controls.items[3], nullptr);
    EXPECT_EQ(form->Buttons.names.items[3], "OK"); // the lookup names stay
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(watch.isNull());

    form->AfterRun();
    EXPECT_TRUE(form->stopped);
    EXPECT_EQ(form->closeMode, 0);
}

TEST_F(ScreenFormTest, RunStartsOnTheVisibleImageWithDefaults)
{
    form->canvas = &form->ScreenPageBitmap;
    form->pageMode = true;
    form->imageCanvas.penColor = 0x00FF00;
    form->imageCanvas.penPos = QPoint(5, 5);
    form->focusedEditName = "EditBoxes_0";
    form->currentFileName = [] { return AnsiString("DEMO.BAS"); };
    form->PrintText("text", NewLine::No);
    form->ResetScreen();
    EXPECT_EQ(form->canvas, &form->imageCanvas);
    EXPECT_FALSE(form->pageMode);
    EXPECT_EQ(form->imageCanvas.penColor, form->defaultPenColor);
    EXPECT_EQ(form->imageCanvas.penPos, QPoint(0, 0));
    EXPECT_EQ(form->textColumn, 0);
    EXPECT_EQ(form->focusedEditName, "");
    EXPECT_EQ(form->QWidget::windowTitle().toStdString(), "Quorvatine Interactive Terminal Screen  [DEMO.BAS]");
}

TEST_F(ScreenFormTest, ClipboardButtons)
{
    form->PrintText("copied", NewLine::Yes);
    form->CutTextBufferClick();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "copied\r\n");
    form->ClearTextBufferClick();
    EXPECT_EQ(form->printedText, "");
}

TEST_F(ScreenFormTest, HeadlessConsoleUsesTheStreams)
{
    FILE* out = std::tmpfile();
    FILE* in = std::tmpfile();
    ASSERT_TRUE(out && in);
    std::fputs("first line\r\nsecond\nkx", in);
    std::rewind(in);
    form->SetHeadless(out, in);

    form->PrintText("a\r\nb", NewLine::Yes);
    form->PrintText(AnsiString(90, 'w'), NewLine::No);
    EXPECT_EQ(form->InputLine(">"), "first line");
    EXPECT_EQ(form->InputLineInPlace("?"), "second");
    EXPECT_EQ(form->WaitKeyWithPrompt(""), 'k');
    EXPECT_EQ(form->PrintAndWaitKey(""), 'x');
    EXPECT_FALSE(form->stopped);
    EXPECT_EQ(form->WaitKeyWithPrompt(""), 0);
    EXPECT_TRUE(form->stopped);
    EXPECT_TRUE(form->inputDone);
    EXPECT_EQ(form->inputHistory.Entry(1), "second");

    std::rewind(out);
    char written[256] = {};
    size_t length = std::fread(written, 1, sizeof written - 1, out);
    EXPECT_EQ(std::string(written, length), "a\nb\n" + AnsiString(88, 'w') + "\nww");
    std::fclose(out);
    std::fclose(in);

    form->stopped = false;
    FILE* empty = std::tmpfile();
    form->SetHeadless(nullptr, empty);
    EXPECT_EQ(form->InputLine(">"), "");
    EXPECT_TRUE(form->stopped);
    std::fclose(empty);
    form->SetHeadless(nullptr, nullptr);
}

// Standard output writes "\n" for each CR LF and keeps every other CR, also
// one that ends a print or a piece.
TEST_F(ScreenFormTest, HeadlessOutputKeepsLoneReturns)
{
    FILE* out = std::tmpfile();
    ASSERT_TRUE(out);
    form->SetHeadless(out, nullptr);
    form->PrintText("c\rd\r\re\r", NewLine::No);
    form->PrintText("\nf\r", NewLine::Yes);
    form->PrintText("", NewLine::Yes);
    std::rewind(out);
    char written[64] = {};
    const size_t length = std::fread(written, 1, sizeof written - 1, out);
    EXPECT_EQ(std::string(written, length), "c\rd\r\re\r\nf\r\n\n");
    std::fclose(out);
    form->SetHeadless(nullptr, nullptr);
}

TEST_F(ScreenFormTest, SavesTheImageAsPng)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    form->ClearScreen(4);
    AnsiString name = dir.filePath("shot.png").toStdString();
    ASSERT_TRUE(form->SaveImagePng(name));
    QImage saved(QString::fromStdString(name));
    EXPECT_EQ(saved.size(), QSize(800, 600));
    EXPECT_EQ(platform::fromQRgb(saved.pixel(400, 300)), 0x0000FF);
    EXPECT_FALSE(form->SaveImagePng(dir.filePath("missing/shot.png").toStdString()));
}

// A window destroyed by another program ends the run even when the program
// asked to be asked first, and ends a pending input.
TEST(ScreenClose, ADestroyedWindowStopsTheRunWhateverTheCloseMode)
{
    TScreenForm form;
    form.SetDesktopSize(QSize(1024, 768));
    form.PrepareForRun();
    form.closeMode = 2;
    QTimer::singleShot(0, [&form] {
        form.InputEditBox_0->setText("partial");
        form.WindowDestroyed();
    });
    EXPECT_EQ(form.InputLine("? "), "partial");
    EXPECT_TRUE(form.stopped);
    EXPECT_FALSE(form.TakeCloseRequest());
    EXPECT_FALSE(form.isVisible());
}
