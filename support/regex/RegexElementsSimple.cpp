// The leaf elements: literal runs, single-byte tests, anchors, capture marks,
// back-references and recursions.
#include "support/regex/RegexElements.h"

namespace {
bool IsWordByte(unsigned char byte)
{
    return (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') || (byte >= '0' && byte <= '9') || byte == '_';
}

StartCharacters OneOf(const ElxInterface& element)
{
    StartCharacters start;
    for (int byte = 0; byte < 256; ++byte)
        if (element.MatchesByte(static_cast<unsigned char>(byte))) start.bytes.set(static_cast<std::size_t>(byte));
    return start;
}
} // namespace

bool PassesCharacterTest(CharacterTest test, unsigned char byte)
{
    bool lower = byte >= 'a' && byte <= 'z';
    bool upper = byte >= 'A' && byte <= 'Z';
    bool digit = byte >= '0' && byte <= '9';
    bool graph = byte > 32 && byte < 127;
    switch (test) {
    case CharacterTest::Alnum:
        return lower || upper || digit;
    case CharacterTest::Alpha:
        return lower || upper;
    case CharacterTest::Ascii:
        return byte < 128;
    case CharacterTest::Blank:
        return byte == ' ' || byte == '\t';
    case CharacterTest::Cntrl:
        return byte < 32 || byte == 127;
    case CharacterTest::Digit:
        return digit;
    case CharacterTest::Graph:
        return graph;
    case CharacterTest::Lower:
        return lower;
    case CharacterTest::Print:
        return graph || byte == ' ';
    case CharacterTest::Punct:
        return graph && !lower && !upper && !digit;
    case CharacterTest::Space:
        return byte == ' ' || (byte >= 9 && byte <= 13);
    case CharacterTest::Upper:
        return upper;
    case CharacterTest::Xdigit:
        return digit || (byte >= 'a' && byte <= 'f') || (byte >= 'A' && byte <= 'F');
    case CharacterTest::Word:
        return IsWordByte(byte);
    case CharacterTest::NotNewline:
        return byte != '\n';
    case CharacterTest::Any:
        return true;
    }
    return false;
}

// ---- single bytes

int SingleByteElx::MatchAt(CContext& context)
{
    if (m_direction == Direction::LeftToRight) {
        if (context.position >= context.length) return 0;
        if (!MatchesByte(static_cast<unsigned char>(context.text[context.position]))) return 0;
        ++context.position;
    } else {
        if (context.position <= 0) return 0;
        if (!MatchesByte(static_cast<unsigned char>(context.text[context.position - 1]))) return 0;
        --context.position;
    }
    return 1;
}

int SingleByteElx::Backtrack(CContext& context)
{
    context.position += m_direction == Direction::LeftToRight ? -1 : 1;
    return 0;
}

StartCharacters SingleByteElx::FirstCharacters() const
{
    return OneOf(*this);
}

template <class CHART> void CRangeElxT<CHART>::Finish()
{
    m_table.reset();
    for (const auto& [first, last] : m_ranges)
        for (int byte = first; byte <= last; ++byte)
            m_table.set(static_cast<std::size_t>(byte));
    for (unsigned char byte : m_characters)
        m_table.set(byte);
    for (const ElxInterface* nested : m_nested)
        for (int byte = 0; byte < 256; ++byte)
            if (nested->MatchesByte(static_cast<unsigned char>(byte))) m_table.set(static_cast<std::size_t>(byte));
    if (m_negated) m_table.flip();
}

// ---- literal runs

template <class CHART>
CStringElxT<CHART>::CStringElxT(std::basic_string<CHART> text, Direction direction, bool ignoreCase)
    : m_text(std::move(text))
    , m_direction(direction)
    , m_ignoreCase(ignoreCase)
{
    if (m_ignoreCase)
        for (CHART& character : m_text)
            character = static_cast<CHART>(FoldCase(static_cast<unsigned char>(character)));
}

template <class CHART> int CStringElxT<CHART>::MatchAt(CContext& context)
{
    int size = static_cast<int>(m_text.size());
    int from = m_direction == Direction::LeftToRight ? context.position : context.position - size;
    if (from < 0 || from + size > context.length) return 0;
    const char* text = context.text + from;
    if (m_ignoreCase) {
        for (int index = 0; index < size; ++index)
            if (FoldCase(static_cast<unsigned char>(text[index])) != static_cast<unsigned char>(m_text[index]))
                return 0;
    } else {
        for (int index = 0; index < size; ++index)
            if (text[index] != m_text[index]) return 0;
    }
    context.position = m_direction == Direction::LeftToRight ? from + size : from;
    return 1;
}

template <class CHART> int CStringElxT<CHART>::Backtrack(CContext& context)
{
    int size = static_cast<int>(m_text.size());
    context.position += m_direction == Direction::LeftToRight ? -size : size;
    return 0;
}

template <class CHART> bool CStringElxT<CHART>::MatchesByte(unsigned char byte) const
{
    if (m_text.size() != 1) return false;
    return (m_ignoreCase ? FoldCase(byte) : byte) == static_cast<unsigned char>(m_text[0]);
}

template <class CHART> StartCharacters CStringElxT<CHART>::FirstCharacters() const
{
    StartCharacters start;
    if (m_text.empty()) return StartCharacters::Transparent();
    auto first = static_cast<unsigned char>(m_direction == Direction::LeftToRight ? m_text.front() : m_text.back());
    start.bytes.set(first);
    if (m_ignoreCase && first >= 'a' && first <= 'z') start.bytes.set(static_cast<std::size_t>(first - 'a' + 'A'));
    return start;
}

// ---- anchors

template <class CHART> bool CBoundaryElxT<CHART>::Holds(const CContext& context) const
{
    int position = context.position;
    const char* text = context.text;
    int length = context.length;
    bool wordBefore = position > 0 && IsWordByte(static_cast<unsigned char>(text[position - 1]));
    bool wordAfter = position < length && IsWordByte(static_cast<unsigned char>(text[position]));
    switch (m_kind) {
    case BoundaryKind::TextStart:
        return position == 0;
    case BoundaryKind::TextEnd:
        return position == length;
    case BoundaryKind::LineStart:
        // After \n, or after a \r that no \n follows.
        return position == 0 || text[position - 1] == '\n'
            || (text[position - 1] == '\r' && (position == length || text[position] != '\n'));
    case BoundaryKind::LineEnd:
        // Before \r, or before a \n that no \r precedes.
        return position == length || text[position] == '\r'
            || (text[position] == '\n' && (position == 0 || text[position - 1] != '\r'));
    case BoundaryKind::WordStart:
        return !wordBefore && wordAfter;
    case BoundaryKind::WordEnd:
        return wordBefore && !wordAfter;
    case BoundaryKind::Word:
        return wordBefore != wordAfter;
    }
    return false;
}

template <class CHART> StartCharacters CBoundaryElxT<CHART>::FirstCharacters() const
{
    StartCharacters start = StartCharacters::Transparent();
    if (m_expected) {
        start.requiresTextStart = m_kind == BoundaryKind::TextStart;
        start.requiresTextEnd = m_kind == BoundaryKind::TextEnd;
    }
    return start;
}

// ---- capture marks

template <class CHART> int CBracketElxT<CHART>::MatchAt(CContext& context)
{
    bool opens = m_closing == (m_direction == Direction::RightToLeft);
    if (opens)
        context.OpenCapture(m_group);
    else
        context.CloseCapture(m_group);
    return 1;
}

template <class CHART> int CBracketElxT<CHART>::Backtrack(CContext& context)
{
    context.UndoCapture();
    return 0;
}

// ---- back-references

template <class CHART> int CBackrefElxT<CHART>::MatchAt(CContext& context)
{
    int start = 0;
    int end = 0;
    if (!context.CapturedSpan(m_group, start, end)) return 0;
    int size = end - start;
    int from = m_direction == Direction::LeftToRight ? context.position : context.position - size;
    if (from < 0 || from + size > context.length) return 0;
    const char* captured = context.text + start;
    const char* text = context.text + from;
    for (int index = 0; index < size; ++index) {
        auto left = static_cast<unsigned char>(captured[index]);
        auto right = static_cast<unsigned char>(text[index]);
        if (m_ignoreCase ? FoldCase(left) != FoldCase(right) : left != right) return 0;
    }
    context.Push(context.position);
    context.position = m_direction == Direction::LeftToRight ? from + size : from;
    return 1;
}

template <class CHART> int CBackrefElxT<CHART>::Backtrack(CContext& context)
{
    context.position = context.Pop();
    return 0;
}

// ---- recursion

template <class CHART> int CDelegateElxT<CHART>::MatchAt(CContext& context)
{
    if (!m_target) return 1;
    NestingGuard guard(context);
    return m_target->MatchAt(context);
}

template <class CHART> int CDelegateElxT<CHART>::Backtrack(CContext& context)
{
    if (!m_target) return 0;
    NestingGuard guard(context);
    return m_target->Backtrack(context);
}

template class CStringElxT<char>;
template class CRangeElxT<char>;
template class CBoundaryElxT<char>;
template class CBracketElxT<char>;
template class CBackrefElxT<char>;
template class CDelegateElxT<char>;
