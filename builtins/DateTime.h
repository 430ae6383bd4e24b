#pragma once

#include "base/Values.h"

#include <cstdint>
#include <string_view>

// Date-time values: doubles that count days since 30 December 1899, the time of
// day as the fraction. Before that day the time is still counted forward from
// midnight: -1.25 is 29 December 1899, 06:00.
//
// Texts follow one fixed English record, never the user's locale: "/" and ":"
// as separators, short date "m/d/yyyy", long date "dddd, mmmm d, yyyy", short
// time "h:nn AM/PM", long time "h:nn:ss AM/PM".
namespace DateTime {

struct Parts {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
    int dayOfWeek = 0; // 1 Sunday .. 7 Saturday
};

// The value of a date at midnight; false when the date does not exist or its
// year lies outside 1..9999.
bool EncodeDate(int year, int month, int day, double& value);
// The value of a time of day on day 0; false unless hour < 24, minute < 60,
// second < 60 and millisecond < 1000 (none negative).
bool EncodeTime(int hour, int minute, int second, int millisecond, double& value);
// Joins a date and a time of day as the convention counts them.
double Combine(double date, double time);
// Takes a value apart, rounded to the millisecond; false when it is not finite
// or its year lies outside 1..9999.
bool Decode(double value, Parts& parts);

// Formats a value by a date-time pattern (letters in any case): c, d .. dddddd,
// m .. mmmm (minutes after h), y yy yyyy, h hh n nn s ss z zzz, t tt, am/pm a/p
// ampm, "/" ":", quoted literals. False when the value cannot be decoded.
bool Format(std::string_view pattern, double value, AnsiString& text);

// The fixed patterns.
constexpr std::string_view ShortDate = "m/d/yyyy";
constexpr std::string_view LongTime = "h:nn:ss AM/PM";
// Short date and long time, the time left out at midnight.
constexpr std::string_view DateAndTime = "c";

// Reads month/day[/year] (year/month/day when the first number has three or
// more digits), then an optional h:nn[:ss[.zzz]] with an optional AM or PM, or
// a time alone (day 0). A missing year is thisYear; a two-digit year lies in
// the hundred years that start 50 before thisYear. False for anything else.
bool Parse(std::string_view text, int thisYear, double& value);

// The current local date-time (TZ, else /etc/localtime) with milliseconds, and
// the current local year.
double Now();
int CurrentYear();

} // namespace DateTime
