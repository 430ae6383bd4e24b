#include "EngineHarness.h"
#include "interpreter/ProgramFiles.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <string>
#include <utility>

TEST(NumberHelpers, ClampAndTruncate)
{
    EXPECT_EQ(Expression_Class::ClampToInt(3e9), 2147483647);
    EXPECT_EQ(Expression_Class::ClampToInt(-3e9), -2147483648);
    EXPECT_EQ(Expression_Class::ClampToInt(-2.9), -2);
    EXPECT_EQ(Expression_Class::ClampToInt(std::numeric_limits<double>::infinity()), 2147483647);
    EXPECT_EQ(Expression_Class::ClampToInt(std::nan("")), 0);
    EXPECT_EQ(Expression_Class::TruncateToInt(2147483648.0), -2147483648);
    EXPECT_EQ(Expression_Class::TruncateToInt(-2147483648.9), -2147483648);
    EXPECT_EQ(Expression_Class::TruncateToInt(std::nan("")), -2147483648);
    EXPECT_EQ(Expression_Class::TruncateToInt(7.9), 7);
}

TEST(NumberHelpers, RoundToIntChecked)
{
    EngineHarness engine;
    Expression_Class& ex = engine.Attach("x");
    EXPECT_EQ(ex.RoundToIntChecked(3e9, false), -1294967296);
    EXPECT_EQ(ex.RoundToIntChecked(3e9, true), -1294967296);
    EXPECT_EQ(ex.RoundToIntChecked(-7.9, true), -7);
    EXPECT_EQ(ex.RoundToIntChecked(1e19, false), 2147483647);
    EXPECT_EQ(ex.RoundToIntChecked(-1e19, false), -2147483648);
    EXPECT_EQ(ex.RoundToIntChecked(std::nan(""), false), -2147483648);
    try {
        ex.RoundToIntChecked(1e19, true);
        FAIL() << "no error";
    } catch (const RunTimeError& error) {
        EXPECT_EQ(error.number, 42);
    }
}

TEST(NumberHelpers, NumberTexts)
{
    struct Case {
        const char* text;
        char classified;
        char converted;
        double value;
    };
    const Case cases[] = {
        { "12", 'i', 'i', 12 },
        { "12.0", 'f', 'f', 12 },
        { "1e3", 'f', 'f', 1000 },
        { "2147483648", 'f', 'f', 2147483648.0 },
        { "-2147483648", 'f', 'f', -2147483648.0 },
        { "-2147483647", 'i', 'i', -2147483647 },
        { " 5 ", 'i', 'i', 5 },
        { "abc", 's', 's', 0 },
        { "", 's', 's', 0 },
        { "1e", 's', 's', 0 },
        { "1e999", 's', 's', 0 },
        { "0x1F", 's', 'i', 31 },
        { "0XFFFFFFFF", 's', 'i', -1 },
        { "0x1FFFFFFFF", 's', 's', 0 },
        { "0%0", 's', 'i', 0 },
        { "0%101", 's', 'i', 5 },
        { "0%102", 's', 's', 0 },
        { "0%", 's', 's', 0 },
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Expression_Class::ClassifyNumberText(c.text), c.classified) << c.text;
        double value = 0;
        EXPECT_EQ(Expression_Class::TextToNumber(c.text, value), c.converted) << c.text;
        if (c.converted != 's') {
            EXPECT_EQ(value, c.value) << c.text;
        }
    }
}

TEST(NumberHelpers, BinaryLiterals)
{
    EXPECT_EQ(Expression_Class::ParseBinaryLiteral("0%1011"), 11);
    EXPECT_EQ(Expression_Class::ParseBinaryLiteral("0%12"), 0);
    EXPECT_EQ(Expression_Class::ParseBinaryLiteral("7"), 7);
    EXPECT_EQ(Expression_Class::ParseBinaryLiteral("1%1"), 0);
    EXPECT_EQ(Expression_Class::ParseBinaryLiteral("0%" + std::string(32, '1')), -1);
    EXPECT_EQ(Expression_Class::ParseBinaryLiteral("0%1" + std::string(32, '0')), 0);
}

TEST(NumberHelpers, Relations)
{
    EngineHarness engine;
    Expression_Class& ex = engine.Attach("x");
    auto text = [](const char* s) {
        Value v;
        v.setString(s);
        return v;
    };
    auto number = [](double d) {
        Value v;
        v.setFloat(d);
        return v;
    };
    EXPECT_EQ(ex.ApplyRelation(Relation::Less, text("abc"), text("abd")), 1);
    EXPECT_EQ(ex.ApplyRelation(Relation::Less, text("B"), text("a")), 1);
    EXPECT_EQ(ex.ApplyRelation(Relation::Greater, text("\xe9"), text("z")), 1);
    EXPECT_EQ(ex.ApplyRelation(Relation::GreaterOrEqual, text("a"), text("a")), 1);
    EXPECT_EQ(ex.ApplyRelation(Relation::Contains, text("bc"), text("abcd")), 1);
    EXPECT_EQ(ex.ApplyRelation(Relation::Contains, text(""), text("x")), 1);
    EXPECT_EQ(ex.ApplyRelation(Relation::Contains, number(1), number(1)), 0);
    double nan = std::nan("");
    EXPECT_EQ(ex.ApplyRelation(Relation::Less, number(nan), number(1)), 1);
    EXPECT_EQ(ex.ApplyRelation(Relation::LessOrEqual, number(nan), number(1)), 1);
    EXPECT_EQ(ex.ApplyRelation(Relation::Equal, number(nan), number(1)), 1);
    EXPECT_EQ(ex.ApplyRelation(Relation::NotEqual, number(nan), number(1)), 0);
    EXPECT_EQ(ex.ApplyRelation(Relation::Greater, number(nan), number(1)), 0);
    try {
        ex.ApplyRelation(Relation::Equal, text("1"), number(1));
        FAIL() << "no error";
    } catch (const RunTimeError& error) {
        EXPECT_EQ(error.number, 0);
    }
}

TEST(NumberHelpers, CollapseDoubledQuotesPairsLeftToRight)
{
    EXPECT_EQ(Expression_Class::CollapseDoubledQuotes("a\"\"b"), "a\"b");
    EXPECT_EQ(Expression_Class::CollapseDoubledQuotes("\"\"\"\""), "\"\"");
    EXPECT_EQ(Expression_Class::CollapseDoubledQuotes("\"\"\""), "\"\"");
    EXPECT_EQ(Expression_Class::CollapseDoubledQuotes("plain"), "plain");
}

TEST(NumberHelpers, ClockAndPower)
{
    double before = Expression_Class::MillisecondClock();
    double after = Expression_Class::MillisecondClock();
    EXPECT_GE(after, before);
    EXPECT_EQ(Expression_Class::PowerOf(0, 0), 1.0);
    EXPECT_EQ(Expression_Class::PowerOf(2, 10), 1024.0);
}

TEST(FloatText, Formats)
{
    struct Case {
        double value;
        const char* text;
    };
    const Case cases[] = {
        { 0, "0" },
        { 3.5, "3.5" },
        { -3.5, "-3.5" },
        { 12, "12" },
        { 1.5e20, "1.5E20" },
        { 1e-6, "1E-6" },
        { 0.00001, "0.00001" },
        { 0.000012345, "0.000012345" },
        { 123456789012345.0, "123456789012345" },
        { 1e15, "1E15" },
        { 999999999999999.9, "1E15" },
        { 1.0 / 3, "0.333333333333333" },
        { 2.0 / 3, "0.666666666666667" },
        { 3.141592653589793, "3.14159265358979" },
        { 0.1 + 0.2, "0.3" },
        { -1.25e-7, "-1.25E-7" },
        { 1e100, "1E100" },
        { 2147483648.0, "2147483648" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(FloatToStr(c.value), c.text) << c.value;
    EXPECT_EQ(FloatToStr(std::numeric_limits<double>::infinity()), "INF");
    EXPECT_EQ(FloatToStr(std::nan("")), "NAN");
    EXPECT_EQ(IntToStr(-2147483647 - 1), "-2147483648");
}

TEST(ProgramFiles, LineEndsWidenedInPlaceOrCopied)
{
    const std::pair<std::string, std::string> cases[] = {
        { "", "" },
        { "\n", "\r\n" },
        { "a\nb", "a\r\nb" },
        { "a\r\nb\n", "a\r\nb\r\n" },
        { "\n\n\r\n\n", "\r\n\r\n\r\n\r\n" },
        { "x\r\ry\n\r", "x\r\ry\r\n\r" },
        { std::string(40, '\n') + "z",
            [] {
                std::string lines;
                for (int k = 0; k < 40; ++k)
                    lines += "\r\n";
                return lines + "z";
            }() },
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(ProgramFiles::NormaliseLineEnds(text), expected);
        // Moved in, with room to widen in place and without.
        std::string roomy = text;
        roomy.reserve(2 * text.size() + 8);
        EXPECT_EQ(ProgramFiles::NormaliseLineEnds(std::move(roomy)), expected);
        std::string tight = text;
        tight.shrink_to_fit();
        EXPECT_EQ(ProgramFiles::NormaliseLineEnds(std::move(tight)), expected);
    }
}
