// The pattern compiler: lexes a pattern and builds its element tree.
#include "support/regex/RegexBuilder.h"

#include "support/regex/RegexLexer.h"

#include <algorithm>
#include <cstring>
#include <set>

namespace {
struct PosixName {
    const char* name;
    CharacterTest test;
};
constexpr PosixName kPosixNames[] = { { "alnum", CharacterTest::Alnum }, { "alpha", CharacterTest::Alpha },
    { "ascii", CharacterTest::Ascii }, { "blank", CharacterTest::Blank }, { "cntrl", CharacterTest::Cntrl },
    { "digit", CharacterTest::Digit }, { "graph", CharacterTest::Graph }, { "lower", CharacterTest::Lower },
    { "print", CharacterTest::Print }, { "punct", CharacterTest::Punct }, { "space", CharacterTest::Space },
    { "upper", CharacterTest::Upper }, { "xdigit", CharacterTest::Xdigit } };

constexpr int kTestCount = static_cast<int>(CharacterTest::Any) + 1;

int FlagBit(char letter)
{
    switch (letter) {
    case 'i':
    case 'I':
        return RegexFlag::IgnoreCase;
    case 'm':
    case 'M':
        return RegexFlag::Multiline;
    case 's':
    case 'S':
        return RegexFlag::DotMatchesNewline;
    case 'g':
    case 'G':
        return RegexFlag::Global;
    default:
        return 0;
    }
}

CharacterTest EscapeTest(int letter, bool& negated)
{
    negated = letter == 'D' || letter == 'S' || letter == 'W';
    switch (letter) {
    case 'd':
    case 'D':
        return CharacterTest::Digit;
    case 's':
    case 'S':
        return CharacterTest::Space;
    default:
        return CharacterTest::Word;
    }
}

bool IsSpecial(const Token& token, char character)
{
    return token.kind == TokenKind::Special && token.value == character;
}

template <class CHART> class Parser {
public:
    Parser(CBuilderT<CHART>& builder, CBufferRefT<char> pattern, int flags)
        : m_builder(builder)
        , m_lexer(pattern, (flags & RegexFlag::IgnoreWhiteSpace) != 0)
        , m_flags(flags)
    { }

    // The whole pattern; null when it is nested too deeply to compile safely.
    ElxInterface* ParsePattern()
    {
        Direction direction = (m_flags & RegexFlag::RightToLeft) ? Direction::RightToLeft : Direction::LeftToRight;
        ElxInterface* root = ParseAlternation(direction);
        return m_tooDeep ? nullptr : root;
    }

private:
    bool IgnoreCase() const { return (m_flags & RegexFlag::IgnoreCase) != 0; }

    std::vector<ElxInterface*> ParseAlternatives(Direction direction)
    {
        std::vector<ElxInterface*> alternatives { ParseSequence(direction) };
        while (!m_tooDeep && IsSpecial(m_lexer.Peek(LexMode::Pattern), '|')) {
            m_lexer.Next(LexMode::Pattern);
            alternatives.push_back(ParseSequence(direction));
        }
        return alternatives;
    }

    ElxInterface* Alternation(std::vector<ElxInterface*> alternatives)
    {
        if (alternatives.size() == 1) return alternatives.front();
        return m_builder.template Make<CAlternativeElx>(std::move(alternatives));
    }

    ElxInterface* ParseAlternation(Direction direction) { return Alternation(ParseAlternatives(direction)); }

    // The character a token stands for when it is taken literally, or -2 when it is not a literal.
    int LiteralValue(const Token& token) const
    {
        if (token.kind == TokenKind::Literal) return token.value;
        if (token.kind == TokenKind::Special) {
            // Quantifier characters with nothing to repeat, and ")" with no group to close, stand for themselves.
            if (std::strchr("*+?{}", token.value)) return token.value;
            if (token.value == ')' && m_groupDepth == 0) return ')';
        }
        return -2;
    }

    ElxInterface* ParseSequence(Direction direction)
    {
        std::vector<ElxInterface*> items;
        std::string run;
        auto flushRun = [&] {
            if (run.empty()) return;
            items.push_back(m_builder.template Make<CStringElxT<CHART>>(run, direction, IgnoreCase()));
            run.clear();
        };
        while (!m_tooDeep) {
            Token token = m_lexer.Peek(LexMode::Pattern);
            if (token.kind == TokenKind::End || IsSpecial(token, '|')) break;
            if (IsSpecial(token, ')') && m_groupDepth > 0) break;
            int literal = LiteralValue(token);
            if (literal != -2) {
                m_lexer.Next(LexMode::Pattern);
                // A character directly followed by a quantifier is an atom of its own.
                if (literal < 0 || IsQuantifier(m_lexer.Peek(LexMode::Pattern))) {
                    flushRun();
                    items.push_back(ParseQuantifiers(Character(literal, direction)));
                } else {
                    run.push_back(static_cast<char>(literal));
                }
                continue;
            }
            flushRun();
            m_lexer.Next(LexMode::Pattern);
            ElxInterface* atom = ParseAtom(token, direction);
            if (atom) items.push_back(ParseQuantifiers(atom));
        }
        flushRun();
        if (items.empty()) return m_builder.Empty();
        if (items.size() == 1) return items.front();
        return m_builder.template Make<CListElx>(std::move(items), direction);
    }

    // One character; a code that no byte stands for gives an element that never matches.
    ElxInterface* Character(int value, Direction direction)
    {
        if (value < 0) {
            auto* nothing = m_builder.template Make<CRangeElxT<CHART>>(false, direction);
            nothing->Finish();
            return nothing;
        }
        return m_builder.template Make<CStringElxT<CHART>>(
            std::string(1, static_cast<char>(value)), direction, IgnoreCase());
    }

    bool BraceCloses(int from) const { return m_lexer.Occurs('}', from); }

    bool IsQuantifier(const Token& token) const
    {
        if (token.kind != TokenKind::Special) return false;
        if (token.value == '*' || token.value == '+' || token.value == '?') return true;
        return token.value == '{' && BraceCloses(token.end);
    }

    int ReadNumber()
    {
        long long value = -1;
        while (m_lexer.RawAt(0) >= '0' && m_lexer.RawAt(0) <= '9') {
            value = std::min<long long>(
                (value < 0 ? 0 : value) * 10 + (m_lexer.RawAt(0) - '0'), RepeatElxBase::kUnlimited);
            m_lexer.SetPosition(m_lexer.Position() + 1);
        }
        return static_cast<int>(value);
    }

    void SkipBlanks()
    {
        if (!(m_flags & RegexFlag::IgnoreWhiteSpace)) return;
        while (std::strchr(" \t\r\n\v\f", m_lexer.RawAt(0)) && m_lexer.RawAt(0) != '\0')
            m_lexer.SetPosition(m_lexer.Position() + 1);
    }

    // Reads "{n}", "{n,}" or "{n,m}" after the "{"; content that does not begin with a number counts as {0}.
    void ReadBrace(int& minimum, int& maximum)
    {
        SkipBlanks();
        minimum = ReadNumber();
        if (minimum < 0) {
            minimum = maximum = 0;
        } else {
            maximum = minimum;
            SkipBlanks();
            if (m_lexer.RawAt(0) == ',') {
                m_lexer.SetPosition(m_lexer.Position() + 1);
                SkipBlanks();
                maximum = ReadNumber();
                if (maximum < 0) maximum = RepeatElxBase::kUnlimited;
                maximum = std::max(maximum, minimum);
            }
        }
        std::string skipped;
        m_lexer.ReadUntil('}', skipped);
    }

    ElxInterface* ParseQuantifiers(ElxInterface* atom)
    {
        for (int chained = 1; !m_tooDeep; ++chained) {
            Token token = m_lexer.Peek(LexMode::Pattern);
            if (!IsQuantifier(token)) break;
            if (m_nesting + chained > CBuilderT<CHART>::kMaxNesting) {
                m_tooDeep = true;
                break;
            }
            m_lexer.Next(LexMode::Pattern);
            int minimum = 0;
            int maximum = RepeatElxBase::kUnlimited;
            if (token.value == '+') minimum = 1;
            if (token.value == '?') maximum = 1;
            if (token.value == '{') ReadBrace(minimum, maximum);
            Token suffix = m_lexer.Peek(LexMode::Pattern);
            bool lazy = IsSpecial(suffix, '?');
            bool possessive = IsSpecial(suffix, '+');
            if (lazy || possessive) m_lexer.Next(LexMode::Pattern);
            if (maximum == 0)
                atom = m_builder.Empty();
            else if (minimum == maximum)
                atom = minimum == 1 ? atom : m_builder.template Make<CRepeatElx>(atom, minimum);
            else if (lazy)
                atom = m_builder.template Make<CReluctantElx>(atom, minimum, maximum);
            else if (possessive)
                atom = m_builder.template Make<CPossessiveElx>(atom, minimum, maximum);
            else
                atom = m_builder.template Make<CGreedyElx>(atom, minimum, maximum);
        }
        return atom;
    }

    ElxInterface* ParseAtom(const Token& token, Direction direction)
    {
        switch (token.kind) {
        case TokenKind::Special:
            switch (token.value) {
            case '.':
                return m_builder.Shared(
                    (m_flags & RegexFlag::DotMatchesNewline) ? CharacterTest::Any : CharacterTest::NotNewline, false,
                    direction);
            case '^':
                return Boundary(
                    (m_flags & RegexFlag::Multiline) ? BoundaryKind::LineStart : BoundaryKind::TextStart, true);
            case '$':
                return Boundary((m_flags & RegexFlag::Multiline) ? BoundaryKind::LineEnd : BoundaryKind::TextEnd, true);
            case '[':
                return ParseClass(token, direction);
            case '(':
                return ParseGroup(direction);
            default:
                return Character(token.value, direction);
            }
        case TokenKind::ClassEscape: {
            bool negated = false;
            CharacterTest test = EscapeTest(token.value, negated);
            return m_builder.Shared(test, negated, direction);
        }
        case TokenKind::Anchor:
            switch (token.value) {
            case 'A':
                return Boundary(BoundaryKind::TextStart, true);
            case 'Z':
                return Boundary(BoundaryKind::TextEnd, true);
            case 'b':
                return Boundary(BoundaryKind::Word, true);
            case 'B':
                return Boundary(BoundaryKind::Word, false);
            default:
                // \G without the global flag is ignored.
                if (m_flags & RegexFlag::Global) return m_builder.template Make<CGlobalElx>();
                return m_builder.Empty();
            }
        case TokenKind::Backref:
            return m_builder.template Make<CBackrefElxT<CHART>>(token.value, direction, IgnoreCase());
        case TokenKind::NamedBackref: {
            int number = DigitNameNumber(token.name, CBuilderT<CHART>::kMaxGroupNumber);
            auto* backref = m_builder.template Make<CBackrefElxT<CHART>>(
                number >= 0 ? number : kUnknownGroup, direction, IgnoreCase());
            if (number < 0) m_builder.m_namedReferences.push_back({ token.name, backref, nullptr });
            return backref;
        }
        default:
            return Character(token.value, direction);
        }
    }

    ElxInterface* Boundary(BoundaryKind kind, bool expected)
    {
        return m_builder.template Make<CBoundaryElxT<CHART>>(kind, expected);
    }

    // A bracket class after its "["; an unterminated one leaves the "[" literal.
    ElxInterface* ParseClass(const Token& opener, Direction direction)
    {
        // With no "]" left in the pattern the class cannot end: say so at
        // once rather than read to the end for each of many "[".
        if (!m_lexer.Occurs(']', opener.end)) {
            m_lexer.SetPosition(opener.end);
            return Character('[', direction);
        }
        bool negated = false;
        if (IsSpecial(m_lexer.Peek(LexMode::Class), '^')) {
            m_lexer.Next(LexMode::Class);
            negated = true;
        }
        std::vector<std::pair<int, int>> ranges;
        std::vector<int> characters;
        std::vector<const ElxInterface*> nested;
        bool first = true;
        for (;; first = false) {
            Token token = m_lexer.Next(LexMode::Class);
            if (token.kind == TokenKind::End) {
                m_lexer.SetPosition(opener.end);
                return Character('[', direction);
            }
            // A "]" right after the opening "[" or "[^" is a member, not the end.
            if (IsSpecial(token, ']') && !first) break;
            if (token.kind == TokenKind::ClassEscape) {
                bool escapeNegated = false;
                CharacterTest test = EscapeTest(token.value, escapeNegated);
                nested.push_back(m_builder.Shared(test, escapeNegated, direction));
                continue;
            }
            if (token.kind == TokenKind::PosixOpen) {
                const ElxInterface* posix = ParsePosixName(direction);
                if (posix) {
                    nested.push_back(posix);
                    continue;
                }
                // Not a known name: the "[" is a member and the ":" is read again.
                characters.push_back('[');
                m_lexer.SetPosition(token.start + 1);
                continue;
            }
            if (token.kind == TokenKind::PosixClose) {
                // ":]" outside a [:name:] is a ":" and the end of the class.
                characters.push_back(':');
                break;
            }
            int low = token.value;
            Token dash = m_lexer.Peek(LexMode::Class);
            Token high = m_lexer.Peek(LexMode::Class, 1);
            bool highIsCharacter
                = high.kind == TokenKind::Literal || (high.kind == TokenKind::Special && high.value != ']');
            if (IsSpecial(dash, '-') && highIsCharacter) {
                m_lexer.Next(LexMode::Class);
                m_lexer.Next(LexMode::Class);
                ranges.emplace_back(low, high.value);
            } else {
                characters.push_back(low);
            }
        }
        auto* range = m_builder.template Make<CRangeElxT<CHART>>(negated, direction);
        for (const auto& [low, high] : ranges)
            if (low >= 0 && high >= 0 && low <= high)
                range->AddRange(static_cast<unsigned char>(low), static_cast<unsigned char>(high));
        for (int character : characters)
            if (character >= 0) range->AddCharacter(static_cast<unsigned char>(character));
        for (const ElxInterface* element : nested)
            range->AddNested(element);
        range->Finish();
        return range;
    }

    // After "[:": "name:]" or "^name:]"; null, with nothing consumed, when it is not a known name.
    const ElxInterface* ParsePosixName(Direction direction)
    {
        int start = m_lexer.Position();
        bool negated = m_lexer.Accept("^");
        std::string name;
        if (m_lexer.ReadUntil(':', name) && m_lexer.Accept("]")) {
            for (const PosixName& entry : kPosixNames)
                if (name == entry.name) return m_builder.Shared(entry.test, negated, direction);
        }
        m_lexer.SetPosition(start);
        return nullptr;
    }

    void CloseGroup()
    {
        if (IsSpecial(m_lexer.Peek(LexMode::Pattern), ')')) m_lexer.Next(LexMode::Pattern);
    }

    // After "(": every kind of group. Null for constructs that build nothing (comments, flag switches).
    ElxInterface* ParseGroup(Direction direction)
    {
        if (TryFlagSwitch()) return nullptr;
        if (++m_nesting > CBuilderT<CHART>::kMaxNesting) {
            m_tooDeep = true;
            return m_builder.Empty();
        }
        ++m_groupDepth;
        int savedFlags = m_flags;
        ElxInterface* group = ParseGroupBody(direction);
        m_flags = savedFlags;
        --m_groupDepth;
        --m_nesting;
        return group;
    }

    // "(?imsg-imsg)": switches flags for the rest of the enclosing group.
    bool TryFlagSwitch()
    {
        int start = m_lexer.Position();
        int flags = 0;
        if (!ReadFlagLetters(flags) || m_lexer.RawAt(0) != ')') {
            m_lexer.SetPosition(start);
            return false;
        }
        m_lexer.SetPosition(m_lexer.Position() + 1);
        m_flags = flags;
        return true;
    }

    // Reads "?" and the letters of "imsg-imsg" into the current flags; false when that is not what follows.
    bool ReadFlagLetters(int& flags)
    {
        if (m_lexer.RawAt(0) != '?') return false;
        int offset = 1;
        flags = m_flags;
        bool removing = false;
        for (;; ++offset) {
            char letter = m_lexer.RawAt(offset);
            if (letter == '-' && !removing) {
                removing = true;
                continue;
            }
            int bit = FlagBit(letter);
            if (!bit) break;
            flags = removing ? (flags & ~bit) : (flags | bit);
        }
        char terminator = m_lexer.RawAt(offset);
        if (terminator != ')' && terminator != ':') return false;
        m_lexer.SetPosition(m_lexer.Position() + offset);
        return true;
    }

    ElxInterface* ParseGroupBody(Direction direction)
    {
        if (m_lexer.Accept("?#")) {
            std::string comment;
            if (!m_lexer.ReadUntil(')', comment)) m_lexer.SetPosition(m_lexer.Pattern().Size());
            return nullptr;
        }
        if (m_lexer.Accept("?:")) return Closed(ParseAlternation(direction));
        if (ElxInterface* assertion = TryAssertion()) return assertion;
        if (m_lexer.Accept("?>")) return Closed(m_builder.template Make<CIndependentElx>(ParseAlternation(direction)));
        if (m_lexer.Accept("?P<") || m_lexer.Accept("?<")) return NamedGroup('>', direction);
        if (m_lexer.Accept("?'")) return NamedGroup('\'', direction);
        if (m_lexer.Accept("?(")) return ParseCondition(direction);
        if (ElxInterface* recursion = TryRecursion()) return recursion;
        int start = m_lexer.Position();
        int flags = 0;
        if (ReadFlagLetters(flags) && m_lexer.Accept(":")) {
            m_flags = flags;
            return Closed(ParseAlternation(direction));
        }
        m_lexer.SetPosition(start);
        // An unknown "(?" construct is read as a non-capturing group of what follows the "?".
        if (m_lexer.Accept("?")) return Closed(ParseAlternation(direction));
        int number = ++m_builder.m_numberedCount;
        return Closed(CaptureGroup(number, nullptr, direction));
    }

    ElxInterface* Closed(ElxInterface* element)
    {
        CloseGroup();
        return element;
    }

    // Look-ahead bodies run left to right, look-behind bodies right to left, whatever the pattern's direction.
    ElxInterface* TryAssertion()
    {
        struct Kind {
            const char* opener;
            bool positive;
            Direction direction;
        };
        static constexpr Kind kKinds[]
            = { { "?=", true, Direction::LeftToRight }, { "?!", false, Direction::LeftToRight },
                  { "?<=", true, Direction::RightToLeft }, { "?<!", false, Direction::RightToLeft } };
        for (const Kind& kind : kKinds) {
            if (m_lexer.Accept(kind.opener))
                return Closed(m_builder.template Make<CAssertElx>(ParseAlternation(kind.direction), kind.positive));
        }
        return nullptr;
    }

    ElxInterface* NamedGroup(char terminator, Direction direction)
    {
        std::string name;
        if (!m_lexer.ReadUntil(terminator, name)) return Closed(ParseAlternation(direction));
        // A digit name is that group number; group 0 is the whole match, so "0" is an ordinary name.
        int number = DigitNameNumber(name, CBuilderT<CHART>::kMaxGroupNumber);
        return Closed(CaptureGroup(number == 0 ? -1 : number, &name, direction));
    }

    // A capture group: its marks around its body. `name` is null for a numbered group.
    ElxInterface* CaptureGroup(int number, const std::string* name, Direction direction)
    {
        auto* open = m_builder.template Make<CBracketElxT<CHART>>(number, false, direction);
        ElxInterface* body = ParseAlternation(direction);
        auto* close = m_builder.template Make<CBracketElxT<CHART>>(number, true, direction);
        ElxInterface* group
            = m_builder.template Make<CListElx>(std::vector<ElxInterface*> { open, body, close }, direction);
        if (name) m_builder.m_namedGroups.push_back({ *name, number, open, close, group });
        if (number >= 0) {
            auto& groups = m_builder.m_groups;
            if (static_cast<int>(groups.size()) <= number) groups.resize(static_cast<std::size_t>(number) + 1, nullptr);
            if (!groups[static_cast<std::size_t>(number)]) groups[static_cast<std::size_t>(number)] = group;
        }
        return group;
    }

    // After "(?(": a condition, then the yes and the optional no branch.
    ElxInterface* ParseCondition(Direction direction)
    {
        ElxInterface* assertion = nullptr;
        std::string name;
        int number = kUnknownGroup;
        bool named = false;
        if (m_lexer.RawAt(0) == '?') {
            assertion = TryAssertion();
        } else if (m_lexer.ReadUntil(')', name)) {
            if (name.size() >= 2
                && ((name.front() == '<' && name.back() == '>') || (name.front() == '\'' && name.back() == '\'')))
                name = name.substr(1, name.size() - 2);
            number = DigitNameNumber(name, CBuilderT<CHART>::kMaxGroupNumber);
            named = number < 0;
            if (named) number = kUnknownGroup;
        }
        std::vector<ElxInterface*> branches = ParseAlternatives(direction);
        ElxInterface* yes = branches.front();
        ElxInterface* no = m_builder.Empty();
        if (branches.size() > 1) no = Alternation(std::vector<ElxInterface*>(branches.begin() + 1, branches.end()));
        auto* condition = m_builder.template Make<CConditionElxT<CHART>>(yes, no);
        if (assertion)
            condition->SetAssertCondition(assertion);
        else
            condition->SetGroupCondition(number);
        if (named) m_builder.m_namedReferences.push_back({ name, nullptr, condition });
        return Closed(condition);
    }

    // "(?R)", "(?R<name>)", "(?R'name')" or "(?n)".
    ElxInterface* TryRecursion()
    {
        int start = m_lexer.Position();
        std::string name;
        int number = -1;
        if (m_lexer.Accept("?R)")) {
            number = 0;
        } else if (m_lexer.Accept("?R<")) {
            if (!m_lexer.ReadUntil('>', name) || !m_lexer.Accept(")")) name.clear();
        } else if (m_lexer.Accept("?R'")) {
            if (!m_lexer.ReadUntil('\'', name) || !m_lexer.Accept(")")) name.clear();
        } else if (m_lexer.Accept("?")) {
            std::string digits;
            if (m_lexer.ReadUntil(')', digits)) number = DigitNameNumber(digits, CBuilderT<CHART>::kMaxGroupNumber);
        }
        if (number < 0 && name.empty()) {
            m_lexer.SetPosition(start);
            return nullptr;
        }
        auto* delegate = m_builder.template Make<CDelegateElxT<CHART>>();
        m_builder.m_recursions.push_back({ name, number, delegate });
        return delegate;
    }

    CBuilderT<CHART>& m_builder;
    RegexLexer m_lexer;
    int m_flags;
    int m_nesting = 0;
    int m_groupDepth = 0;
    bool m_tooDeep = false;
};
} // namespace

int DigitNameNumber(const std::string& name, int maximum)
{
    if (name.empty() || name.size() > 9) return -1;
    int number = 0;
    for (char digit : name) {
        if (digit < '0' || digit > '9') return -1;
        number = number * 10 + (digit - '0');
    }
    return number <= maximum ? number : -1;
}

template <class CHART> CBuilderT<CHART>::CBuilderT()
{
    m_empty = std::make_unique<CEmptyElx>();
    for (int direction = 0; direction < 2; ++direction)
        for (int negated = 0; negated < 2; ++negated)
            for (int test = 0; test < kTestCount; ++test)
                m_shared.push_back(std::make_unique<CPosixElxT<CHART>>(static_cast<CharacterTest>(test), negated != 0,
                    direction ? Direction::RightToLeft : Direction::LeftToRight));
}

template <class CHART> CBuilderT<CHART>::~CBuilderT() = default;

template <class CHART>
ElxInterface* CBuilderT<CHART>::Shared(CharacterTest test, bool negated, Direction direction) const
{
    int index
        = ((direction == Direction::RightToLeft ? 1 : 0) * 2 + (negated ? 1 : 0)) * kTestCount + static_cast<int>(test);
    return m_shared[static_cast<std::size_t>(index)].get();
}

template <class CHART> void CBuilderT<CHART>::Clear()
{
    m_root = nullptr;
    m_groupCount = 0;
    m_numberedCount = 0;
    m_flags = 0;
    m_groups.clear();
    m_namedGroups.clear();
    m_recursions.clear();
    m_namedReferences.clear();
    m_elements.clear();
    m_start = StartCharacters::Unknown();
    m_leadingRun = nullptr;
}

template <class CHART> void CBuilderT<CHART>::Compile(CBufferRefT<CHART> pattern, int flags)
{
    Clear();
    m_patternText.assign(pattern.Data(), static_cast<std::size_t>(pattern.Size()));
    m_pattern = CBufferRefT<CHART>(m_patternText.data(), pattern.Size());
    m_flags = flags & RegexFlag::All;
    Parser<CHART> parser(*this, m_pattern, m_flags);
    m_root = parser.ParsePattern();
    if (!m_root) {
        // Too deeply nested: no root, and nothing that could be reached through one.
        Clear();
        m_flags = flags & RegexFlag::All;
        return;
    }
    NumberGroups();
    ResolveReferences();
    m_start = m_root->FirstCharacters();
    const ElxInterface* first = m_root;
    if (const auto* list = dynamic_cast<const CListElx*>(first)) first = list->First();
    const auto* repeat = dynamic_cast<const RepeatElxBase*>(first);
    if (repeat && repeat->Maximum() == RepeatElxBase::kUnlimited && repeat->Element()->IsSingleByte())
        m_leadingRun = repeat->Element();
}

template <class CHART> void CBuilderT<CHART>::NumberGroups()
{
    std::set<int> used;
    for (int number = 1; number <= m_numberedCount; ++number)
        used.insert(number);
    for (const NamedGroup& group : m_namedGroups)
        if (group.number >= 0) used.insert(group.number);
    int next = m_numberedCount + 1;
    for (std::size_t index = 0; index < m_namedGroups.size(); ++index) {
        NamedGroup& group = m_namedGroups[index];
        if (group.number < 0) {
            for (std::size_t earlier = 0; earlier < index; ++earlier)
                if (m_namedGroups[earlier].name == group.name) group.number = m_namedGroups[earlier].number;
            if (group.number < 0) {
                while (used.count(next))
                    ++next;
                group.number = next;
                used.insert(next);
            }
            group.open->SetGroup(group.number);
            group.close->SetGroup(group.number);
        }
        if (static_cast<int>(m_groups.size()) <= group.number)
            m_groups.resize(static_cast<std::size_t>(group.number) + 1, nullptr);
        if (!m_groups[static_cast<std::size_t>(group.number)])
            m_groups[static_cast<std::size_t>(group.number)] = group.element;
    }
    m_groupCount = used.empty() ? 0 : *used.rbegin();
    m_groups.resize(static_cast<std::size_t>(m_groupCount) + 1, nullptr);
    m_groups[0] = m_root;
}

template <class CHART> int CBuilderT<CHART>::GroupNumber(const std::string& name) const
{
    for (const NamedGroup& group : m_namedGroups)
        if (group.name == name) return group.number;
    return kUnknownGroup;
}

template <class CHART> void CBuilderT<CHART>::ResolveReferences()
{
    for (const NamedReference& reference : m_namedReferences) {
        int number = GroupNumber(reference.name);
        if (reference.backref) reference.backref->SetGroup(number);
        if (reference.condition) reference.condition->SetGroupCondition(number);
    }
    for (const Recursion& recursion : m_recursions) {
        int number = recursion.name.empty() ? recursion.number : GroupNumber(recursion.name);
        bool known = number >= 0 && number < static_cast<int>(m_groups.size());
        recursion.element->SetTarget(known ? m_groups[static_cast<std::size_t>(number)] : nullptr);
    }
}

template class CBuilderT<char>;
