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

// Creates a control named C at 10, 10 as its statement would.
template <typename New> void Add(New made)
{
    made.name = "C";
    if constexpr (requires { made.left; }) made.left = made.top = 10;
    TestScreen().AddControl(made);
}

void Remove(ControlProperty removal)
{
    TestScreen().ControlAction(removal, "C", {});
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
        Add(NewSlider { .length = 100, .vertical = c.orientation == Qt::Vertical, .pageStep = 20 });
        auto* slider = FindControl<Slider>(TestScreen().Sliders, "C");
        slider->SetProperty(ControlProperty::SliderPosition, 50);
        slider->SetProperty(ControlProperty::SliderBarShown, 1); // the bar follows the thumb
        TestScreen().TakeLastEvent(ControlFamily::Slider);
        QTest::keyClick(slider, c.key);
        EXPECT_EQ(slider->Property(ControlProperty::SliderPosition), c.after) << c.orientation << " " << c.key;
        EXPECT_EQ(slider->Property(ControlProperty::SliderBarEnd), c.after);
        EXPECT_EQ(TestScreen().TakeLastEvent(ControlFamily::Slider), c.after == 50 ? "" : "C");
        Remove(ControlProperty::SliderRemoval);
    }
}

TEST(ControlWidgets, SpinnerArrowsStepStopAndWrap)
{
    TScreenForm& screen = TestScreen();
    // Range -5..5, increment 4: from -5 up to 3, then the end or the start.
    for (bool wrap : { false, true }) {
        Add(NewSpinner { .minimum = -5, .maximum = 5, .increment = 4, .wrap = wrap });
        auto* spinner = FindControl<Spinner>(screen.Spinners, "C");
        std::vector<int> seen;
        for (int k = 0; k < 4; ++k) {
            spinner->UpButton()->click();
            seen.push_back(spinner->Property(ControlProperty::SpinnerPosition));
        }
        spinner->DownButton()->click();
        seen.push_back(spinner->Property(ControlProperty::SpinnerPosition));
        const std::vector<int> expected = wrap ? std::vector { -1, 3, -5, -1, -5 } : std::vector { -1, 3, 5, 5, 1 };
        EXPECT_EQ(seen, expected) << "wrap " << wrap;
        EXPECT_EQ(screen.TakeLastEvent(ControlFamily::Spinner), "C");
        // Changes by the program are no clicks.
        spinner->SetProperty(ControlProperty::SpinnerPosition, 2);
        EXPECT_EQ(screen.TakeLastEvent(ControlFamily::Spinner), "");
        EXPECT_TRUE(spinner->UpButton()->autoRepeat());
        Remove(ControlProperty::SpinnerRemoval);
    }
    // A maximum below the minimum: up still steps toward the maximum.
    SpinnerSteps steps { 10, 0, 10, 3, false };
    steps.Step(SpinnerSteps::Direction::Up);
    EXPECT_EQ(steps.position, 7);
}

TEST(ControlWidgets, MemoCaretCountsLogicalLinesAndTwoCharacterBreaks)
{
    Add(NewMemo { .width = 60, .height = 100 });
    auto* memo = FindControl<Memo>(TestScreen().Memos, "C");
    QTest::keyClicks(memo, "one");
    QTest::keyClick(memo, Qt::Key_Return);
    QTest::keyClicks(memo, "a line long enough to wrap in sixty pixels");
    QTest::keyClick(memo, Qt::Key_Return);
    QTest::keyClicks(memo, "three");
    QTest::keyClick(memo, Qt::Key_Home);
    QTest::keyClick(memo, Qt::Key_Right);
    QTest::keyClick(memo, Qt::Key_Right);
    EXPECT_EQ(memo->Property(ControlProperty::MemoLineCount), 3);
    EXPECT_EQ(memo->Property(ControlProperty::MemoCaretLine), 3);
    EXPECT_EQ(memo->Property(ControlProperty::MemoCaretColumn), 2);
    EXPECT_EQ(memo->Property(ControlProperty::MemoCaretPosition), 3 + 2 + 42 + 2 + 3); // from 1
    EXPECT_EQ(memo->Property(ControlProperty::MemoChanged), 1);
    EXPECT_EQ(memo->Text(ControlProperty::MemoLine, 2), "a line long enough to wrap in sixty pixels");
    Remove(ControlProperty::MemoRemoval);
}

TEST(ControlWidgets, RadioClicksSelectAndReportChangesOnly)
{
    TScreenForm& screen = TestScreen();
    Add(NewRBGroup { .width = 200, .height = 120, .columns = 2, .buttons = "a\r\nb\r\nc" });
    auto* group = FindControl<RadioGroup>(screen.RBGroups, "C");
    const auto& buttons = group->Buttons();
    // Two columns filled top to bottom: a and b in the first, c in the second.
    EXPECT_EQ(buttons[0]->x(), buttons[1]->x());
    EXPECT_LT(buttons[0]->y(), buttons[1]->y());
    EXPECT_GT(buttons[2]->x(), buttons[0]->x());
    EXPECT_EQ(buttons[2]->y(), buttons[0]->y());
    screen.TakeLastEvent(ControlFamily::RBGroup);
    buttons[1]->click();
    EXPECT_EQ(group->Property(ControlProperty::RBGroupSelected), 2);
    EXPECT_EQ(screen.TakeLastEvent(ControlFamily::RBGroup), "C");
    buttons[1]->click();
    EXPECT_EQ(group->Property(ControlProperty::RBGroupSelected), 2);
    EXPECT_EQ(screen.TakeLastEvent(ControlFamily::RBGroup), "");
    buttons[2]->click();
    EXPECT_FALSE(buttons[1]->isChecked());
    EXPECT_EQ(group->Text(ControlProperty::RBGroupSelectedText, 0), "c");
    Remove(ControlProperty::RBGroupRemoval);
}

// The second line of a font text: the point size.
std::string FontSize(ControlProperty font)
{
    const AnsiString text = TestScreen().GetControlText(font, "C", 0);
    const size_t first = text.find("\r\n") + 2;
    return text.substr(first, text.find("\r\n", first) - first);
}

TEST(ControlWidgets, FontsAreTheScreensInPointsWhateverFaceIsInstalled)
{
    struct Case {
        NewControl made;
        ControlProperty font;
        ControlProperty removal;
        const char* size; // 13 pixels high, or the templates' 15
    };
    const Case cases[] = {
        { NewButton {}, ControlProperty::ButtonFont, ControlProperty::ButtonRemoval, "10" },
        { NewEdit { .width = 0, .height = 0 }, ControlProperty::EditFont, ControlProperty::EditRemoval, "10" },
        { NewMemo { .width = 0, .height = 0 }, ControlProperty::MemoFont, ControlProperty::MemoRemoval, "10" },
        { NewListBox { .width = 0 }, ControlProperty::ListBoxFont, ControlProperty::ListBoxRemoval, "11" },
        { NewRBGroup { .width = 0, .height = 0, .columns = 0 }, ControlProperty::RBGroupFont,
            ControlProperty::RBGroupRemoval, "11" },
    };
    for (const Case& c : cases) {
        std::visit([](auto made) { Add(made); }, c.made);
        const ControlFamily family = FamilyOf(c.font);
        EXPECT_EQ(FontSize(c.font), c.size) << static_cast<int>(family);
        TestScreen().SetControlFont(family, "C", "", 20, -1, 4);
        EXPECT_EQ(FontSize(c.font), "20");
        EXPECT_TRUE(TestScreen().GetControlText(c.font, "C", 0).ends_with("\r\n0\r\n4"));
        Remove(c.removal);
    }
}

} // namespace
