// Times typical searches and replacements of the regular-expression engine
// over a 1 MB text of prose-like lines. It is not part of the tests. Build it
// against the engine alone, for example:
//   g++ -std=c++20 -O2 -I. bench/regex/regex_bench.cpp support/regex/*.cpp -o regex_bench

#include "support/regex/Regexp.h"

#include <chrono>
#include <cstdio>
#include <string>

namespace {
std::string SampleText(std::size_t size)
{
    static const char* const Lines[] = {
        "The robot moved 12 steps north and turned left at 2024-05-17 10:42.\n",
        "Send the report to first.last@example.com before the deadline.\n",
        "    print \"value: \", x  ' a comment in a program line\n",
        "Obstacles: red, green, blue; sensors read 0x1F and 255 and -17.5e3\n",
        "A quiet line with nothing special at all in it, only plain words.\n",
    };
    std::string text;
    for (std::size_t line = 0; text.size() < size; ++line)
        text += Lines[line % 5];
    text.resize(size);
    return text;
}

struct Case {
    const char* title;
    const char* pattern;
    int flags;
    enum { CountMatches, ReplaceAll } kind;
    const char* replacement;
};

constexpr Case Cases[] = {
    { "literal word", "deadline", 0, Case::CountMatches, nullptr },
    { "literal, ignoring case", "ROBOT", 8, Case::CountMatches, nullptr },
    { "rare literal (no match)", "zebra", 0, Case::CountMatches, nullptr },
    { "e-mail address", "\\w+(?:\\.\\w+)*@\\w+\\.\\w+", 0, Case::CountMatches, nullptr },
    { "date with groups", "(\\d{4})-(\\d{2})-(\\d{2})", 0, Case::CountMatches, nullptr },
    { "alternation of words", "red|green|blue", 0, Case::CountMatches, nullptr },
    { "line starts (multiline)", "^\\s+print", 2, Case::CountMatches, nullptr },
    { "number", "-?\\d+(?:\\.\\d+)?(?:e-?\\d+)?", 0, Case::CountMatches, nullptr },
    { "lazy to line end", "A.*?words\\.", 0, Case::CountMatches, nullptr },
    { "right to left word", "\\bsteps\\b", 16, Case::CountMatches, nullptr },
    { "replace runs of blanks", "[ \\t]+", 0, Case::ReplaceAll, " " },
    { "swap date parts", "(\\d{4})-(\\d{2})-(\\d{2})", 0, Case::ReplaceAll, "$3.$2.$1" },
};

int CountMatches(const CRegexpA& expression, const std::string& text)
{
    CContext context;
    int count = 0;
    int start = -1;
    for (;;) {
        MatchResult result = expression.RegexMatch(text, start, &context);
        if (!result.IsMatched()) return count;
        ++count;
        start = context.nextStart;
    }
}
} // namespace

int main()
{
    const std::string text = SampleText(1 << 20);
    std::printf("text: %zu bytes\n", text.size());
    for (const Case& c : Cases) {
        auto begin = std::chrono::steady_clock::now();
        CRegexpA expression(c.pattern, c.flags);
        std::size_t result = 0;
        if (c.kind == Case::CountMatches)
            result = static_cast<std::size_t>(CountMatches(expression, text));
        else
            result = expression.RegexReplace(text, c.replacement).size();
        double milliseconds
            = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - begin).count();
        std::printf("%-28s %10zu %s %9.1f ms\n", c.title, result, c.kind == Case::CountMatches ? "matches" : "bytes  ",
            milliseconds);
    }
    return 0;
}
