#include "interpreter/Codes_class.h"

#include "interpreter/KeywordCodes.h"

#include <iterator>
#include <string>

namespace {

// Keywords are ASCII; folding is done byte by byte so that it never depends on
// the user's locale.
AnsiString NormaliseName(std::string_view name)
{
    size_t first = 0;
    size_t last = name.size();
    while (first < last && static_cast<unsigned char>(name[first]) <= ' ')
        ++first;
    while (last > first && static_cast<unsigned char>(name[last - 1]) <= ' ')
        --last;
    AnsiString key(name.substr(first, last - first));
    for (char& c : key) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return key;
}

struct StatementRow {
    const char* name;
    int code;
};

struct FunctionRow {
    const char* name;
    int code;
    int minArgs;
    int maxArgs;
    int defaultArg;
    const char* signature;
    int group;
};

struct ConstantRow {
    const char* name;
    int value;
};

constexpr StatementRow statementRows[] = {
#define STATEMENT(name, word, code) { word, code },
#define STATEMENT_ALIAS(name, word) { word, Code(StatementCode::name) },
#include "interpreter/vocabulary/statements.inc"
#undef STATEMENT_ALIAS
#undef STATEMENT
};

constexpr FunctionRow functionRows[] = {
#define FUNCTION(name, word, code, minArgs, maxArgs, defaultArg, signature, group)                                     \
    { word, code, minArgs, maxArgs, defaultArg, signature, group },
#define FUNCTION_ALIAS(name, word, minArgs, maxArgs, defaultArg, signature, group)                                     \
    { word, Code(FunctionCode::name), minArgs, maxArgs, defaultArg, signature, group },
#include "interpreter/vocabulary/functions.inc"
#undef FUNCTION_ALIAS
#undef FUNCTION
};

constexpr ConstantRow constantRows[] = {
#include "interpreter/vocabulary/constants.inc"
};

constexpr std::string_view lineEnd = "\r\n";

// The position of `name` as a whole line of a CR LF list (at the start of the
// text or right after a CR LF), or npos.
size_t FindLine(const AnsiString& list, std::string_view name)
{
    AnsiString line(name);
    line += lineEnd;
    for (size_t at = list.find(line); at != AnsiString::npos; at = list.find(line, at + 1)) {
        if (at == 0 || (at >= 2 && list.compare(at - 2, 2, lineEnd) == 0)) return at;
    }
    return AnsiString::npos;
}

// The names from line `from` (inclusive) to line `to` (exclusive), without the
// CR LF that ends the last name taken. An absent `to` means the end of the list.
bool CutLines(const AnsiString& list, std::string_view from, std::string_view to, AnsiString& out)
{
    size_t begin = from.empty() ? 0 : FindLine(list, from);
    size_t end = to.empty() ? list.size() : FindLine(list, to);
    if (begin == AnsiString::npos || end == AnsiString::npos || end < begin + lineEnd.size()) return false;
    out = list.substr(begin, end - begin - lineEnd.size());
    return true;
}

} // namespace

int Codes_Class::Add(
    std::string_view name, int code, int minArgs, int maxArgs, int defaultArg, std::string_view signature, int group)
{
    Node node;
    node.name = NormaliseName(name);
    node.code = code;
    node.minArgs = minArgs;
    node.maxArgs = maxArgs;
    node.defaultArg = defaultArg;
    // A view without data (a null signature) becomes an empty text.
    if (!signature.empty()) node.signature.assign(signature.data(), signature.size());
    node.group = group;
    // emplace keeps an existing key, so the first registered entry stays the one found.
    index.emplace(node.name, static_cast<int>(nodes.size()));
    nodes.push_back(std::move(node));
    return 1;
}

const Codes_Class::Node* Codes_Class::Lookup(std::string_view name) const
{
    auto found = index.find(NormaliseName(name));
    return found == index.end() ? nullptr : &nodes[static_cast<size_t>(found->second)];
}

int Codes_Class::Find(std::string_view name, int* code, int* minArgs, int* maxArgs, int* defaultArg,
    AnsiString* signature, int* group) const
{
    const Node* node = Lookup(name);
    if (!node) return 0;
    if (code) *code = node->code;
    if (minArgs) *minArgs = node->minArgs;
    if (maxArgs) *maxArgs = node->maxArgs;
    if (defaultArg) *defaultArg = node->defaultArg;
    if (signature) *signature = node->signature;
    if (group) *group = node->group;
    return 1;
}

void Codes_Class::ListNames(AnsiString& text) const
{
    text.clear();
    for (const Node& node : nodes) {
        text += node.name;
        text += lineEnd;
    }
}

void Codes_Class::Clear()
{
    nodes.clear();
    index.clear();
}

void Codes_Class::Reserve(size_t count)
{
    nodes.reserve(count);
    index.reserve(count);
}

const Vocabulary& Vocabulary::instance()
{
    // A function-local static is initialised exactly once, even when several
    // threads ask at the same time; afterwards the tables are only read. The
    // tables live as long as the process: taking their thousands of entries
    // apart at exit would only cost a short run's time.
    static const Vocabulary& vocabulary = *new Vocabulary([] {
        Vocabulary built;
        built.statements.Reserve(std::size(statementRows));
        built.functions.Reserve(std::size(functionRows));
        built.constants.Reserve(std::size(constantRows));
        for (const StatementRow& row : statementRows)
            built.statements.Add(row.name, row.code);
        for (const FunctionRow& row : functionRows)
            built.functions.Add(row.name, row.code, row.minArgs, row.maxArgs, row.defaultArg, row.signature, row.group);
        for (const ConstantRow& row : constantRows)
            built.constants.Add(row.name, row.value);
        return built;
    }());
    return vocabulary;
}

void Vocabulary::KeywordList(int kind, AnsiString& text) const
{
    AnsiString list;
    AnsiString result;
    switch (kind) {
    case 0: // commands: serout up to the statements that no list shows, then the include directive
        statements.ListNames(list);
        if (!CutLines(list, "serout", "oldstyle", result)) return;
        result += "\r\n#include";
        break;
    case 1: // functions, without the older fil aliases at the end
        functions.ListNames(list);
        if (!CutLines(list, {}, "fildir", result)) return;
        break;
    case 2: { // block and flow words, the on-event statements and end words, then sub
        statements.ListNames(list);
        AnsiString events;
        if (!CutLines(list, {}, "and", result) || !CutLines(list, "ontimer", {}, events)) return;
        result += lineEnd;
        result += events;
        result += "\r\nsub";
        break;
    }
    case 3: // constants
        constants.ListNames(list);
        if (!CutLines(list, {}, {}, result)) return;
        break;
    case 4: // word operators
        statements.ListNames(list);
        if (!CutLines(list, "and", "serout", result)) return;
        break;
    default:
        return;
    }
    text = std::move(result);
}
