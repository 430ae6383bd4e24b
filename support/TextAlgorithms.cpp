#include "support/TextAlgorithms.h"

#include "support/LibraryFailure.h"
#include "support/MemoryBound.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace TextAlgorithms {

namespace {

bool IsTrimmed(char c)
{
    return static_cast<unsigned char>(c) <= ' ';
}

std::size_t Length(const AnsiString& s)
{
    return s.size();
}

// Number words, each with its trailing blank; the result is trimmed once at
// the end.
constexpr const char* unitWords[21] = { "Zero ", "One ", "Two ", "Three ", "Four ", "Five ", "Six ", "Seven ", "Eight ",
    "Nine ", "Ten ", "Eleven ", "Twelve ", "Thirteen ", "Fourteen ", "Fifteen ", "Sixteen ", "Seventeen ", "Eighteen ",
    "Nineteen ", "Twenty " };
constexpr const char* tensWords[10]
    = { "", "", "Twenty ", "Thirty ", "Forty ", "Fifty ", "Sixty ", "Seventy ", "Eighty ", "Ninety " };
constexpr const char* scaleWords[5] = { "", "Thousand ", "Million ", "Billion ", "Trillion " };

// Soundex digits of the letters A to Z; '0' marks a letter without digit.
constexpr char soundexDigits[] = "01230120022455012623010202";

char SoundexDigit(char c)
{
    return c >= 'A' && c <= 'Z' ? soundexDigits[c - 'A'] : '0';
}

// The direction letters in the order of one turn each: a q w s, and d l u r.
constexpr const char* directionCycles[] = { "aqws", "dlur" };

// One turn of a lower-case direction letter, forward or back; other characters
// are unchanged.
char Turn(char c, bool forward)
{
    for (const char* cycle : directionCycles) {
        for (int k = 0; k < 4; ++k) {
            if (cycle[k] == c) return cycle[(k + (forward ? 1 : 3)) % 4];
        }
    }
    return c;
}

bool NeedsQuotes(std::string_view item)
{
    return std::any_of(item.begin(), item.end(), [](char c) { return IsTrimmed(c) || c == '"' || c == ','; });
}

} // namespace

void CheckTextLength(std::uint64_t length)
{
    if (length > MaxTextLength) throw LibraryFailure { "Out of memory" };
    // A large text is not built once the run is past its memory bound: one
    // statement could otherwise build many of them before the run sees the
    // alarm.
    if (length >= LargeText && MemoryBound::Raised()) throw LibraryFailure { "Out of memory" };
}

char UpperChar(char c)
{
    const auto u = static_cast<unsigned char>(c);
    if (u >= 'a' && u <= 'z') return static_cast<char>(u - 32);
    switch (u) {
    case 0x9A:
        return static_cast<char>(0x8A);
    case 0x9C:
        return static_cast<char>(0x8C);
    case 0x9E:
        return static_cast<char>(0x8E);
    case 0xFF:
        return static_cast<char>(0x9F);
    default:
        break;
    }
    if (u >= 0xE0 && u <= 0xFE && u != 0xF7) return static_cast<char>(u - 32);
    return c;
}

char LowerChar(char c)
{
    const auto u = static_cast<unsigned char>(c);
    if (u >= 'A' && u <= 'Z') return static_cast<char>(u + 32);
    switch (u) {
    case 0x8A:
        return static_cast<char>(0x9A);
    case 0x8C:
        return static_cast<char>(0x9C);
    case 0x8E:
        return static_cast<char>(0x9E);
    case 0x9F:
        return static_cast<char>(0xFF);
    default:
        break;
    }
    if (u >= 0xC0 && u <= 0xDE && u != 0xD7) return static_cast<char>(u + 32);
    return c;
}

namespace {

// UpperChar or LowerChar of every byte, so that changing the case of a text
// is one table look-up per character.
struct CaseTable {
    unsigned char map[256];
    explicit CaseTable(char (*change)(char))
    {
        for (int c = 0; c < 256; ++c)
            map[c] = static_cast<unsigned char>(change(static_cast<char>(c)));
    }
    void ApplyInto(const AnsiString& s, AnsiString& out, uint8_t first, uint8_t last) const
    {
        // A copy first, changed in place: copying is quicker than filling.
        out.assign(s);
        // Through plain pointers: a store through the text's own char
        // pointer could alias anything and would reload both every byte.
        const auto* from = reinterpret_cast<const unsigned char*>(out.data());
        char* to = out.data();
        const size_t n = s.size();
        size_t k = 0;
        // Eight plain ASCII bytes at a time: the letters first..last move by
        // 0x20 (up or down), everything else stays; a block with a byte from
        // 0x80 on goes through the table.
        constexpr uint64_t Ones = 0x0101010101010101ULL;
        constexpr uint64_t HighBits = 0x8080808080808080ULL;
        for (; k + 8 <= n; k += 8) {
            uint64_t block;
            std::memcpy(&block, from + k, 8);
            if ((block & HighBits) == 0) {
                const uint64_t fromFirst = block + Ones * (0x80 - first);
                const uint64_t pastLast = block + Ones * (0x7F - last);
                const uint64_t letters = (fromFirst & ~pastLast & HighBits) >> 2;
                block = first == 'a' ? block - letters : block + letters;
                std::memcpy(to + k, &block, 8);
                continue;
            }
            for (size_t j = k; j < k + 8; ++j)
                to[j] = static_cast<char>(map[from[j]]);
        }
        for (; k < n; ++k)
            to[k] = static_cast<char>(map[from[k]]);
    }
};

const CaseTable& UpperTable()
{
    static const CaseTable table(UpperChar);
    return table;
}

const CaseTable& LowerTable()
{
    static const CaseTable table(LowerChar);
    return table;
}

} // namespace

AnsiString UpperCase(const AnsiString& s)
{
    AnsiString r;
    UpperTable().ApplyInto(s, r, 'a', 'z');
    return r;
}

void UpperCaseInto(const AnsiString& s, AnsiString& out)
{
    UpperTable().ApplyInto(s, out, 'a', 'z');
}

void LowerCaseInto(const AnsiString& s, AnsiString& out)
{
    LowerTable().ApplyInto(s, out, 'A', 'Z');
}

AnsiString LowerCase(const AnsiString& s)
{
    AnsiString r;
    LowerTable().ApplyInto(s, r, 'A', 'Z');
    return r;
}

AnsiString ProperCase(const AnsiString& s)
{
    AnsiString r = s;
    for (std::size_t k = 0; k < r.size(); ++k) {
        if (k == 0 || r[k - 1] == ' ') r[k] = UpperChar(r[k]);
    }
    return r;
}

AnsiString Trim(const AnsiString& s)
{
    return TrimRight(TrimLeft(s));
}

AnsiString TrimLeft(const AnsiString& s)
{
    std::size_t k = 0;
    while (k < s.size() && IsTrimmed(s[k]))
        ++k;
    return s.substr(k);
}

AnsiString TrimRight(const AnsiString& s)
{
    std::size_t n = s.size();
    while (n > 0 && IsTrimmed(s[n - 1]))
        --n;
    return s.substr(0, n);
}

AnsiString RemoveBlanksAndTabs(const AnsiString& s)
{
    AnsiString r;
    r.reserve(s.size());
    for (char c : s) {
        if (c != ' ' && c != '\t') r += c;
    }
    return r;
}

AnsiString Substring(const AnsiString& s, int start, int count)
{
    const auto length = static_cast<long long>(Length(s));
    if (length == 0) return {};
    long long first = std::max(start, 1);
    long long n = count;
    if (n < 1 || n > length) n = length;
    if (first > length) return {};
    return s.substr(static_cast<std::size_t>(first - 1), static_cast<std::size_t>(n));
}

AnsiString LeftPart(const AnsiString& s, int n)
{
    if (n < 0) n = 0;
    return s.substr(0, static_cast<std::size_t>(n));
}

AnsiString RightPart(const AnsiString& s, int n)
{
    const auto length = static_cast<long long>(Length(s));
    long long count = n;
    if (count > length) count = length;
    if (count < 1) count = 1;
    count = std::min(count, length);
    return s.substr(static_cast<std::size_t>(length - count));
}

namespace {

// Where needle first starts in text at or after `from`; npos when nowhere, and
// for an empty needle. Every search for a text inside a text goes through it.
// The plain search (memchr for the needle's last byte, then its first byte
// and memcmp for the rest) is the quickest for what programs look for, but it
// compares the needle again at every place whose two end bytes match, which
// grows with the product of the lengths: a million "a"s with a "b" in the
// middle looked for in two million "a"s would take minutes. So its work is
// counted, and once the needle bytes it may have compared pass four for every
// byte it has moved on (after an allowance), the rest of the text goes to the
// C library's memmem, whose two-way search takes time linear in the text
// whatever the needle.
std::size_t FindBytes(const AnsiString& text, const AnsiString& needle, std::size_t from)
{
    const std::size_t m = needle.size();
    if (m == 0 || from > text.size() || text.size() - from < m) return AnsiString::npos;
    constexpr std::uint64_t allowance = 1024;
    const char* const begin = text.data();
    const char* const end = begin + text.size();
    const char* const first = begin + from;
    const char* const last = end - m; // the last place a match can start
    std::uint64_t compared = 0;
    for (const char* at = first; at <= last; ++at) {
        const char* tail = static_cast<const char*>(
            std::memchr(at + (m - 1), needle[m - 1], static_cast<std::size_t>(end - at) - (m - 1)));
        if (!tail) return AnsiString::npos;
        at = tail - (m - 1);
        if (*at != needle[0]) continue;
        if (std::memcmp(at + 1, needle.data() + 1, m - 1) == 0) return static_cast<std::size_t>(at - begin);
        compared += m;
        if (compared > allowance + 4 * static_cast<std::uint64_t>(at - first)) {
            const void* found = memmem(at + 1, static_cast<std::size_t>(end - at - 1), needle.data(), m);
            return found ? static_cast<std::size_t>(static_cast<const char*>(found) - begin) : AnsiString::npos;
        }
    }
    return AnsiString::npos;
}

} // namespace

int FindText(const AnsiString& s, const AnsiString& sub, int start)
{
    if (start < 1) start = 1;
    if (static_cast<std::size_t>(start) > Length(s) || sub.empty()) return 0;
    const std::size_t at = FindBytes(s, sub, static_cast<std::size_t>(start - 1));
    return at == AnsiString::npos ? 0 : static_cast<int>(at + 1);
}

AnsiString RepeatText(const AnsiString& s, int n)
{
    if (n < 1 || s.empty()) return {};
    CheckTextLength(static_cast<std::uint64_t>(s.size()) * static_cast<std::uint64_t>(n));
    const std::size_t total = s.size() * static_cast<std::size_t>(n);
    AnsiString r;
    r.reserve(total);
    r += s;
    // The text doubles from its own start: a short text repeated millions
    // of times takes a few dozen copies, not a copy per repeat. The room is
    // reserved, so the copied part never moves while it is read.
    while (r.size() < total)
        r.append(r, 0, std::min(r.size(), total - r.size()));
    return r;
}

AnsiString Spaces(int n)
{
    if (n < 1) return {};
    CheckTextLength(static_cast<std::uint64_t>(n));
    return AnsiString(static_cast<std::size_t>(n), ' ');
}

AnsiString InsertText(const AnsiString& s, const AnsiString& t, int pos)
{
    long long at = pos;
    if (at < 1) at = 1;
    CheckTextLength(static_cast<std::uint64_t>(s.size()) + t.size());
    if (at > static_cast<long long>(s.size())) return s + t;
    AnsiString r = s;
    r.insert(static_cast<std::size_t>(at - 1), t);
    return r;
}

AnsiString OverwriteText(const AnsiString& s, const AnsiString& t, int pos)
{
    const std::size_t head = static_cast<std::size_t>(std::max(pos, 1) - 1);
    CheckTextLength(static_cast<std::uint64_t>(std::min(head, s.size())) + t.size());
    AnsiString r = s.substr(0, std::min(head, s.size()));
    r += t;
    const std::size_t tail = head + t.size();
    if (tail < s.size()) r += s.substr(tail);
    return r;
}

AnsiString Substitute(const AnsiString& s, const AnsiString& from, const AnsiString& to)
{
    if (from.empty()) return s;
    AnsiString r;
    std::size_t at = 0;
    for (;;) {
        const std::size_t found = FindBytes(s, from, at);
        if (found == AnsiString::npos) break;
        CheckTextLength(static_cast<std::uint64_t>(r.size()) + (found - at) + to.size());
        r.append(s, at, found - at);
        r += to;
        at = found + from.size();
    }
    CheckTextLength(static_cast<std::uint64_t>(r.size()) + (s.size() - at));
    r.append(s, at, AnsiString::npos);
    return r;
}

AnsiString ContainedChars(const AnsiString& s, const AnsiString& set)
{
    AnsiString r;
    for (char c : set) {
        if (s.find(c) != AnsiString::npos) r += c;
    }
    return r;
}

AnsiString MissingChars(const AnsiString& s, const AnsiString& set)
{
    AnsiString r;
    for (char c : set) {
        if (s.find(c) == AnsiString::npos) r += c;
    }
    return r;
}

AnsiString JustifyText(const AnsiString& s, const AnsiString& fill, int width, Justify how)
{
    const char fillChar = fill.empty() ? ' ' : fill[0];
    AnsiString t = how == Justify::Center ? Trim(s) : how == Justify::Left ? TrimLeft(s) : TrimRight(s);
    if (static_cast<long long>(t.size()) >= width) return s;
    CheckTextLength(static_cast<std::uint64_t>(width));
    const std::size_t missing = static_cast<std::size_t>(width) - t.size();
    switch (how) {
    case Justify::Center: {
        const std::size_t before = missing / 2;
        return AnsiString(before, fillChar) + t + AnsiString(missing - before, fillChar);
    }
    case Justify::Left:
        return t + AnsiString(missing, fillChar);
    case Justify::Right:
        return AnsiString(missing, fillChar) + t;
    }
    return t;
}

AnsiString ExtractField(const AnsiString& s, const AnsiString& delimiter, int n)
{
    if (n < 1) n = 1;
    AnsiString field;
    std::size_t rest = 0;
    for (int k = 0; k < n; ++k) {
        const std::size_t found = FindBytes(s, delimiter, rest);
        if (found == AnsiString::npos) {
            field = s.substr(rest);
            break;
        }
        field = s.substr(rest, found - rest);
        rest = found + delimiter.size();
    }
    return field;
}

int CountFields(const AnsiString& s, const AnsiString& delimiter)
{
    if (delimiter.empty()) return 0;
    int count = 0;
    std::size_t rest = 0;
    while (rest < s.size()) {
        const std::size_t found = FindBytes(s, delimiter, rest);
        if (found == AnsiString::npos) break;
        rest = found + delimiter.size();
        count = count == 0 ? 2 : count + 1;
    }
    return count;
}

AnsiString HexText(int32_t value, int bytes)
{
    long long b = std::llabs(static_cast<long long>(bytes));
    if (b >= 8) b = 7;
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%0*X", static_cast<int>(2 * b), static_cast<uint32_t>(value));
    return buffer;
}

AnsiString BinaryText(int32_t value, int digits)
{
    auto bits = static_cast<uint32_t>(value);
    AnsiString r;
    do {
        r.insert(r.begin(), static_cast<char>('0' + (bits & 1u)));
        bits >>= 1;
    } while (bits != 0);
    const auto width = static_cast<std::uint64_t>(std::llabs(static_cast<long long>(digits)));
    if (width > r.size()) {
        CheckTextLength(width);
        r.insert(0, static_cast<std::size_t>(width) - r.size(), '0');
    }
    return r;
}

AnsiString SpellNumber(double x)
{
    const double magnitude = x < 0 ? -x : x;
    if (!(magnitude < 1e15)) return "Overflow";
    auto n = static_cast<long long>(magnitude);
    if (n == 0) return "Zero";
    AnsiString result;
    for (int group = 0; n > 0; ++group, n /= 1000) {
        const int value = static_cast<int>(n % 1000);
        if (value == 0) continue;
        const int hundreds = value / 100;
        const int rest = value % 100;
        AnsiString words;
        if (hundreds > 0) {
            words += unitWords[hundreds];
            words += "Hundred ";
        }
        if (rest > 20) {
            words += tensWords[rest / 10];
            if (rest % 10 > 0) words += unitWords[rest % 10];
        } else if (rest > 0) {
            words += unitWords[rest];
        }
        result = words + scaleWords[group] + result;
    }
    return TrimRight(result);
}

AnsiString ClockText(int32_t seconds)
{
    if (seconds < 0) return "00:00:00";
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%02d:%02d:%02d", seconds / 3600, seconds % 3600 / 60, seconds % 60);
    return buffer;
}

AnsiString RotateShape(const AnsiString& shape, int32_t turns)
{
    // Four turns bring every letter back, so only the remainder matters.
    const long long magnitude = std::llabs(static_cast<long long>(turns)) % 4;
    AnsiString r = shape;
    for (char& c : r) {
        const bool upper = c >= 'A' && c <= 'Z';
        char lower = upper ? static_cast<char>(c + 32) : c;
        for (long long k = 0; k < magnitude; ++k)
            lower = Turn(lower, turns > 0);
        c = upper ? static_cast<char>(lower - 32) : lower;
    }
    return r;
}

AnsiString EncryptText(const AnsiString& s, const AnsiString& key)
{
    if (key.size() < 2 || s.empty()) return s;
    AnsiString k = key;
    for (std::size_t i = 1; i <= k.size(); ++i)
        k[i - 1] = static_cast<char>(k[i - 1] ^ static_cast<char>(i % 256));
    const std::size_t m = std::min(k.size(), s.size());
    AnsiString r = s;
    for (std::size_t block = 0; block < r.size(); block += m) {
        for (std::size_t i = 0; i < m && block + i < r.size(); ++i)
            r[block + i] = static_cast<char>(r[block + i] ^ k[m - i - 1]);
    }
    return r;
}

AnsiString SoundexCode(const AnsiString& s, int length)
{
    const AnsiString text = RemoveBlanksAndTabs(UpperCase(s));
    const std::size_t codeLength = static_cast<std::size_t>(std::max(length, 4));
    CheckTextLength(codeLength);
    AnsiString code;
    if (!text.empty()) code += text[0];
    for (std::size_t k = 1; k < text.size() && code.size() < codeLength; ++k) {
        const char digit = SoundexDigit(text[k]);
        if (digit != '0' && digit != code.back()) code += digit;
    }
    if (code.size() < codeLength) code.append(codeLength - code.size(), '0');
    return code;
}

namespace {

// The line of s that starts at `at`, without its line end; `at` moves to the
// start of the next line (past CR LF, CR or LF).
std::string_view NextLine(const AnsiString& s, std::size_t& at)
{
    std::size_t end = at;
    while (end < s.size() && s[end] != '\r' && s[end] != '\n')
        ++end;
    const std::string_view line(s.data() + at, end - at);
    if (end < s.size() && s[end] == '\r') ++end;
    if (end < s.size() && s[end] == '\n') ++end;
    at = end;
    return line;
}

// The length of CommaText(s), counted without building it.
std::uint64_t CommaTextLength(const AnsiString& s)
{
    std::uint64_t length = 0;
    for (std::size_t at = 0; at < s.size();) {
        if (at > 0) ++length; // the comma
        const std::string_view item = NextLine(s, at);
        length += item.size();
        if (NeedsQuotes(item)) length += 2 + static_cast<std::uint64_t>(std::count(item.begin(), item.end(), '"'));
    }
    return length;
}

} // namespace

AnsiString CommaText(const AnsiString& s)
{
    // Doubled quotes can take the text past the bound of every text: that is
    // known before it is built.
    const std::uint64_t length = CommaTextLength(s);
    CheckTextLength(length);
    AnsiString r;
    r.reserve(static_cast<std::size_t>(length));
    for (std::size_t at = 0; at < s.size();) {
        if (at > 0) r += ',';
        const std::string_view item = NextLine(s, at);
        if (NeedsQuotes(item)) {
            r += '"';
            for (char c : item) {
                if (c == '"') r += '"';
                r += c;
            }
            r += '"';
        } else {
            r += item;
        }
    }
    return r;
}

} // namespace TextAlgorithms
