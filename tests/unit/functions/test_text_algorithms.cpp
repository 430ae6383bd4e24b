#include "support/LibraryFailure.h"
#include "support/TextAlgorithms.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>

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
    EXPECT_EQ(CommaText("\r\nsay \"hi\""), ",\"say \"\"hi\"\"\"");
    EXPECT_EQ(CommaText(""), "");
}

TEST(TextAlgorithms, RepeatedTextsMatchRepeatingOneByOne)
{
    for (const AnsiString& piece : { AnsiString("x"), AnsiString("ab"), AnsiString("a,b\0c", 5) }) {
        for (int n : { -1, 0, 1, 2, 3, 5, 8, 1000, 4097 }) {
            AnsiString expected;
            for (int k = 0; k < n; ++k)
                expected += piece;
            EXPECT_EQ(RepeatText(piece, n), expected) << piece.size() << " x " << n;
        }
    }
    EXPECT_EQ(RepeatText("", 100), "");
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

// instring's search as it was first written, with the text library's find:
// the reference that the linear search must agree with.
int FindTextByFind(const AnsiString& s, const AnsiString& sub, int start)
{
    if (start < 1) start = 1;
    if (static_cast<std::size_t>(start) > s.size() || sub.empty()) return 0;
    const std::size_t at = s.find(sub, static_cast<std::size_t>(start - 1));
    return at == AnsiString::npos ? 0 : static_cast<int>(at + 1);
}

TEST(TextAlgorithms, FindTextAgreesWithThePlainSearch)
{
    const struct {
        AnsiString s, sub;
        int start, position;
    } cases[] = {
        { "abcabc", "c", 4, 6 },
        { "abc", "c", 9, 0 },
        { "abc", "", 1, 0 }, // an empty needle is never found
        { "", "", 0, 0 },
        { "", "a", 1, 0 },
        { "abc", "abcd", 1, 0 },
        { "abc", "c", 3, 3 },
        { "abc", "c", 4, 0 },
        { "abc", "a", INT_MIN, 1 },
        { "aAa", "A", 1, 2 }, // letter case counts
        { "abc", "C", 1, 0 },
        { "x\xE9x\xC9", "\xC9", 1, 4 },
        { AnsiString("a\0b\0c", 5), AnsiString("\0c", 2), 1, 4 },
        { AnsiString(300, 'a') + "b", AnsiString(299, 'a') + "b", 1, 2 },
        { AnsiString(300, 'a') + "b", AnsiString(299, 'a') + "b", 3, 0 },
        // Nearly a match at every place. Needles whose end bytes match
        // everywhere make the plain search hand on to the linear one, at once
        // for a long needle, after a while for a short one.
        { AnsiString(100000, 'a') + "b", AnsiString(50000, 'a') + "b", 1, 50001 },
        { AnsiString(100000, 'a') + "b", AnsiString(7, 'a') + "b", 99995, 0 },
        { AnsiString(100000, 'a') + "ba", AnsiString(50000, 'a') + "ba", 1, 50001 },
        { AnsiString(100000, 'a') + "aaabaaa", "aaabaaa", 5, 100001 },
        { AnsiString(100000, 'a') + "aaabaaa", "aaabaaa", 100002, 0 },
        { AnsiString(100000, 'a'), "aaabaaa", 1, 0 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.s.substr(0, 20) + " / " + c.sub.substr(0, 20) + " from " + std::to_string(c.start));
        EXPECT_EQ(FindText(c.s, c.sub, c.start), c.position);
        EXPECT_EQ(FindTextByFind(c.s, c.sub, c.start), c.position);
    }

    // Random texts over small alphabets, so that needles occur and nearly
    // occur often; the needles are mostly cut from the text. Long texts make
    // the plain search give up part way and hand the rest on; some needles
    // are past 256 bytes, where the library search changes its method.
    std::mt19937 random(20261211);
    int found = 0, longFound = 0;
    const AnsiString alphabets[] = { "ab", AnsiString("a\0\xFF", 3), "aA" };
    for (int round = 0; round < 20000; ++round) {
        const AnsiString& alphabet = alphabets[round % 3];
        const int length = static_cast<int>(random() % (round % 4 == 0 ? 2000 : 60));
        AnsiString s;
        for (int k = 0; k < length; ++k)
            s += alphabet[random() % alphabet.size()];
        AnsiString sub;
        if (length > 0 && random() % 4 != 0) {
            const std::size_t from = random() % s.size();
            sub = s.substr(from, 1 + random() % (round % 8 == 0 ? 600 : 12));
            if (random() % 3 == 0) sub.back() = alphabet[random() % alphabet.size()];
        } else {
            const int subLength = static_cast<int>(random() % 5);
            for (int k = 0; k < subLength; ++k)
                sub += alphabet[random() % alphabet.size()];
        }
        const int start = static_cast<int>(random() % (s.size() + 4)) - 2;
        const int position = FindText(s, sub, start);
        ASSERT_EQ(position, FindTextByFind(s, sub, start))
            << "round " << round << ": " << s << " / " << sub << " from " << start;
        found += position > 0;
        longFound += position > 0 && sub.size() > 256;
    }
    // The rounds reach both outcomes, and the long needles are found too.
    EXPECT_GT(found, 5000);
    EXPECT_GT(longFound, 200);
}
