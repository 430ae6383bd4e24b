#include "support/FormatPattern.h"
#include "support/LibraryFailure.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct PatternCase {
    double value;
    const char* pattern;
    const char* expected; // FormatFloat, without the padding of the function
};

} // namespace

TEST(FormatPattern, DigitPlacesSeparatorsAndRounding)
{
    const PatternCase cases[] = {
        { 1234.5, "#,##0.00", "1,234.50" },
        { 1234567.891, "#,##0.##", "1,234,567.89" },
        { 123, "#,##0", "123" },
        { 1000, "0,", "1,000" },
        { 0, "#", "" },
        { 0, "0", "0" },
        { 0.5, "#.##", ".5" },
        { 0.5, "0.##", "0.5" },
        { 1, "0.##", "1" },
        { 1.5, "0.0#", "1.5" },
        { 1.25, "0.0#", "1.25" },
        { 9.995, "0.00", "10.00" },
        { 0.125, "0.00", "0.13" },
        { -0.125, "0.00", "-0.13" },
        { 2.675, "0.00", "2.68" },
        { 12345, "00", "12345" },
        { 5, "000", "005" },
        { 5551234567.0, "(###) ###-####", "(555) 123-4567" },
        { 1.5, "0.0.0", "1.50" },
        { 12.5, ".00", "12.50" },
        { 1e20, "0", "100000000000000000000" },
        { 123456789012345678.0, "0", "123456789012346000" },
        { 0.1, "0.00000000000000000000", "0.10000000000000000000" },
    };
    for (const PatternCase& c : cases)
        EXPECT_EQ(FormatPattern::FormatFloat(c.value, c.pattern), c.expected) << c.value << " " << c.pattern;
}

TEST(FormatPattern, ExponentsLiteralsAndSections)
{
    const PatternCase cases[] = {
        { 12345, "0.00E+00", "1.23E+04" },
        { 12345, "0.00e-00", "1.23e04" },
        { 0.00012, "0.0E-0", "1.2E-4" },
        { 0.00012, "0.0E+0000", "1.2E-0004" },
        { 99999, "0.0E+0", "1.0E+5" },
        { 0, "0.0E+0", "0.0E+0" },
        { -12345, "0.00E+00", "-1.23E+04" },
        { 5, "0 'kg'", "5 kg" },
        { 5, "\"#\"0", "#5" },
        { 5, "'0;'0", "0;5" },
        { 1, "0;(0);zero", "1" },
        { -1, "0;(0);zero", "(1)" },
        { 0, "0;(0);zero", "zero" },
        { 0.001, "0.00;(0.00);nil", "nil" },
        { -0.001, "0.00;(0.00)", "0.00" },
        { -1, "0;;zero", "-1" },
        { 0, "0;(0);", "0" },
        { 1.5, "", "1.5" },
        { -1.5, ";(0)", "-1.5" },
    };
    for (const PatternCase& c : cases)
        EXPECT_EQ(FormatPattern::FormatFloat(c.value, c.pattern), c.expected) << c.value << " " << c.pattern;
}

TEST(FormatPattern, FunctionPadsToThePatternLengthAndRefusesLongPatterns)
{
    EXPECT_EQ(FormatPattern::FormatFunction(5, "#,##0.00"), "    5.00");
    EXPECT_EQ(FormatPattern::FormatFunction(123456, "0"), "123456");
    const std::string longest(224, '0');
    EXPECT_EQ(FormatPattern::FormatFunction(1, longest).size(), 224u);
    EXPECT_THROW(FormatPattern::FormatFunction(1, longest + "0"), LibraryFailure);
}
