#include "tests/support/RunHarness.h"

#include "screen/ScreenForm.h"
#include "screen/controls/EditBox.h"

#include <QApplication>
#include <QTest>

#include <optional>

#include <gtest/gtest.h>

// Edit boxes key by key: the integer and float filters, the edit masks, and
// Esc and Enter, which finish the editing and return the keys to the screen.

namespace {

EditBox* FindEdit(const char* name)
{
    ControlSlots& family = TestScreen().EditBoxes;
    for (int k = 0; k < family.controls.capacity; ++k)
        if (family.controls.items[k] && family.names.items[k] == name)
            return dynamic_cast<EditBox*>(family.controls.items[k]);
    return nullptr;
}

// A new box on the shown screen, its properties set as the statements do.
EditBox& NewBox(std::optional<ControlProperty> filter = {}, const AnsiString& mask = {})
{
    TScreenForm& screen = TestScreen();
    screen.ControlAction(ControlProperty::EditRemoval, "T", {});
    screen.AddControl(NewEdit { .name = "T", .left = 10, .top = 10, .width = 0, .height = 0 });
    if (filter) screen.SetControlProperty(*filter, "T", 1);
    if (!mask.empty()) screen.ControlAction(ControlProperty::EditMask, "T", mask);
    return *FindEdit("T");
}

constexpr auto Integer = ControlProperty::EditIntegerKeys;
constexpr auto Float = ControlProperty::EditFloatKeys;

struct Typing {
    std::optional<ControlProperty> filter;
    const char* mask;
    const char* keys;
    const char* shown; // the text as shown
    const char* value; // the value
};

TEST(EditBox, FiltersAndMasksKeyByKey)
{
    const Typing cases[] = {
        { Integer, "", "0x1F", "0x1F", "0x1F" },
        { Integer, "", "1.5", "15", "15" },
        { Integer, "", "0xff", "0xFF", "0xFF" },
        { Integer, "", "$1", "1", "1" }, // "$" alone does not convert
        { Integer, "", "X1", "1", "1" }, // a lone x is no integer
        { Integer, "", "0%1021", "0%101", "0%101" },
        { Integer, "", "21474836479", "2147483647", "2147483647" }, // 32 bits end at 2147483647
        { Float, "", "-1.5e3", "-1.53", "-1.53" }, // "1.5e" is no number yet
        { Float, "", "1..2a", "1.2", "1.2" },
        { {}, "00:00;0;_", "1234", "12:34", "1234" },
        { {}, "00:00;0;_", "1x2", "12:__", "12" },
        { {}, "00:00", "12", "12:__", "12:" },
        { {}, ">LL-0;1;*", "ab7", "AB-7", "AB-7" },
        { {}, "L0;1;_", "ab2", "a2", "a2" },
    };
    for (const Typing& c : cases) {
        EditBox& box = NewBox(c.filter, c.mask);
        QTest::keyClicks(&box, QString::fromLatin1(c.keys));
        EXPECT_EQ(box.Text(ControlProperty::EditShown, 0), c.shown) << c.keys << " in " << c.mask;
        EXPECT_EQ(box.Text(ControlProperty::EditText, 0), c.value) << c.keys << " in " << c.mask;
    }
    TestScreen().ControlAction(ControlProperty::EditRemoval, "T", {});
}

TEST(EditBox, EscPutsTheTextBackAndEnterKeepsIt)
{
    TScreenForm& screen = TestScreen();
    screen.show();
    QApplication::setActiveWindow(&screen);
    EditBox& box = NewBox();
    box.setText("old");
    for (auto [key, expected] : { std::pair { Qt::Key_Escape, "old" }, std::pair { Qt::Key_Return, "oldnew" } }) {
        box.setFocus();
        QApplication::processEvents();
        ASSERT_TRUE(box.hasFocus());
        EXPECT_EQ(screen.focusedEditName, box.objectName().toStdString());
        QTest::keyClick(&box, Qt::Key_End);
        QTest::keyClicks(&box, "new");
        EXPECT_EQ(screen.GetControlProperty(ControlProperty::EditChanged, "T"), 1);
        QTest::keyClick(&box, key);
        QApplication::processEvents();
        EXPECT_EQ(box.Text(ControlProperty::EditText, 0), expected);
        EXPECT_FALSE(box.hasFocus());
        EXPECT_TRUE(screen.focusedEditName.empty());
    }
    EXPECT_EQ(screen.TakeLastEvent(ControlFamily::Edit), "T");
    screen.ControlAction(ControlProperty::EditRemoval, "T", {});
    screen.hide();
}

} // namespace
