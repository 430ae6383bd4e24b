#pragma once

#include "support/regex/RegexContext.h"

#include <bitset>
#include <string>
#include <utility>
#include <vector>

enum class Direction { LeftToRight, RightToLeft };

// What an element's matches can begin with, seen in its own direction of
// travel. The search uses it to skip positions where no match can start.
struct StartCharacters {
    std::bitset<256> bytes; // possible first bytes of a non-empty match
    bool known = true; // false: no useful statement (any byte, or anything at all)
    bool canBeEmpty = false; // may match without consuming a byte
    bool zeroWidth = false; // never consumes a byte
    bool requiresTextStart = false; // only matches when it begins at position 0
    bool requiresTextEnd = false; // only matches when it begins at the text's end

    static StartCharacters Unknown()
    {
        StartCharacters unknown;
        unknown.known = false;
        unknown.canBeEmpty = true;
        return unknown;
    }
    static StartCharacters Transparent()
    {
        StartCharacters transparent;
        transparent.canBeEmpty = true;
        transparent.zeroWidth = true;
        return transparent;
    }
};

// Every node of a compiled expression. MatchAt tries to match at the context's
// position: on success it returns 1, with the position moved past the match and
// its resume data pushed; on failure it returns 0 with position and stacks
// unchanged. Backtrack is called only after a success of the same element whose
// resume data is then on top of the stack: it returns 1 with the next possible
// match from the same start, or 0 after undoing all of the element's effects.
class ElxInterface {
public:
    virtual int MatchAt(CContext& context) = 0;
    virtual int Backtrack(CContext& context) = 0;
    virtual ~ElxInterface() = default;

    virtual StartCharacters FirstCharacters() const { return StartCharacters::Unknown(); }
    // True for elements that consume exactly one byte and push no resume data;
    // repeats of them need no stack entry per iteration.
    virtual bool IsSingleByte() const { return false; }
    virtual bool MatchesByte(unsigned char) const { return false; }
};

class CEmptyElx : public ElxInterface {
public:
    int MatchAt(CContext&) override { return 1; }
    int Backtrack(CContext&) override { return 0; }
    StartCharacters FirstCharacters() const override { return StartCharacters::Transparent(); }
};

// Shared behaviour of the elements that test the one byte after (or, right to left, before) the position.
class SingleByteElx : public ElxInterface {
public:
    explicit SingleByteElx(Direction direction)
        : m_direction(direction)
    { }
    int MatchAt(CContext& context) override;
    int Backtrack(CContext& context) override;
    StartCharacters FirstCharacters() const override;
    bool IsSingleByte() const override { return true; }

protected:
    Direction m_direction;
};

template <class CHART> class CStringElxT : public ElxInterface {
public:
    CStringElxT(std::basic_string<CHART> text, Direction direction, bool ignoreCase);
    int MatchAt(CContext& context) override;
    int Backtrack(CContext& context) override;
    StartCharacters FirstCharacters() const override;
    bool IsSingleByte() const override { return m_text.size() == 1; }
    bool MatchesByte(unsigned char byte) const override;

private:
    std::basic_string<CHART> m_text;
    Direction m_direction;
    bool m_ignoreCase;
};

// The tests behind [:name:], \d \s \w and their negations, and ".".
enum class CharacterTest {
    Alnum,
    Alpha,
    Ascii,
    Blank,
    Cntrl,
    Digit,
    Graph,
    Lower,
    Print,
    Punct,
    Space,
    Upper,
    Xdigit,
    Word,
    NotNewline,
    Any
};
bool PassesCharacterTest(CharacterTest test, unsigned char byte);

template <class CHART> class CPosixElxT : public SingleByteElx {
public:
    CPosixElxT(CharacterTest test, bool negated, Direction direction)
        : SingleByteElx(direction)
        , m_test(test)
        , m_negated(negated)
    { }
    bool MatchesByte(unsigned char byte) const override { return PassesCharacterTest(m_test, byte) != m_negated; }

private:
    CharacterTest m_test;
    bool m_negated;
};

template <class CHART> class CRangeElxT : public SingleByteElx {
public:
    CRangeElxT(bool negated, Direction direction)
        : SingleByteElx(direction)
        , m_negated(negated)
    { }
    // Ranges compare bytes as unsigned values, so [\x80-\xff] means the high bytes.
    void AddRange(unsigned char first, unsigned char last) { m_ranges.emplace_back(first, last); }
    void AddCharacter(unsigned char byte) { m_characters.push_back(byte); }
    void AddNested(const ElxInterface* element) { m_nested.push_back(element); }
    // Fixes the byte table once every part has been added.
    void Finish();
    bool MatchesByte(unsigned char byte) const override { return m_table[byte]; }

private:
    std::vector<std::pair<unsigned char, unsigned char>> m_ranges;
    std::vector<unsigned char> m_characters;
    std::vector<const ElxInterface*> m_nested;
    bool m_negated;
    std::bitset<256> m_table;
};

// Zero-width tests. The kinds are fixed by the syntax that builds them.
enum class BoundaryKind {
    TextStart = 0,
    TextEnd = 1,
    LineStart = 2,
    LineEnd = 3,
    WordStart = 4,
    WordEnd = 5,
    Word = 6
};

template <class CHART> class CBoundaryElxT : public ElxInterface {
public:
    CBoundaryElxT(BoundaryKind kind, bool expected)
        : m_kind(kind)
        , m_expected(expected)
    { }
    int MatchAt(CContext& context) override { return Holds(context) == m_expected ? 1 : 0; }
    int Backtrack(CContext&) override { return 0; }
    StartCharacters FirstCharacters() const override;

private:
    bool Holds(const CContext& context) const;
    BoundaryKind m_kind;
    bool m_expected;
};

// \G: the position where this search started (the end of the previous match).
class CGlobalElx : public ElxInterface {
public:
    int MatchAt(CContext& context) override { return context.position == context.searchStart ? 1 : 0; }
    int Backtrack(CContext&) override { return 0; }
    StartCharacters FirstCharacters() const override { return StartCharacters::Transparent(); }
};

class CListElx : public ElxInterface {
public:
    CListElx(std::vector<ElxInterface*> elements, Direction direction)
        : m_elements(std::move(elements))
        , m_direction(direction)
    { }
    int MatchAt(CContext& context) override;
    int Backtrack(CContext& context) override;
    StartCharacters FirstCharacters() const override;
    // The element that runs first, in the list's direction.
    const ElxInterface* First() const { return m_elements.empty() ? nullptr : At(0); }

private:
    ElxInterface* At(int step) const;
    // Runs the elements from `step` on (in matching order), backtracking earlier ones on failure.
    int RunFrom(CContext& context, int step);
    std::vector<ElxInterface*> m_elements;
    Direction m_direction;
};

class CAlternativeElx : public ElxInterface {
public:
    explicit CAlternativeElx(std::vector<ElxInterface*> alternatives)
        : m_alternatives(std::move(alternatives))
    { }
    int MatchAt(CContext& context) override;
    int Backtrack(CContext& context) override;
    StartCharacters FirstCharacters() const override;

private:
    int TryFrom(CContext& context, int index);
    std::vector<ElxInterface*> m_alternatives;
};

// The opening or closing mark of a capture group. Whichever of the two runs
// first in the group's direction opens the capture record; the other closes it.
template <class CHART> class CBracketElxT : public ElxInterface {
public:
    CBracketElxT(int group, bool closing, Direction direction)
        : m_group(group)
        , m_closing(closing)
        , m_direction(direction)
    { }
    int MatchAt(CContext& context) override;
    int Backtrack(CContext& context) override;
    StartCharacters FirstCharacters() const override { return StartCharacters::Transparent(); }
    void SetGroup(int group) { m_group = group; }

private:
    int m_group;
    bool m_closing;
    Direction m_direction;
};

// The repeat family shares the iteration machinery: a greedy range, a fixed
// count, a lazy range and a possessive range.
class RepeatElxBase : public ElxInterface {
public:
    static constexpr int kUnlimited = 2147483647;

    RepeatElxBase(ElxInterface* element, int minimum, int maximum)
        : m_element(element)
        , m_minimum(minimum)
        , m_maximum(maximum)
    { }
    StartCharacters FirstCharacters() const override;
    const ElxInterface* Element() const { return m_element; }
    int Maximum() const { return m_maximum; }

protected:
    // Adds iterations to the `count` already matched, up to `limit`, and
    // backtracks earlier iterations when fewer than `least` were reached.
    // Returns the count reached, or -1 after every iteration was undone.
    int Extend(CContext& context, int count, int least, int limit);
    // Moves the position back over `count` single-byte iterations.
    void StepBack(CContext& context, int count) const;

    ElxInterface* m_element;
    int m_minimum;
    int m_maximum;
};

class CGreedyElx : public RepeatElxBase {
public:
    using RepeatElxBase::RepeatElxBase;
    int MatchAt(CContext& context) override;
    int Backtrack(CContext& context) override;
};

class CRepeatElx : public CGreedyElx {
public:
    CRepeatElx(ElxInterface* element, int count)
        : CGreedyElx(element, count, count)
    { }
};

class CReluctantElx : public RepeatElxBase {
public:
    using RepeatElxBase::RepeatElxBase;
    int MatchAt(CContext& context) override;
    int Backtrack(CContext& context) override;
};

class CPossessiveElx : public CGreedyElx {
public:
    using CGreedyElx::CGreedyElx;
    int MatchAt(CContext& context) override;
    int Backtrack(CContext& context) override;
};

class CAssertElx : public ElxInterface {
public:
    CAssertElx(ElxInterface* element, bool positive)
        : m_element(element)
        , m_positive(positive)
    { }
    int MatchAt(CContext& context) override;
    int Backtrack(CContext& context) override;
    StartCharacters FirstCharacters() const override { return StartCharacters::Transparent(); }

private:
    ElxInterface* m_element;
    bool m_positive;
};

class CIndependentElx : public ElxInterface {
public:
    explicit CIndependentElx(ElxInterface* element)
        : m_element(element)
    { }
    int MatchAt(CContext& context) override;
    int Backtrack(CContext& context) override;
    StartCharacters FirstCharacters() const override { return m_element->FirstCharacters(); }

private:
    ElxInterface* m_element;
};

// Names that the builder resolves to group numbers once the whole pattern is read.
constexpr int kUnknownGroup = -3;

template <class CHART> class CConditionElxT : public ElxInterface {
public:
    CConditionElxT(ElxInterface* yes, ElxInterface* no)
        : m_yes(yes)
        , m_no(no)
    { }
    void SetGroupCondition(int group) { m_group = group; }
    void SetAssertCondition(ElxInterface* assertion) { m_assertion = assertion; }
    int MatchAt(CContext& context) override;
    int Backtrack(CContext& context) override;

private:
    int m_group = kUnknownGroup;
    ElxInterface* m_assertion = nullptr;
    ElxInterface* m_yes;
    ElxInterface* m_no;
};

template <class CHART> class CBackrefElxT : public ElxInterface {
public:
    CBackrefElxT(int group, Direction direction, bool ignoreCase)
        : m_group(group)
        , m_direction(direction)
        , m_ignoreCase(ignoreCase)
    { }
    void SetGroup(int group) { m_group = group; }
    int MatchAt(CContext& context) override;
    int Backtrack(CContext& context) override;

private:
    int m_group;
    Direction m_direction;
    bool m_ignoreCase;
};

// A recursion into a group (or, for group 0, into the whole pattern). With no
// target it matches the empty text.
template <class CHART> class CDelegateElxT : public ElxInterface {
public:
    void SetTarget(ElxInterface* target) { m_target = target; }
    int MatchAt(CContext& context) override;
    int Backtrack(CContext& context) override;

private:
    ElxInterface* m_target = nullptr;
};

// ASCII-only case folding: the engine's idea of "ignore case".
inline unsigned char FoldCase(unsigned char byte)
{
    return (byte >= 'A' && byte <= 'Z') ? static_cast<unsigned char>(byte + ('a' - 'A')) : byte;
}
