#include "platform/AnsiText.h"
#include "platform/KeyMap.h"
#include "platform/gui/Colors.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(AnsiText, EveryByteSurvivesTheRoundTrip)
{
    AnsiString all;
    for (int b = 0; b < 256; ++b)
        all.push_back(static_cast<char>(b));
    QString shown = toQString(all);
    ASSERT_EQ(shown.size(), 256);
    EXPECT_EQ(fromQString(shown), all);
}

TEST(AnsiText, UsesWindows1252)
{
    struct Case {
        unsigned char byte;
        char16_t character;
    };
    const Case cases[] = { { 0x41, u'A' }, { 0x80, 0x20AC }, { 0x81, 0x0081 }, { 0x8A, 0x0160 }, { 0x93, 0x201C },
        { 0x9F, 0x0178 }, { 0xA0, 0x00A0 }, { 0xE9, 0x00E9 }, { 0xFF, 0x00FF } };
    for (const Case& c : cases) {
        QString shown = toQString(AnsiString(1, static_cast<char>(c.byte)));
        EXPECT_EQ(shown.at(0).unicode(), c.character) << int(c.byte);
    }
    // Characters outside the code page, a surrogate pair among them, become one '?' each;
    // C1 controls that the code page puts elsewhere do too.
    EXPECT_EQ(fromQString(QString::fromUtf8("a\u4e2d\U0001F600\u0080b")), "a???b");
}

TEST(Colors, RedSitsInTheLowByte)
{
    EXPECT_EQ(toQRgb(0x0000FF), qRgb(255, 0, 0));
    EXPECT_EQ(toQColor(0xFF0000), QColor(0, 0, 255));
    EXPECT_EQ(toQRgb(0x123456), qRgb(0x56, 0x34, 0x12));
    EXPECT_EQ(fromQRgb(qRgb(0x56, 0x34, 0x12)), 0x123456);
    EXPECT_EQ(fromQColor(QColor(255, 172, 0)), 0x00ACFF);
}

TEST(KeyMap, QtKeysGiveVirtualKeyCodes)
{
    struct Case {
        int qtKey;
        Qt::KeyboardModifiers modifiers;
        int vk;
    };
    const Case cases[] = {
        { Qt::Key_A, Qt::NoModifier, 65 },
        { Qt::Key_Z, Qt::ShiftModifier, 90 },
        { Qt::Key_0, Qt::NoModifier, 48 },
        { Qt::Key_5, Qt::KeypadModifier, 101 },
        { Qt::Key_Asterisk, Qt::KeypadModifier, 106 },
        { Qt::Key_Exclam, Qt::ShiftModifier, 49 },
        { Qt::Key_F1, Qt::NoModifier, 112 },
        { Qt::Key_F12, Qt::NoModifier, 123 },
        { Qt::Key_Return, Qt::NoModifier, 13 },
        { Qt::Key_Enter, Qt::KeypadModifier, 13 },
        { Qt::Key_Escape, Qt::NoModifier, 27 },
        { Qt::Key_Left, Qt::NoModifier, 37 },
        { Qt::Key_Down, Qt::NoModifier, 40 },
        { Qt::Key_Delete, Qt::NoModifier, 46 },
        { Qt::Key_Control, Qt::ControlModifier, 17 },
        { Qt::Key_Semicolon, Qt::NoModifier, 186 },
        { Qt::Key_BraceRight, Qt::ShiftModifier, 221 },
        { Qt::Key_VolumeUp, Qt::NoModifier, 0 },
    };
    for (const Case& c : cases)
        EXPECT_EQ(VirtualKeyOf(c.qtKey, c.modifiers), c.vk) << c.qtKey;
}

TEST(KeyMap, HeldKeyTableIgnoresCodesOutOfRange)
{
    ReleaseAllKeys();
    SetKeyDown(65, true);
    SetKeyDown(300, true);
    SetKeyDown(-1, true);
    EXPECT_TRUE(KeyIsDown(65));
    EXPECT_FALSE(KeyIsDown(300));
    EXPECT_FALSE(KeyIsDown(-1));
    ReleaseAllKeys();
    EXPECT_FALSE(KeyIsDown(65));
}
