#include "interpreter/Expression_class.h"
#include "interpreter/NumberText.h"
#include "interpreter/Operators.h"

#include <chrono>
#include <cmath>
#include <cstring>
#include <ctime>

namespace {
constexpr double IntMax = 2147483647.0;
constexpr double TwoTo63 = 9223372036854775808.0;
} // namespace

int32_t Expression_Class::TruncateToInt(double x)
{
    // The processor's answer for a value it cannot convert: the lowest integer.
    if (std::isnan(x) || x >= 2147483648.0 || x <= -2147483649.0) return -2147483648;
    return static_cast<int32_t>(x);
}

int32_t Expression_Class::RoundToIntChecked(double x, bool report)
{
    if (std::isnan(x) || !(x < TwoTo63 && x > -TwoTo63)) {
        if (report) RaiseError(ErrorCode::NumberTooBig);
        return x > 0 ? 2147483647 : -2147483648;
    }
    // Keep the low 32 bits of the 64-bit truncation.
    return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(static_cast<int64_t>(x))));
}

char Expression_Class::ClassifyNumberText(std::string_view text)
{
    double value = 0;
    if (text.empty() || !numbertext::ParseFloat(text, value)) return Tag::String;
    if (text.find_first_of(".eE") != std::string_view::npos) return Tag::Float;
    if (value == std::trunc(value) && value >= -IntMax && value <= IntMax) return Tag::Int;
    return Tag::Float;
}

char Expression_Class::TextToNumber(const AnsiString& text, double& value)
{
    char tag = ClassifyNumberText(text);
    if (tag == Tag::Int || tag == Tag::Float) {
        numbertext::ParseFloat(text, value);
        return tag;
    }
    if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        int32_t number = 0;
        if (!numbertext::ParseInt(text, number)) return Tag::String;
        value = number;
        return Tag::Int;
    }
    if (text.size() >= 2 && text[0] == '0' && text[1] == '%') {
        int32_t decimal = 0;
        if (!numbertext::ParseInt(std::string_view(text).substr(2), decimal)) {
            value = 0;
            return Tag::String;
        }
        int32_t bits = ParseBinaryLiteral(text);
        value = bits;
        return bits != 0 || decimal == 0 ? Tag::Int : Tag::String;
    }
    return Tag::String;
}

int32_t Expression_Class::ParseBinaryLiteral(const AnsiString& text)
{
    int32_t number = 0;
    if (!numbertext::ParseInt(text, number)) number = 0;
    if (number != 0 || text.size() <= 1) return number;
    if (text[0] != '0' || text[1] != '%') return 0;
    // Bits beyond the 32nd fall off the top.
    uint32_t result = 0;
    for (size_t k = 2; k < text.size(); ++k) {
        if (text[k] != '0' && text[k] != '1') return 0;
        result = (result << 1) | static_cast<uint32_t>(text[k] - '0');
    }
    return static_cast<int32_t>(result);
}

int Expression_Class::ApplyRelation(int relation, const Value& left, const Value& right)
{
    if (left.isNumber() && right.isNumber())
        return Operators::CompareNumbers(relation, left.asDouble(), right.asDouble());
    if (left.tag != Tag::String || right.tag != Tag::String) RaiseError(ErrorCode::SyntaxError);
    if (relation == Relation::Contains) return right.s.find(left.s) != AnsiString::npos;
    // Byte order, unsigned, a shorter prefix first.
    int order = left.s.compare(right.s);
    switch (relation) {
    case Relation::Less:
        return order < 0;
    case Relation::Greater:
        return order > 0;
    case Relation::LessOrEqual:
        return order <= 0;
    case Relation::GreaterOrEqual:
        return order >= 0;
    case Relation::Equal:
        return order == 0;
    case Relation::NotEqual:
        return order != 0;
    default:
        return 0;
    }
}

AnsiString Expression_Class::CollapseDoubledQuotes(std::string_view text)
{
    if (text.find("\"\"") == std::string_view::npos) return AnsiString(text);
    AnsiString result;
    result.reserve(text.size());
    for (size_t k = 0; k < text.size(); ++k) {
        result += text[k];
        // Each adjacent pair becomes one quote; the quote produced is not
        // paired again with the one after it.
        if (text[k] == '"' && k + 1 < text.size() && text[k + 1] == '"') ++k;
    }
    return result;
}

double Expression_Class::MillisecondClock()
{
    // The count starts from the local date and time, taken once, and then
    // follows a steady clock: only differences matter, and they must not jump
    // at midnight, at a change of summer time or when the wall clock is set.
    using namespace std::chrono;
    struct Start {
        double count;
        steady_clock::time_point at;
    };
    static const Start start = [] {
        timespec now {};
        clock_gettime(CLOCK_REALTIME, &now);
        tm local {};
        localtime_r(&now.tv_sec, &local);
        const double seconds = (static_cast<double>(local.tm_year) * 365 + local.tm_yday) * 86400.0
            + local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec;
        return Start { seconds * 1000 + static_cast<double>(now.tv_nsec / 1000000), steady_clock::now() };
    }();
    return start.count + static_cast<double>(duration_cast<milliseconds>(steady_clock::now() - start.at).count());
}

double Expression_Class::PowerOf(double x, double y)
{
    if (y == 0) return 1.0;
    return std::pow(x, y);
}
