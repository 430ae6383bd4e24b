#include "builtins/TextAlgorithms.h"
#include "interpreter/LibraryFailure.h"

#include <gtest/gtest.h>

using namespace TextAlgorithms;

TEST(TextAlgorithms, CaseMappingFollowsWindows1252)
{
    // Every byte maps to itself or to its partner, and the two mappings undo
    // each other on letters.
    int changedUpper = 0;
    for (int b = 0; b < 256; ++b) {
        const char c = static_cast<char>(b);
        const char up = UpperChar(c);
        if (up != c) {
            ++changedUpper;
            EXPECT_EQ(LowerChar(up), c) << b;
        }
    }
    EXPECT_EQ(changedUpper, 26 + 30 + 4);
    EXPECT_EQ(UpperChar('\xDF'), '\xDF'); // sharp s has no single capital
    EXPECT_EQ(UpperChar('\xB5'), '\xB5'); // micro sign
    EXPECT_EQ(LowerChar('\xD7'), '\xD7'); // multiplication sign
    EXPECT_EQ(UpperChar('\xFF'), '\x9F');
}

// Whole texts change case several bytes at a time: every byte, at every
// place in a block, with and without bytes from 0x80 on beside it, maps as
// UpperChar and LowerChar map it alone.
TEST(TextAlgorithms, TextCaseMatchesTheByteMapping)
{
    for (int shift = 0; shift < 9; ++shift) {
        for (bool plain : { true, false }) {
            AnsiString s(static_cast<size_t>(shift), 'x');
            for (int b = 0; b < 256; ++b)
                if (!plain || b < 0x80) s += static_cast<char>(b);
            s += "tail";
            AnsiString up = s, low = s;
            for (char& c : up)
                c = UpperChar(c);
            for (char& c : low)
                c = LowerChar(c);
            EXPECT_EQ(UpperCase(s), up) << shift;
            EXPECT_EQ(LowerCase(s), low) << shift;
            AnsiString into = "some older and longer text than any of these";
            UpperCaseInto(s, into);
            EXPECT_EQ(into, up) << shift;
            LowerCaseInto(s, into);
            EXPECT_EQ(into, low) << shift;
        }
    }
}

TEST(TextAlgorithms, EncryptionIsItsOwnInverse)
{
    const AnsiString texts[] = { "a", "hello world", AnsiString("\0\x01\xFF z", 5), AnsiString(1000, 'q') };
    const AnsiString keys[] = { "ab", "key", "a much longer key than the text", AnsiString("\0\0", 2) };
    for (const AnsiString& s : texts) {
        for (const AnsiString& k : keys) {
            const AnsiString scrambled = EncryptText(s, k);
            EXPECT_EQ(scrambled.size(), s.size());
            EXPECT_EQ(EncryptText(scrambled, k), s);
        }
    }
    // The key is used backwards after each character k[i] is XORed with i.
    EXPECT_EQ(EncryptText(AnsiString(2, '\0'), "AB"), AnsiString("@@", 2));
    EXPECT_EQ(EncryptText("x", "k"), "x");
}

TEST(TextAlgorithms, CommaTextSplitsEveryKindOfLineBreak)
{
    EXPECT_EQ(CommaText("a\rb\nc\r\nd"), "a,b,c,d");
    EXPECT_EQ(CommaText("a\r\n\r\nb\r\n"), "a,,b");
    EXPECT_EQ(CommaText("x,y\r\n\tz"), "\"x,y\",\"\tz\"");
}

TEST(TextAlgorithms, OversizedTextsAreLibraryFailures)
{
    EXPECT_THROW(Spaces(2000000000), LibraryFailure);
    EXPECT_THROW(RepeatText("abc", 1000000000), LibraryFailure);
    EXPECT_THROW(BinaryText(1, 2000000000), LibraryFailure);
    EXPECT_THROW(SoundexCode("a", 2000000000), LibraryFailure);
    EXPECT_THROW(JustifyText("a", "*", 2000000000, Justify::Center), LibraryFailure);
    EXPECT_EQ(Spaces(0), "");
}

TEST(TextAlgorithms, FieldsAndPositionsNeverReadOutside)
{
    EXPECT_EQ(ExtractField("", ",", 3), "");
    EXPECT_EQ(ExtractField("a,b", "", 2), "a,b");
    EXPECT_EQ(ExtractField(",,,", ",", 2000000000), "");
    EXPECT_EQ(CountFields("", ","), 0);
    EXPECT_EQ(CountFields(",,", ","), 3);
    EXPECT_EQ(Substring("abc", 2147483647, 2147483647), "");
    EXPECT_EQ(OverwriteText("abc", "X", 2147483647), "abcX");
    EXPECT_EQ(InsertText("abc", "X", -2147483647 - 1), "Xabc");
    EXPECT_EQ(LeftPart("abc", 2147483647), "abc");
    EXPECT_EQ(RightPart("abc", -2147483647 - 1), "c");
    EXPECT_EQ(FindText("abc", "c", -2147483647 - 1), 3);
    EXPECT_EQ(HexText(1, -2147483647 - 1), "00000000000001");
    EXPECT_EQ(RotateShape("a", -2147483647 - 1), "a");
}
