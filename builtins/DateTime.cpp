#include "builtins/DateTime.h"

#include <cctype>
#include <cmath>
#include <ctime>

namespace DateTime {

namespace {

constexpr int64_t MillisecondsPerDay = 86400000;
// Days from 1 January 1970 back to 30 December 1899.
constexpr int64_t EpochOffset = 25569;

const char* const ShortDayNames[] = { "Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat" };
const char* const LongDayNames[] = { "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday" };
const char* const ShortMonthNames[]
    = { "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec" };
const char* const LongMonthNames[] = { "January", "February", "March", "April", "May", "June", "July", "August",
    "September", "October", "November", "December" };

constexpr std::string_view LongDate = "dddd, mmmm d, yyyy";
constexpr std::string_view ShortTime = "h:nn AM/PM";

// Days since 1 January 1970 of a proleptic Gregorian date, and back.
int64_t DaysFromCivil(int64_t y, int m, int d)
{
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(int64_t z, int& y, int& m, int& d)
{
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(yoe + era * 400 + (m <= 2));
}

bool IsLeap(int y)
{
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int DaysInMonth(int y, int m)
{
    static const int days[] = { 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31 };
    return m == 2 && IsLeap(y) ? 29 : days[m - 1];
}

void AppendNumber(AnsiString& out, int value, int digits)
{
    AnsiString number = std::to_string(value);
    if (static_cast<int>(number.size()) < digits) number.insert(0, static_cast<size_t>(digits) - number.size(), '0');
    out += number;
}

bool StartsWithNoCase(std::string_view text, size_t at, std::string_view word)
{
    if (text.size() - at < word.size()) return false;
    for (size_t k = 0; k < word.size(); ++k)
        if (std::tolower(static_cast<unsigned char>(text[at + k])) != word[k]) return false;
    return true;
}

// Whether a pattern holds an am/pm element outside quotes: its hours are then
// counted on the 12-hour clock, wherever the element stands.
bool UsesTwelveHourClock(std::string_view pattern)
{
    char quote = 0;
    for (size_t k = 0; k < pattern.size(); ++k) {
        const char c = pattern[k];
        if (quote) {
            if (c == quote) quote = 0;
        } else if (c == '\'' || c == '"') {
            quote = c;
        } else if (c == 'a' || c == 'A') {
            if (StartsWithNoCase(pattern, k, "am/pm") || StartsWithNoCase(pattern, k, "a/p")
                || StartsWithNoCase(pattern, k, "ampm"))
                return true;
        }
    }
    return false;
}

// The fixed patterns nest only one level (c into the short date and long
// time), so the depth bound is never met by them; it keeps a pattern from
// recursing should one ever name itself.
void FormatInto(AnsiString& out, std::string_view pattern, const Parts& p, int depth)
{
    if (depth > 2) return;
    const bool twelveHour = UsesTwelveHourClock(pattern);
    char lastLetter = 0;
    size_t k = 0;
    while (k < pattern.size()) {
        const char start = pattern[k];
        char token = static_cast<char>(std::toupper(static_cast<unsigned char>(start)));
        if (token >= 'A' && token <= 'Z') {
            if (token == 'M' && lastLetter == 'H') token = 'N';
            lastLetter = token;
        }
        // The run of the same letter (any case) that starts here.
        size_t count = 1;
        auto countRun = [&] {
            while (k + count < pattern.size()
                && std::toupper(static_cast<unsigned char>(pattern[k + count]))
                    == std::toupper(static_cast<unsigned char>(start)))
                ++count;
        };
        switch (token) {
        case 'Y':
            countRun();
            if (count <= 2)
                AppendNumber(out, p.year % 100, 2);
            else
                AppendNumber(out, p.year, 4);
            break;
        case 'M':
            countRun();
            if (count == 1)
                AppendNumber(out, p.month, 0);
            else if (count == 2)
                AppendNumber(out, p.month, 2);
            else if (count == 3)
                out += ShortMonthNames[p.month - 1];
            else
                out += LongMonthNames[p.month - 1];
            break;
        case 'D':
            countRun();
            if (count <= 2)
                AppendNumber(out, p.day, static_cast<int>(count == 1 ? 0 : 2));
            else if (count == 3)
                out += ShortDayNames[p.dayOfWeek - 1];
            else if (count == 4)
                out += LongDayNames[p.dayOfWeek - 1];
            else
                FormatInto(out, count == 5 ? ShortDate : LongDate, p, depth + 1);
            break;
        case 'H': {
            countRun();
            int hour = p.hour;
            if (twelveHour) {
                hour %= 12;
                if (hour == 0) hour = 12;
            }
            AppendNumber(out, hour, count == 1 ? 0 : 2);
            break;
        }
        case 'N':
            countRun();
            AppendNumber(out, p.minute, count == 1 ? 0 : 2);
            break;
        case 'S':
            countRun();
            AppendNumber(out, p.second, count == 1 ? 0 : 2);
            break;
        case 'Z':
            countRun();
            AppendNumber(out, p.millisecond, count == 1 ? 0 : 3);
            break;
        case 'T':
            countRun();
            FormatInto(out, count == 1 ? ShortTime : LongTime, p, depth + 1);
            break;
        case 'C':
            countRun();
            FormatInto(out, ShortDate, p, depth + 1);
            if (p.hour != 0 || p.minute != 0 || p.second != 0) {
                out += ' ';
                FormatInto(out, LongTime, p, depth + 1);
            }
            break;
        case 'A':
            if (StartsWithNoCase(pattern, k, "am/pm")) {
                // The marker is copied from the pattern, in the case written there.
                out += pattern.substr(p.hour >= 12 ? k + 3 : k, 2);
                count = 5;
            } else if (StartsWithNoCase(pattern, k, "a/p")) {
                out += pattern[p.hour >= 12 ? k + 2 : k];
                count = 3;
            } else if (StartsWithNoCase(pattern, k, "ampm")) {
                out += p.hour >= 12 ? "PM" : "AM";
                count = 4;
            } else {
                out += start;
            }
            break;
        case '/':
            out += '/';
            break;
        case ':':
            out += ':';
            break;
        case '\'':
        case '"': {
            size_t end = k + 1;
            while (end < pattern.size() && pattern[end] != start)
                ++end;
            out.append(pattern.substr(k + 1, end - k - 1));
            count = end < pattern.size() ? end - k + 1 : end - k;
            break;
        }
        default:
            out += start;
            break;
        }
        k += count;
    }
}

// A small reader over the text of Parse.
struct Reader {
    std::string_view text;
    size_t at = 0;

    void SkipBlanks()
    {
        while (at < text.size() && (text[at] == ' ' || text[at] == '\t'))
            ++at;
    }
    bool Peek(char c) const { return at < text.size() && text[at] == c; }
    bool Take(char c)
    {
        if (!Peek(c)) return false;
        ++at;
        return true;
    }
    bool PeekDigit() const { return at < text.size() && std::isdigit(static_cast<unsigned char>(text[at])); }
    // A run of digits: false when there is none or it is too long to mean anything.
    bool Number(int& value, int& digits)
    {
        value = 0;
        digits = 0;
        while (PeekDigit()) {
            if (++digits > 9) return false;
            value = value * 10 + (text[at++] - '0');
        }
        return digits > 0;
    }
    bool AtEnd()
    {
        SkipBlanks();
        return at == text.size();
    }
};

bool ReadTime(Reader& r, double& time)
{
    int hour = 0, minute = 0, second = 0, millisecond = 0, digits = 0;
    if (!r.Number(hour, digits) || !r.Take(':') || !r.Number(minute, digits)) return false;
    if (r.Take(':')) {
        if (!r.Number(second, digits)) return false;
        if (r.Take('.')) {
            if (!r.Number(millisecond, digits) || digits > 3) return false;
            // ".5" is half a second.
            for (; digits < 3; ++digits)
                millisecond *= 10;
        }
    }
    r.SkipBlanks();
    if (StartsWithNoCase(r.text, r.at, "am") || StartsWithNoCase(r.text, r.at, "pm")) {
        const bool afternoon = std::tolower(static_cast<unsigned char>(r.text[r.at])) == 'p';
        r.at += 2;
        if (hour < 1 || hour > 12) return false;
        hour = hour % 12 + (afternoon ? 12 : 0);
    }
    return EncodeTime(hour, minute, second, millisecond, time);
}

int WindowedYear(int twoDigits, int thisYear)
{
    const int first = thisYear - 50;
    int year = first - first % 100 + twoDigits;
    if (year < first) year += 100;
    return year;
}

} // namespace

bool EncodeDate(int year, int month, int day, double& value)
{
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month)) return false;
    value = static_cast<double>(DaysFromCivil(year, month, day) + EpochOffset);
    return true;
}

bool EncodeTime(int hour, int minute, int second, int millisecond, double& value)
{
    if (hour < 0 || hour >= 24 || minute < 0 || minute >= 60 || second < 0 || second >= 60 || millisecond < 0
        || millisecond >= 1000)
        return false;
    value = (hour * 3600000.0 + minute * 60000.0 + second * 1000.0 + millisecond) / MillisecondsPerDay;
    return true;
}

double Combine(double date, double time)
{
    return date < 0 ? date - time : date + time;
}

bool Decode(double value, Parts& parts)
{
    // Well past both ends of the years 1 to 9999, so the millisecond count fits.
    if (!std::isfinite(value) || std::fabs(value) > 4.0e6) return false;
    const int64_t total = std::llround(value * static_cast<double>(MillisecondsPerDay));
    const int64_t days = total / MillisecondsPerDay;
    int64_t time = total % MillisecondsPerDay;
    if (time < 0) time = -time;
    CivilFromDays(days - EpochOffset, parts.year, parts.month, parts.day);
    if (parts.year < 1 || parts.year > 9999) return false;
    parts.hour = static_cast<int>(time / 3600000);
    parts.minute = static_cast<int>(time / 60000 % 60);
    parts.second = static_cast<int>(time / 1000 % 60);
    parts.millisecond = static_cast<int>(time % 1000);
    // 1 January 1970 was a Thursday.
    const int64_t weekday = ((days - EpochOffset + 4) % 7 + 7) % 7;
    parts.dayOfWeek = static_cast<int>(weekday) + 1;
    return true;
}

bool Format(std::string_view pattern, double value, AnsiString& text)
{
    Parts parts;
    if (!Decode(value, parts)) return false;
    text.clear();
    FormatInto(text, pattern, parts, 0);
    return true;
}

bool Parse(std::string_view text, int thisYear, double& value)
{
    Reader r { text };
    r.SkipBlanks();
    // A time alone: digits then ":".
    size_t digitsEnd = r.at;
    while (digitsEnd < text.size() && std::isdigit(static_cast<unsigned char>(text[digitsEnd])))
        ++digitsEnd;
    if (digitsEnd < text.size() && text[digitsEnd] == ':') {
        double time = 0;
        if (!ReadTime(r, time) || !r.AtEnd()) return false;
        value = time;
        return true;
    }

    int numbers[3] = {};
    int digits[3] = {};
    int count = 0;
    for (; count < 3; ++count) {
        if (count > 0 && !r.Take('/')) break;
        if (!r.Number(numbers[count], digits[count])) return false;
    }
    if (count < 2) return false;
    int year = thisYear, month = 0, day = 0, yearDigits = 4;
    if (digits[0] >= 3) {
        if (count < 3) return false;
        year = numbers[0];
        month = numbers[1];
        day = numbers[2];
    } else {
        month = numbers[0];
        day = numbers[1];
        if (count == 3) {
            year = numbers[2];
            yearDigits = digits[2];
        }
    }
    if (yearDigits <= 2) year = WindowedYear(year, thisYear);
    double date = 0;
    if (!EncodeDate(year, month, day, date)) return false;

    r.SkipBlanks();
    double time = 0;
    if (r.PeekDigit() && !ReadTime(r, time)) return false;
    if (!r.AtEnd()) return false;
    value = Combine(date, time);
    return true;
}

double Now()
{
    timespec now {};
    clock_gettime(CLOCK_REALTIME, &now);
    tm local {};
    localtime_r(&now.tv_sec, &local);
    double date = 0, time = 0;
    EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, date);
    // A leap second shows as the last second of its minute.
    EncodeTime(local.tm_hour, local.tm_min, local.tm_sec > 59 ? 59 : local.tm_sec,
        static_cast<int>(now.tv_nsec / 1000000), time);
    return Combine(date, time);
}

int CurrentYear()
{
    const time_t now = time(nullptr);
    tm local {};
    localtime_r(&now, &local);
    return local.tm_year + 1900;
}

} // namespace DateTime
