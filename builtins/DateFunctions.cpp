#include "builtins/DateTime.h"
#include "builtins/FunctionFamilies.h"
#include "support/LibraryFailure.h"
#include "support/Navigation_class.h"

#include <cmath>
#include <cstdlib>

// The date and time functions, degrees and the latitude/longitude texts.

namespace {

DateTime::Parts DecodeOrFail(double value)
{
    DateTime::Parts parts;
    if (!DateTime::Decode(value, parts)) throw LibraryFailure { "Invalid date-time value" };
    return parts;
}

AnsiString FormatOrFail(std::string_view pattern, double value)
{
    AnsiString text;
    if (!DateTime::Format(pattern, value, text)) throw LibraryFailure { "Invalid date-time value" };
    return text;
}

void Now(FunctionCall& call)
{
    call.ReturnFloat(DateTime::Now());
}

void Timer(FunctionCall& call)
{
    call.ReturnFloat(Expression_Class::MillisecondClock());
}

// hour, minute, second, millisecond, year, month, day and dayofweek.
void Field(FunctionCall& call)
{
    const DateTime::Parts p = DecodeOrFail(call.FirstNumber());
    switch (static_cast<FunctionCode>(call.code)) {
    case FunctionCode::Hour:
        return call.ReturnInt(p.hour);
    case FunctionCode::Minute:
        return call.ReturnInt(p.minute);
    case FunctionCode::Second:
        return call.ReturnInt(p.second);
    case FunctionCode::Millisecond:
        return call.ReturnInt(p.millisecond);
    case FunctionCode::Year:
        return call.ReturnInt(p.year);
    case FunctionCode::Month:
        return call.ReturnInt(p.month);
    case FunctionCode::Day:
        return call.ReturnInt(p.day);
    default:
        return call.ReturnInt(p.dayOfWeek);
    }
}

void DateStr(FunctionCall& call)
{
    call.ReturnText(FormatOrFail(DateTime::ShortDate, call.FirstNumber()));
}

void TimeStr(FunctionCall& call)
{
    call.ReturnText(FormatOrFail(DateTime::LongTime, call.FirstNumber()));
}

void DateTimeStr(FunctionCall& call)
{
    call.ReturnText(FormatOrFail(DateTime::DateAndTime, call.FirstNumber()));
}

void DateTimeVal(FunctionCall& call)
{
    double value = 0;
    if (!DateTime::Parse(call.FirstText(), DateTime::CurrentYear(), value))
        throw LibraryFailure { "Not a valid date and time" };
    call.ReturnFloat(value);
}

void DateVal(FunctionCall& call)
{
    const int year = call.FirstInt();
    const int month = call.NextInt();
    const int day = call.NextInt();
    if (year <= 0 || month <= 0 || day <= 0) call.Raise(ErrorCode::FunctionParameterNotAllowed);
    double value = 0;
    if (!DateTime::EncodeDate(year, month, day, value)) throw LibraryFailure { "Not a valid date" };
    call.ReturnFloat(value);
}

void TimeVal(FunctionCall& call)
{
    const int hour = call.FirstInt();
    const int minute = call.NextInt();
    const int second = call.NextInt();
    const int millisecond = call.NextInt();
    if (hour <= 0 || minute <= 0 || second <= 0 || millisecond < 0) call.Raise(ErrorCode::FunctionParameterNotAllowed);
    double value = 0;
    if (!DateTime::EncodeTime(hour, minute, second, millisecond, value)) throw LibraryFailure { "Not a valid time" };
    call.ReturnFloat(value);
}

// time ([mode]) and date ([mode]), read by signature: the mode defaults to 1.
void Time(FunctionCall& call)
{
    const bool plain = call.ex.argFloat[0] != 0;
    call.ReturnText(FormatOrFail(plain ? "hh:nn:ss" : "AM/PM' 'hh:nn:ss", DateTime::Now()));
}

void Date(FunctionCall& call)
{
    const bool plain = call.ex.argFloat[0] != 0;
    call.ReturnText(FormatOrFail(plain ? "yyyy/mm/dd" : "yyyy/mm/dd' 'dddd':'mmmm", DateTime::Now()));
}

// datetime (t [, pattern]); an empty pattern is the short date and long time.
void DateTimeFormat(FunctionCall& call)
{
    const AnsiString& pattern = call.ex.argText[1];
    call.ReturnText(FormatOrFail(pattern.empty() ? DateTime::DateAndTime : pattern, call.ex.argFloat[0]));
}

// A number of the degrees text: the class library's float conversion, or 0
// when the run does not read as one.
bool ReadNumber(const AnsiString& run, double& value)
{
    if (run.empty()) return false;
    char* end = nullptr;
    value = std::strtod(run.c_str(), &end);
    if (end != run.c_str() + run.size() || !std::isfinite(value)) {
        value = 0;
        return false;
    }
    return true;
}

double ParseDegreesText(const AnsiString& text)
{
    static const std::string_view numberCharacters = "-+.0123456789";
    AnsiString runs[3];
    int count = 0;
    bool inRun = false;
    for (const char c : text) {
        if (numberCharacters.find(c) != std::string_view::npos) {
            if (!inRun) {
                if (count == 3) break;
                ++count;
                inRun = true;
            }
            runs[count - 1] += c;
        } else {
            inRun = false;
        }
    }
    double numbers[3] = {};
    bool anyRead = false;
    for (int k = 0; k < 3; ++k)
        anyRead = ReadNumber(runs[k], numbers[k]) || anyRead;
    if (!anyRead) return Navigation_Class::NoSolution;
    const double result = std::fabs(numbers[0]) + std::fabs(numbers[1]) / 60 + std::fabs(numbers[2]) / 3600;
    const bool south = text.find(" S") != AnsiString::npos || text.find(" E") != AnsiString::npos;
    return numbers[0] < 0 || south ? -result : result;
}

bool Given(char argType)
{
    return argType == Tag::Int || argType == Tag::Float || argType == Tag::String;
}

// degrees (d [, m [, s]]) or degrees (text).
void Degrees(FunctionCall& call)
{
    const Expression_Class& ex = call.ex;
    if (ex.argType[0] == Tag::String) {
        if (Given(ex.argType[1]) || Given(ex.argType[2])) call.Raise(ErrorCode::ParameterShouldBeNumeric);
        return call.ReturnFloat(ParseDegreesText(ex.argText[0]));
    }
    const double d = Given(ex.argType[0]) ? ex.argFloat[0] : 0;
    const double m = Given(ex.argType[1]) ? ex.argFloat[1] : 0;
    const double s = Given(ex.argType[2]) ? ex.argFloat[2] : 0;
    const double sign = d < 0 ? -1 : 1;
    call.ReturnFloat(sign * (std::fabs(d) + std::fabs(m / 60) + std::fabs(s / 3600)));
}

void LatLonText(FunctionCall& call)
{
    const double x = call.FirstNumber();
    switch (static_cast<FunctionCode>(call.code)) {
    case FunctionCode::LatDms:
        return call.ReturnText(Navigation_Class::LatDms(x));
    case FunctionCode::LonDms:
        return call.ReturnText(Navigation_Class::LonDms(x));
    case FunctionCode::LatDm:
        return call.ReturnText(Navigation_Class::LatDm(x));
    default:
        return call.ReturnText(Navigation_Class::LonDm(x));
    }
}

constexpr FunctionEntry entries[] = {
    { FunctionCode::Now, FirstArgument::None, Now },
    { FunctionCode::Timer, FirstArgument::None, Timer },
    { FunctionCode::Hour, FirstArgument::Number, Field },
    { FunctionCode::Minute, FirstArgument::Number, Field },
    { FunctionCode::Second, FirstArgument::Number, Field },
    { FunctionCode::Millisecond, FirstArgument::Number, Field },
    { FunctionCode::Year, FirstArgument::Number, Field },
    { FunctionCode::Month, FirstArgument::Number, Field },
    { FunctionCode::Day, FirstArgument::Number, Field },
    { FunctionCode::Dayofweek, FirstArgument::Number, Field },
    { FunctionCode::Datestr, FirstArgument::Number, DateStr },
    { FunctionCode::Timestr, FirstArgument::Number, TimeStr },
    { FunctionCode::Datetimestr, FirstArgument::Number, DateTimeStr },
    { FunctionCode::Datetimeval, FirstArgument::Text, DateTimeVal },
    { FunctionCode::Dateval, FirstArgument::Number, DateVal },
    { FunctionCode::Timeval, FirstArgument::Number, TimeVal },
    { FunctionCode::Time, FirstArgument::Signature, Time },
    { FunctionCode::Date, FirstArgument::Signature, Date },
    { FunctionCode::Datetime, FirstArgument::Signature, DateTimeFormat },
    { FunctionCode::Degrees, FirstArgument::Signature, Degrees },
    { FunctionCode::LatDms, FirstArgument::Number, LatLonText },
    { FunctionCode::LonDms, FirstArgument::Number, LatLonText },
    { FunctionCode::LatDm, FirstArgument::Number, LatLonText },
    { FunctionCode::LonDm, FirstArgument::Number, LatLonText },
};

} // namespace

std::span<const FunctionEntry> DateFunctionEntries()
{
    return entries;
}
