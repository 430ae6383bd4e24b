#include "tests/support/RunHarness.h"

#include "screen/ScreenForm.h"
#include "screen/controls/EditBox.h"

#include <QApplication>
#include <QTest>

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
EditBox& NewBox(int property = -1, const AnsiString& mask = {})
{
    TScreenForm& screen = TestScreen();
    screen.ControlAction(ControlFamily::Edit, "T", 0, {});
    const int numbers[] = { 10, 10, 0, 0 };
    const AnsiString texts[] = { {}, {}, {}, {}, {}, {} };
    screen.AddControl(ControlFamily::Edit, "T", numbers, texts);
    if (property >= 0) screen.SetControlProperty(ControlFamily::Edit, "T", property, 1);
    if (!mask.empty()) screen.ControlAction(ControlFamily::Edit, "T", 11, mask);
    return *FindEdit("T");
}

struct Typing {
    int property; // 5 integer filter, 6 float filter, -1 none
    const char* mask;
    const char* keys;
    const char* shown; // the text as shown (property 2)
    const char* value; // the value (property 0)
};

TEST(EditBox, FiltersAndMasksKeyByKey)
{
    const Typing cases[] = {
        { 5, "", "0x1F", "0x1F", "0x1F" },
        { 5, "", "1.5", "15", "15" },
        { 5, "", "0xff", "0xFF", "0xFF" },
        { 5, "", "$1", "1", "1" }, // "$" alone does not convert
        { 5, "", "X1", "1", "1" }, // a lone x is no integer
        { 5, "", "0%1021", "0%101", "0%101" },
        { 5, "", "21474836479", "2147483647", "2147483647" }, // 32 bits end at 2147483647
        { 6, "", "-1.5e3", "-1.53", "-1.53" }, // "1.5e" is no number yet
        { 6, "", "1..2a", "1.2", "1.2" },
        { -1, "00:00;0;_", "1234", "12:34", "1234" },
        { -1, "00:00;0;_", "1x2", "12:__", "12" },
        { -1, "00:00", "12", "12:__", "12:" },
        { -1, ">LL-0;1;*", "ab7", "AB-7", "AB-7" },
        { -1, "L0;1;_", "ab2", "a2", "a2" },
    };
    for (const Typing& c : cases) {
        EditBox& box = NewBox(c.property, c.mask);
        QTest::keyClicks(&box, QString::fromLatin1(c.keys));
        EXPECT_EQ(box.Text(2, 0), c.shown) << c.keys << " in " << c.mask;
        EXPECT_EQ(box.Text(0, 0), c.value) << c.keys << " in " << c.mask;
    }
    TestScreen().ControlAction(ControlFamily::Edit, "T", 0, {});
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
        EXPECT_EQ(screen.GetControlProperty(ControlFamily::Edit, "T", 0), 1);
        QTest::keyClick(&box, key);
        QApplication::processEvents();
        EXPECT_EQ(box.Text(0, 0), expected);
        EXPECT_FALSE(box.hasFocus());
        EXPECT_TRUE(screen.focusedEditName.empty());
    }
    EXPECT_EQ(screen.TakeLastEvent(ControlFamily::Edit), "T");
    screen.ControlAction(ControlFamily::Edit, "T", 0, {});
    screen.hide();
}

} // namespace
