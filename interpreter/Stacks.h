#pragma once

#include "base/Values.h"
#include "interpreter/Labels_class.h"
#include "interpreter/Variables_class.h"

#include <cstdint>
#include <vector>

// The four run-time stacks of one run. Each is strictly last in, first out.
// Pointers returned by Top stay valid until the next Push or Pop of that stack.
// Program positions are pointers into the program text.

// One FOR loop frame.
struct ForStack_Node {
    AnsiString counterName;
    int endValue = 0;
    int startValue = 0;
    int step = 0;
    const char* bodyPosition = nullptr; // just after the FOR statement
    // The counter's node in the table with this identity, found by the first
    // NEXT (see Variables_Class::identity); null until then.
    uint64_t counterTable = 0;
    Variables_Class::Node* counterNode = nullptr;
};

class ForStack_Class {
public:
    // Returns 1, or 0 when memory ran out (the caller raises "too many" error).
    int Push(const ForStack_Node& frame);
    // The top frame, null when empty.
    ForStack_Node* Top() { return frames.empty() ? nullptr : &frames.back(); }
    // Removes the top frame; false when empty.
    bool Pop();
    void Clear() { frames.clear(); }
    int count() const { return static_cast<int>(frames.size()); }

private:
    std::vector<ForStack_Node> frames;
};

// One GOSUB, CALL or event-handler frame.
struct GoSubStack_Node {
    int savedIfDepth = 0;
    // Loops opened inside the frame, removed again when it returns.
    int forCount = 0;
    int whileCount = 0;
    int repeatCount = 0;
    const char* returnPosition = nullptr;
    Variables_Class* callerVariables = nullptr; // the caller's table for a CALL, null for a GOSUB
    // The sub's name where a frame was pushed by name; a CALL frame names its
    // sub through `sub` instead, and leaves this empty.
    AnsiString subName;
    // The caller's argument names, each followed by a comma (empty for a
    // variable-less argument); kept only when the sub has by-reference
    // parameters, the one use of it.
    AnsiString argumentText;
    const Labels_Class::Node* sub = nullptr; // the sub called, for a CALL
};

// Kinds of IncLoopCount and DecLoopCount.
namespace LoopKind {
constexpr int While = 1;
constexpr int Repeat = 2;
constexpr int For = 3;
} // namespace LoopKind

class GoSubStack_Class {
public:
    ~GoSubStack_Class() { Clear(); }
    // Returns 1, or 0 when memory ran out.
    int Push(int savedIfDepth, int forCount, int whileCount, int repeatCount, const char* returnPosition,
        Variables_Class* callerVariables, const AnsiString& subName, const AnsiString& argumentText,
        const Labels_Class::Node* sub = nullptr);
    // A GOSUB frame: no variable table and no sub.
    int PushGosub(int savedIfDepth, const char* returnPosition);
    // A CALL frame of `sub`; argumentText is taken over.
    int PushCall(int savedIfDepth, const char* returnPosition, Variables_Class* callerVariables,
        const Labels_Class::Node* sub, AnsiString&& argumentText);
    GoSubStack_Node* Top() { return frames.empty() ? nullptr : &frames.back(); }
    // Removes the top frame; the variable table saved in it is not freed (its
    // owner, the RETURN, restores it). False when empty.
    bool Pop();
    // Discards every frame and deletes the variable tables saved in them: these
    // are the local tables of sub calls still open. The table `keep` (the main
    // program's, which the interpreter owns) is never deleted.
    void Clear(const Variables_Class* keep = nullptr);
    // Adds or subtracts one from a loop count of the top frame (kind 1 while,
    // 2 repeat, 3 for); false when the stack is empty or the kind is unknown.
    bool IncLoopCount(int kind) { return AddLoopCount(kind, 1); }
    bool DecLoopCount(int kind) { return AddLoopCount(kind, -1); }
    int count() const { return static_cast<int>(frames.size()); }

private:
    bool AddLoopCount(int kind, int delta);
    std::vector<GoSubStack_Node> frames;
};

// The positions of open REPEAT loops.
class RepeatUntilStack_Class {
public:
    // False only when memory ran out.
    bool Push(const char* position);
    // The top position, null when empty.
    const char* Top() const { return positions.empty() ? nullptr : positions.back(); }
    bool Pop();
    void Clear() { positions.clear(); }
    int count() const { return static_cast<int>(positions.size()); }

private:
    std::vector<const char*> positions;
};

// The positions of open WHILE loops; the same behaviour as the REPEAT stack.
class WhileStack_Class : public RepeatUntilStack_Class { };
