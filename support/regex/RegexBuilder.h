#pragma once

#include "support/regex/RegexElements.h"

#include <memory>
#include <string>
#include <vector>

// Pattern flags, also switched inside a pattern by inline options (except the last two).
namespace RegexFlag {
constexpr int DotMatchesNewline = 1; // s
constexpr int Multiline = 2; // m
constexpr int Global = 4; // g: enables \G
constexpr int IgnoreCase = 8; // i
constexpr int RightToLeft = 16;
constexpr int IgnoreWhiteSpace = 32;
constexpr int All = 63;
} // namespace RegexFlag

// The compiler: turns a pattern and flags into a tree of elements that it owns.
// It never reports an error: constructs it cannot read are taken literally or
// ignored, and a pattern nested too deeply to compile safely gives an
// expression without root, which never matches.
template <class CHART> class CBuilderT {
public:
    // Deeper nesting of groups and quantifiers than this leaves the expression without root.
    static constexpr int kMaxNesting = 200;
    // Group numbers above this are not taken from digit names.
    static constexpr int kMaxGroupNumber = 9999;

    CBuilderT();
    ~CBuilderT();
    CBuilderT(const CBuilderT&) = delete;
    CBuilderT& operator=(const CBuilderT&) = delete;

    void Clear();
    void Compile(CBufferRefT<CHART> pattern, int flags);

    ElxInterface* Root() const { return m_root; }
    int Flags() const { return m_flags; }
    int GroupCount() const { return m_groupCount; }
    // The number of the named group, or kUnknownGroup.
    int GroupNumber(const std::string& name) const;
    const StartCharacters& Start() const { return m_start; }
    // The single-byte element of an unlimited repeat that every match begins with, or null. A failed
    // attempt inside a run of such bytes means that the later positions of the same run fail too: a match
    // from there could have been found from the run's earlier position.
    const ElxInterface* LeadingRun() const { return m_leadingRun; }

    // Used while parsing (by the parser in the builder's own source file).
    template <class Element, class... Arguments> Element* Make(Arguments&&... arguments)
    {
        auto element = std::make_unique<Element>(std::forward<Arguments>(arguments)...);
        Element* raw = element.get();
        m_elements.push_back(std::move(element));
        return raw;
    }
    ElxInterface* Empty() const { return m_empty.get(); }
    ElxInterface* Shared(CharacterTest test, bool negated, Direction direction) const;

    struct NamedGroup {
        std::string name;
        int number; // -1 until numbering; a digit name sets it at once
        CBracketElxT<CHART>* open;
        CBracketElxT<CHART>* close;
        ElxInterface* element;
    };
    struct NamedReference {
        std::string name;
        CBackrefElxT<CHART>* backref = nullptr;
        CConditionElxT<CHART>* condition = nullptr;
    };
    struct Recursion {
        std::string name; // empty: by number
        int number;
        CDelegateElxT<CHART>* element;
    };

    int m_numberedCount = 0;
    std::vector<ElxInterface*> m_groups; // element of each group number; slot 0 is the whole pattern
    std::vector<NamedGroup> m_namedGroups;
    std::vector<Recursion> m_recursions;
    std::vector<NamedReference> m_namedReferences;

private:
    void NumberGroups();
    void ResolveReferences();

    // The builder keeps its own copy of the pattern, so the caller's text may go away after compiling.
    std::basic_string<CHART> m_patternText;
    CBufferRefT<CHART> m_pattern;
    int m_flags = 0;
    ElxInterface* m_root = nullptr;
    int m_groupCount = 0;
    StartCharacters m_start;
    const ElxInterface* m_leadingRun = nullptr;
    std::vector<std::unique_ptr<ElxInterface>> m_elements;
    std::unique_ptr<ElxInterface> m_empty;
    std::vector<std::unique_ptr<ElxInterface>> m_shared; // by test, negation and direction
};

// A name made only of digits stands for that group number; -1 otherwise.
int DigitNameNumber(const std::string& name, int maximum);
