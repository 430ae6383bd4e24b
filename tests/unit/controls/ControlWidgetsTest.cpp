#include "tests/support/RunHarness.h"

#include "screen/ScreenForm.h"
#include "screen/controls/Memo.h"
#include "screen/controls/RadioGroup.h"
#include "screen/controls/Slider.h"
#include "screen/controls/Spinner.h"

#include <QApplication>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

// The controls a program makes, driven as a user drives them: slider keys,
// spinner arrows, the memo caret and radio clicks.

namespace {

template <typename T> T* FindControl(ControlSlots& family, const char* name)
{
    for (int k = 0; k < family.controls.capacity; ++k)
        if (family.controls.items[k] && family.names.items[k] == name)
            return dynamic_cast<T*>(family.controls.items[k]);
    return nullptr;
}

// Creates a control as its statement would; unset arguments are the
// statement's defaults as given.
void Add(ControlFamily family, std::initializer_list<int> numbers, std::initializer_list<const char*> texts = {})
{
    int n[12] = { 10, 10, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1 };
    AnsiString t[12];
    std::copy(numbers.begin(), numbers.end(), n);
    int k = 0;
    for (const char* text : texts)
        t[k++] = text;
    TestScreen().AddControl(family, "C", n, t);
}

void Remove(ControlFamily family)
{
    TestScreen().ControlAction(family, "C", 0, {});
}

struct SliderKey {
    Qt::Orientation orientation;
    Qt::Key key;
    int after; // from position 50, page 20, range 0..100
};

TEST(ControlWidgets, SliderKeysMoveAlongTheSliderOnly)
{
    const SliderKey cases[] = {
        { Qt::Horizontal, Qt::Key_Right, 51 },
        { Qt::Horizontal, Qt::Key_Left, 49 },
        { Qt::Horizontal, Qt::Key_Up, 50 },
        { Qt::Horizontal, Qt::Key_Down, 50 },
        { Qt::Horizontal, Qt::Key_PageUp, 70 },
        { Qt::Horizontal, Qt::Key_PageDown, 30 },
        { Qt::Horizontal, Qt::Key_End, 100 },
        { Qt::Vertical, Qt::Key_Left, 50 },
        { Qt::Vertical, Qt::Key_Right, 50 },
        { Qt::Vertical, Qt::Key_Down, 51 },
        { Qt::Vertical, Qt::Key_Up, 49 },
        { Qt::Vertical, Qt::Key_PageDown, 70 },
        { Qt::Vertical, Qt::Key_PageUp, 30 },
    };
    for (const SliderKey& c : cases) {
        Add(ControlFamily::Slider, { 10, 10, 100, 0, 100, c.orientation == Qt::Vertical, -1, 20 });
        auto* slider = FindControl<Slider>(TestScreen().Sliders, "C");
        slider->SetProperty(0, 50);
        slider->SetProperty(4, 1); // the bar follows the thumb
        TestScreen().TakeLastEvent(ControlFamily::Slider);
        QTest::keyClick(slider, c.key);
        EXPECT_EQ(slider->Property(0), c.after) << c.orientation << " " << c.key;
        EXPECT_EQ(slider->Property(2), c.after);
        EXPECT_EQ(TestScreen().TakeLastEvent(ControlFamily::Slider), c.after == 50 ? "" : "C");
        Remove(ControlFamily::Slider);
    }
}

TEST(ControlWidgets, SpinnerArrowsStepStopAndWrap)
{
    TScreenForm& screen = TestScreen();
    // Range -5..5, increment 4: from -5 up to 3, then the end or the start.
    for (bool wrap : { false, true }) {
        Add(ControlFamily::Spinner, { 10, 10, -1, -1, -5, 5, 4, 0, wrap });
        auto* spinner = FindControl<Spinner>(screen.Spinners, "C");
        std::vector<int> seen;
        for (int k = 0; k < 4; ++k) {
            spinner->UpButton()->click();
            seen.push_back(spinner->Property(0));
        }
        spinner->DownButton()->click();
        seen.push_back(spinner->Property(0));
        const std::vector<int> expected = wrap ? std::vector { -1, 3, -5, -1, -5 } : std::vector { -1, 3, 5, 5, 1 };
        EXPECT_EQ(seen, expected) << "wrap " << wrap;
        EXPECT_EQ(screen.TakeLastEvent(ControlFamily::Spinner), "C");
        // Changes by the program are no clicks.
        spinner->SetProperty(0, 2);
        EXPECT_EQ(screen.TakeLastEvent(ControlFamily::Spinner), "");
        EXPECT_TRUE(spinner->UpButton()->autoRepeat());
        Remove(ControlFamily::Spinner);
    }
    // A maximum below the minimum: up still steps toward the maximum.
    SpinnerSteps steps { 10, 0, 10, 3, false };
    steps.Step(SpinnerSteps::Direction::Up);
    EXPECT_EQ(steps.position, 7);
}

TEST(ControlWidgets, MemoCaretCountsLogicalLinesAndTwoCharacterBreaks)
{
    Add(ControlFamily::Memo, { 10, 10, 60, 100 });
    auto* memo = FindControl<Memo>(TestScreen().Memos, "C");
    QTest::keyClicks(memo, "one");
    QTest::keyClick(memo, Qt::Key_Return);
    QTest::keyClicks(memo, "a line long enough to wrap in sixty pixels");
    QTest::keyClick(memo, Qt::Key_Return);
    QTest::keyClicks(memo, "three");
    QTest::keyClick(memo, Qt::Key_Home);
    QTest::keyClick(memo, Qt::Key_Right);
    QTest::keyClick(memo, Qt::Key_Right);
    EXPECT_EQ(memo->Property(7), 3); // lines
    EXPECT_EQ(memo->Property(9), 3); // caret line
    EXPECT_EQ(memo->Property(10), 2); // caret column
    EXPECT_EQ(memo->Property(16), 3 + 2 + 42 + 2 + 3); // caret position from 1
    EXPECT_EQ(memo->Property(8), 1);
    EXPECT_EQ(memo->Text(2, 2), "a line long enough to wrap in sixty pixels");
    Remove(ControlFamily::Memo);
}

TEST(ControlWidgets, RadioClicksSelectAndReportChangesOnly)
{
    TScreenForm& screen = TestScreen();
    Add(ControlFamily::RBGroup, { 10, 10, 200, 120, 2 }, { "", "", "", "", "", "", "a\r\nb\r\nc" });
    auto* group = FindControl<RadioGroup>(screen.RBGroups, "C");
    const auto& buttons = group->Buttons();
    // Two columns filled top to bottom: a and b in the first, c in the second.
    EXPECT_EQ(buttons[0]->x(), buttons[1]->x());
    EXPECT_LT(buttons[0]->y(), buttons[1]->y());
    EXPECT_GT(buttons[2]->x(), buttons[0]->x());
    EXPECT_EQ(buttons[2]->y(), buttons[0]->y());
    screen.TakeLastEvent(ControlFamily::RBGroup);
    buttons[1]->click();
    EXPECT_EQ(group->Property(0), 2);
    EXPECT_EQ(screen.TakeLastEvent(ControlFamily::RBGroup), "C");
    buttons[1]->click();
    EXPECT_EQ(group->Property(0), 2);
    EXPECT_EQ(screen.TakeLastEvent(ControlFamily::RBGroup), "");
    buttons[2]->click();
    EXPECT_FALSE(buttons[1]->isChecked());
    EXPECT_EQ(group->Text(0, 0), "c");
    Remove(ControlFamily::RBGroup);
}

// The second line of a font text: the point size.
std::string FontSize(ControlFamily family, int op)
{
    const AnsiString text = TestScreen().GetControlText(family, "C", op, 0);
    const size_t first = text.find("\r\n") + 2;
    return text.substr(first, text.find("\r\n", first) - first);
}

TEST(ControlWidgets, FontsAreTheScreensInPointsWhateverFaceIsInstalled)
{
    struct Case {
        ControlFamily family;
        int fontOp;
        const char* size; // 13 pixels high, or the templates' 15
    };
    const Case cases[] = {
        { ControlFamily::Button, 1, "10" },
        { ControlFamily::Edit, 1, "10" },
        { ControlFamily::Memo, 1, "10" },
        { ControlFamily::ListBox, 3, "11" },
        { ControlFamily::RBGroup, 4, "11" },
    };
    for (const Case& c : cases) {
        Add(c.family, { 10, 10, 0, 0, 0 });
        EXPECT_EQ(FontSize(c.family, c.fontOp), c.size) << static_cast<int>(c.family);
        TestScreen().SetControlFont(c.family, "C", "", 20, -1, 4);
        EXPECT_EQ(FontSize(c.family, c.fontOp), "20");
        EXPECT_TRUE(TestScreen().GetControlText(c.family, "C", c.fontOp, 0).ends_with("\r\n0\r\n4"));
        Remove(c.family);
    }
}

} // namespace
