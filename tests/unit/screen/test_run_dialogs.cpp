#include "platform/Dialogs.h"
#include "platform/RichText.h"
#include "screen/InputForm.h"
#include "screen/MessageForm.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>

namespace {

const QSize desktop(1024, 768);

// Runs `action` once the modal dialog that the caller is about to open runs
// its event loop.
void WhenShown(std::function<void()> action)
{
    QTimer::singleShot(0, [action = std::move(action)] { action(); });
}

void Type(QWidget* target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, const QString& text = {})
{
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(target, &press);
}

} // namespace

TEST(MessageForm, SizeFromTheTextAndTheCallersPlacement)
{
    platform::MessageFormRequest request;
    request.columns = 42;
    request.lines = 3;
    // 10 points, lines of 13 pixels: 10 x 42 + 20 wide, 3 x 13 + 150 high, centred.
    EXPECT_EQ(MessageFormGeometry(request, 10, 13, desktop), QRect(292, 289, 440, 189));
    // Small texts still get 200 x 150; huge ones stop short of the desktop's edges.
    request.columns = 1;
    request.lines = 0;
    EXPECT_EQ(MessageFormGeometry(request, 10, 13, desktop).size(), QSize(200, 150));
    request.columns = 1000;
    request.lines = 1000;
    EXPECT_EQ(MessageFormGeometry(request, 10, 13, desktop).size(), QSize(974, 668));
    // The caller's size and position win; a desktop smaller than the lower
    // bounds swaps them instead of inverting the range.
    request.width = 300;
    request.height = 250;
    request.top = 5;
    request.left = 7;
    EXPECT_EQ(MessageFormGeometry(request, 10, 13, desktop), QRect(7, 5, 300, 250));
    EXPECT_EQ(MessageFormGeometry(request, 10, 13, QSize(100, 100)).size(), QSize(200, 150));
}

TEST(MessageForm, OneShotPlacementAndTheButtonPressed)
{
    TMessageForm form;
    platform::MessageFormRequest request;
    request.caption = "Shown";
    request.text = "one\r\ntwo";
    request.columns = 42;
    request.lines = 3;
    request.top = 10;
    request.left = 20;
    form.Fill(request);
    WhenShown([&] { form.Ok_B->click(); });
    form.exec();
    EXPECT_EQ(form.result, 1);
    EXPECT_EQ(form.windowTitle(), "Shown");
    EXPECT_EQ(form.Memo1->toPlainText(), "one\ntwo");
    EXPECT_EQ(form.geometry().topLeft(), QPoint(20, 10));
    EXPECT_EQ(form.top, -1);
    EXPECT_EQ(form.left, -1);
    EXPECT_EQ(form.wordWrap, -1);

    // The position was for one showing only: the next is centred.
    WhenShown([&] { form.Cancel_B->click(); });
    form.exec();
    EXPECT_EQ(form.result, 0);
    EXPECT_NE(form.geometry().topLeft(), QPoint(20, 10));

    WhenShown([&] { form.reject(); });
    form.Fill(request);
    form.exec();
    EXPECT_EQ(form.result, 0);
}

TEST(InputForm, PlacedCentredOrAtTheEdge)
{
    // Centred both ways; a width of 50 or less is fitted to the texts plus 10.
    InputFormLayout placed = InputFormGeometry(-1, -1, 0, 80, 120, true, 30, 30, desktop);
    EXPECT_EQ(placed.form, QRect((1024 - 130) / 2, (768 - 60) / 2, 130, 60));
    // Never narrower than 50 + 10.
    EXPECT_EQ(InputFormGeometry(-1, -1, 0, 5, 5, true, 30, 30, desktop).form.width(), 60);
    // Past the right edge it sticks to the edge; no prompt, no prompt height.
    placed = InputFormGeometry(5000, 5000, 200, 0, 0, false, 30, 30, desktop);
    EXPECT_EQ(placed.form, QRect(824, 738, 200, 30));
    EXPECT_EQ(placed.promptHeight, 0);
    // Wider than the desktop: as wide as the desktop, from its left edge.
    EXPECT_EQ(InputFormGeometry(10, 10, 3000, 0, 0, true, 30, 30, desktop).form, QRect(0, 10, 1024, 60));
}

TEST(InputForm, EnterEscapeAndHistory)
{
    TInputForm form;
    WhenShown([&] {
        form.Edit1->setText("typed");
        Type(form.Edit1, Qt::Key_Return);
    });
    EXPECT_EQ(form.AskInput(-1, -1, "Prompt", "initial", 0), "typed");
    EXPECT_EQ(form.Label1->text(), "Prompt");

    // Esc keeps the initial text as the answer, but what was typed still
    // enters the history.
    WhenShown([&] {
        form.Edit1->setText("abandoned");
        Type(form.Edit1, Qt::Key_Escape);
    });
    EXPECT_EQ(form.AskInput(10, 10, "", "start", 100), "start");
    EXPECT_EQ(form.history.Entry(0), "typed");
    EXPECT_EQ(form.history.Entry(1), "abandoned");

    // Ctrl+P shows the latest answer first, Ctrl+N moves forward again.
    std::vector<QString> shown;
    WhenShown([&] {
        Type(form.Edit1, Qt::Key_P, Qt::ControlModifier);
        shown.push_back(form.Edit1->text());
        Type(form.Edit1, Qt::Key_P, Qt::ControlModifier);
        shown.push_back(form.Edit1->text());
        Type(form.Edit1, Qt::Key_N, Qt::ControlModifier);
        shown.push_back(form.Edit1->text());
        Type(form.Edit1, Qt::Key_Return);
    });
    EXPECT_EQ(form.AskInput(-1, -1, "p", "", 0), "abandoned");
    EXPECT_EQ(shown, std::vector<QString>({ "abandoned", "typed", "abandoned" }));
}

TEST(HeadlessDialogs, WriteToErrorsAndAnswerFromInput)
{
    char input[] = "first\nred\n";
    FILE* in = fmemopen(input, sizeof input - 1, "r");
    char* errors = nullptr;
    size_t errorsSize = 0;
    FILE* err = open_memstream(&errors, &errorsSize);
    {
        platform::HeadlessDialogs dialogs(in, err);
        platform::MessageFormRequest request;
        request.caption = "Cap";
        request.text = "a\r\nb";
        EXPECT_EQ(dialogs.ShowMessageForm(request), 1);
        EXPECT_EQ(dialogs.InputBox("Quorvatine:", "Name?", "dflt"), "first");
        // A line that is no number leaves the preset.
        EXPECT_EQ(dialogs.PromptColor(255), 255);
        // At the end of the input: the initial text and the default.
        EXPECT_EQ(dialogs.AskInput(-2, -2, "Age?", "42", -1), "42");
        EXPECT_EQ(dialogs.InputBox("c", "p", "dflt"), "dflt");
    }
    std::fclose(in);
    std::fclose(err);
    EXPECT_STREQ(errors, "Cap: a\nb\nQuorvatine:: Name?\nQuorvatine--Color: 255\nInput: Age?\nc: p\n");
    std::free(errors);
}

TEST(RichText, PlainTextOfADocument)
{
    struct Case {
        const char* document;
        const char* plain;
    };
    const Case cases[] = {
        { "plain text {not rtf}", "plain text {not rtf}" },
        { "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red255;}\\f0 Hello\\par World}", "Hello\r\nWorld" },
        { "{\\rtf1 a\\tab b\\'e9\\u8364?c\\{\\}\\\\}",
            "a\tb\xE9\x80"
            "c{}\\" },
        { "{\\rtf1 {\\*\\generator x;}kept}", "kept" },
        { "{\\rtf1 unbalanced}}}", "unbalanced" },
        { "{\\rtf1 \\'zz\\u-", "zz" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(platform::RichTextToPlain(c.document), c.plain) << c.document;
}
