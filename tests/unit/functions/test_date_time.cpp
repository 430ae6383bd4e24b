#include "builtins/DateTime.h"
#include "tests/unit/functions/FunctionCases.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

// 7 March 2024, 15:04:05.
double Sample()
{
    double date = 0, time = 0;
    DateTime::EncodeDate(2024, 3, 7, date);
    DateTime::EncodeTime(15, 4, 5, 0, time);
    return date + time;
}

std::string Formatted(std::string_view pattern, double value)
{
    AnsiString text;
    if (!DateTime::Format(pattern, value, text)) return "(no date)";
    return text;
}

TEST(DateTime, PatternElements)
{
    const double t = Sample();
    double midnight = 0;
    DateTime::EncodeDate(2024, 3, 7, midnight);
    struct Case {
        const char* pattern;
        double value;
        const char* expected;
    };
    const Case cases[] = {
        { "m/d/yyyy", t, "3/7/2024" },
        { "h:nn:ss AM/PM", t, "3:04:05 PM" },
        { "c", t, "3/7/2024 3:04:05 PM" },
        { "c", midnight, "3/7/2024" },
        { "dd.mm.yy", t, "07.03.24" },
        { "ddd dddd", t, "Thu Thursday" },
        { "ddddd|dddddd", t, "3/7/2024|Thursday, March 7, 2024" },
        { "mmm mmmm", t, "Mar March" },
        { "y yyy", t, "24 2024" },
        // m after h is minutes, also across a separator; after anything else a month.
        { "h:m hh:mm", t, "15:4 15:04" },
        { "YYYY-MM-DD HH:NN:SS.ZZZ", t + 0.123 / 86400, "2024-03-07 15:04:05.123" },
        { "z", t + 0.007 / 86400, "7" },
        { "t|tt", t, "3:04 PM|3:04:05 PM" },
        // An am/pm element anywhere makes the hours 12-hour, its case kept.
        { "AM/PM' 'hh:nn:ss", t, "PM 03:04:05" },
        { "hh am/pm", midnight, "12 am" },
        { "h a/p|h A/P", t, "3 p|3 P" },
        { "h ampm", midnight + 0.25, "6 AM" },
        { "'yyyy' \"mm\" x", t, "yyyy mm x" },
        { "xqw", t, "xqw" },
        { "'unterminated", t, "unterminated" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(Formatted(c.pattern, c.value), c.expected) << c.pattern;
}

TEST(DateTime, DecodingRoundsToTheMillisecondAndCountsTimeForwardBeforeTheEpoch)
{
    DateTime::Parts p;
    ASSERT_TRUE(DateTime::Decode(-1.25, p));
    EXPECT_EQ(std::vector<int>({ p.year, p.month, p.day, p.hour, p.minute }), std::vector<int>({ 1899, 12, 29, 6, 0 }));
    // 23:59:59.9996 rounds up into the next day.
    ASSERT_TRUE(DateTime::Decode(1 - 0.0004 / 86400, p));
    EXPECT_EQ(std::vector<int>({ p.day, p.hour, p.second, p.millisecond }), std::vector<int>({ 31, 0, 0, 0 }));
    ASSERT_TRUE(DateTime::Decode(0, p));
    EXPECT_EQ(p.dayOfWeek, 7); // a Saturday
    double date = 0;
    ASSERT_TRUE(DateTime::EncodeDate(9999, 12, 31, date));
    EXPECT_TRUE(DateTime::Decode(date, p));
    EXPECT_FALSE(DateTime::Decode(date + 1, p));
    EXPECT_FALSE(DateTime::Decode(-693594, p)); // 31 December of the year 0
    EXPECT_FALSE(DateTime::Decode(std::numeric_limits<double>::quiet_NaN(), p));
    EXPECT_FALSE(DateTime::Decode(1e300, p));
}

TEST(DateTime, EncodingRefusesDatesAndTimesThatDoNotExist)
{
    double v = 0;
    EXPECT_TRUE(DateTime::EncodeDate(2024, 2, 29, v));
    EXPECT_FALSE(DateTime::EncodeDate(2023, 2, 29, v));
    EXPECT_FALSE(DateTime::EncodeDate(1900, 2, 29, v));
    EXPECT_FALSE(DateTime::EncodeDate(2000, 13, 1, v));
    EXPECT_FALSE(DateTime::EncodeDate(10000, 1, 1, v));
    EXPECT_FALSE(DateTime::EncodeTime(24, 0, 0, 0, v));
    EXPECT_FALSE(DateTime::EncodeTime(0, 0, 0, 1000, v));
}

TEST(DateTime, Parsing)
{
    const int thisYear = 2024;
    struct Case {
        const char* text;
        const char* expected; // formatted with "yyyy-mm-dd hh:nn:ss.zzz", or "fails"
    };
    const Case cases[] = {
        { "3/7/2024", "2024-03-07 00:00:00.000" },
        { " 3/7/2024 3:04:05 PM ", "2024-03-07 15:04:05.000" },
        { "3/7/2024 15:04", "2024-03-07 15:04:00.000" },
        { "3/7", "2024-03-07 00:00:00.000" },
        { "2024/03/07", "2024-03-07 00:00:00.000" },
        { "2024/3/7 12:00:00 am", "2024-03-07 00:00:00.000" },
        { "12/31/73", "2073-12-31 00:00:00.000" },
        { "1/1/74", "1974-01-01 00:00:00.000" },
        { "1/1/0074", "0074-01-01 00:00:00.000" },
        { "3/7/2024 1:02:03.5", "2024-03-07 01:02:03.500" },
        { "15:04:05", "1899-12-30 15:04:05.000" },
        { "2/30/2024", "fails" },
        { "13/1/2024", "fails" },
        { "3/7/2024 13:00 PM", "fails" },
        { "3/7/2024 25:00", "fails" },
        { "2024/3", "fails" },
        { "3/7/2024 x", "fails" },
        { "", "fails" },
        { "monday", "fails" },
        { "99999999999/1/1", "fails" },
    };
    for (const Case& c : cases) {
        double value = 0;
        const bool read = DateTime::Parse(c.text, thisYear, value);
        EXPECT_EQ(read ? Formatted("yyyy-mm-dd hh:nn:ss.zzz", value) : "fails", c.expected) << c.text;
    }
}

TEST(DateTime, ParsingReadsBackWhatFormattingWrote)
{
    const double t = Sample();
    for (std::string_view pattern : { "c", "yyyy/mm/dd", "m/d/yyyy h:nn:ss AM/PM" }) {
        double back = 0;
        ASSERT_TRUE(DateTime::Parse(Formatted(pattern, t), 2024, back)) << pattern;
        EXPECT_EQ(Formatted("c", back), Formatted("c", pattern == "yyyy/mm/dd" ? std::floor(t) : t));
    }
}

TEST(DateFunctions, ArgumentsResultsAndCatchResults)
{
    RunFunctionCases({
        { "dateval(1899, 12, 30)", "f:0" },
        { "dateval(2000, 13, 1)", "f:0" },
        { "dateval(2000, 0, 1)", "error 38" },
        { "timeval(1, 1, 1, 0)", "f:0.0423726851851852" },
        { "timeval(0, 30, 0, 0)", "error 38" },
        { "timeval(1, 1, 1, -1)", "error 38" },
        { "timeval(24, 1, 1, 0)", "f:0" },
        { "dayofweek(0)", "i:7" },
        { "year(dateval(2024, 3, 7) + 0.5)", "i:2024" },
        { "hour(-1.25)", "i:6" },
        { "day(-1.25)", "i:29" },
        { "year(1e9)", "f:0" },
        { "datestr(dateval(2024,3,7)+timeval(15,4,5,0))", "s:3/7/2024" },
        { "timestr(dateval(2024,3,7)+timeval(15,4,5,0))", "s:3:04:05 PM" },
        { "datetimestr(dateval(2024,3,7)+timeval(15,4,5,0))", "s:3/7/2024 3:04:05 PM" },
        { "datetimestr(dateval(2024,3,7))", "s:3/7/2024" },
        { "datetime(dateval(2024,3,7)+timeval(15,4,5,0))", "s:3/7/2024 3:04:05 PM" },
        { "datetime(dateval(2024,3,7), \"dddd\")", "s:Thursday" },
        { "datetime(\"x\")", "error 31" },
        { "datetimeval(\"3/7/2024 3:04:05 PM\") = dateval(2024,3,7)+timeval(15,4,5,0)", "i:1" },
        { "datetimeval(\"no date\")", "f:0" },
        { "datetimeval(5)", "error 35" },
        { "hour(\"x\")", "error 36" },
        { "degrees(10, 30)", "f:10.5" },
        { "degrees(-10, 30)", "f:-10.5" },
        { "degrees(-0.5, 30)", "f:-1" },
        { "degrees(1, 30, 36)", "f:1.51" },
        { "degrees()", "f:0" },
        { "degrees(\"10 30 0 S\")", "f:-10.5" },
        { "degrees(\"10 30 0 N\")", "f:10.5" },
        { "degrees(\"-10 30\")", "f:-10.5" },
        { "degrees(\"118 15 0 E\")", "f:-118.25" },
        { "degrees(\"1 2 3 4\")", "f:1.03416666666667" },
        { "degrees(\"north\")", "f:-9999" },
        { "degrees(\"10 30\", 1)", "error 31" },
        { "lat_dms(10.5)", "s:10\xB0 30' 00.0\" N" },
        { "lat_dms(-10.5)", "s:10\xB0 30' 00.0\" S" },
        { "lon_dms(-118.25)", "s:118\xB0 15' 00.0\"  E" },
        { "lat_dm(45.5125)", "s:45\xB0 30.750' N" },
        { "lon_dm(5.25)", "s:005\xB0 15.000' W" },
        // 59.96 seconds read as sixty and carry into the minutes.
        { "lat_dms(10 + 29.0/60 + 59.96/3600)", "s:10\xB0 30' 00.0\" N" },
        { "lat_dm(9 + 59.9999/60)", "s:10\xB0 00.000' N" },
    });
}

TEST(DateFunctions, ClockFunctions)
{
    // The clock cannot be fixed; its texts are checked for their shape and
    // against each other.
    EXPECT_EQ(EvaluateFunction("length(time())"), "i:8");
    EXPECT_EQ(EvaluateFunction("right(left(time(0), 3), 1)"), "s: ");
    EXPECT_EQ(EvaluateFunction("length(date())"), "i:10");
    EXPECT_EQ(EvaluateFunction("now() - datetimeval(date()) >= 0 and now() - datetimeval(date()) < 1.001"), "i:1");
    EXPECT_EQ(EvaluateFunction("timer() > 0"), "i:1");
    EXPECT_EQ(EvaluateFunction("year(now()) >= 2024"), "i:1");
}

} // namespace
