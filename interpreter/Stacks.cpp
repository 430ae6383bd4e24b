#include "interpreter/Stacks.h"

#include "interpreter/Variables_class.h"

#include <new>
#include <utility>

int ForStack_Class::Push(const ForStack_Node& frame)
{
    try {
        frames.push_back(frame);
        return 1;
    } catch (const std::bad_alloc&) {
        return 0;
    }
}

bool ForStack_Class::Pop()
{
    if (frames.empty()) return false;
    frames.pop_back();
    return true;
}

int GoSubStack_Class::Push(int savedIfDepth, int forCount, int whileCount, int repeatCount, const char* returnPosition,
    Variables_Class* callerVariables, const AnsiString& subName, const AnsiString& argumentText,
    const Labels_Class::Node* sub)
{
    try {
        frames.push_back(GoSubStack_Node { savedIfDepth, forCount, whileCount, repeatCount, returnPosition,
            callerVariables, subName, argumentText, sub });
        return 1;
    } catch (const std::bad_alloc&) {
        return 0;
    }
}

int GoSubStack_Class::PushGosub(int savedIfDepth, const char* returnPosition)
{
    try {
        GoSubStack_Node& frame = frames.emplace_back();
        frame.savedIfDepth = savedIfDepth;
        frame.returnPosition = returnPosition;
        return 1;
    } catch (const std::bad_alloc&) {
        return 0;
    }
}

int GoSubStack_Class::PushCall(int savedIfDepth, const char* returnPosition, Variables_Class* callerVariables,
    const Labels_Class::Node* sub, AnsiString&& argumentText)
{
    try {
        GoSubStack_Node& frame = frames.emplace_back();
        frame.savedIfDepth = savedIfDepth;
        frame.returnPosition = returnPosition;
        frame.callerVariables = callerVariables;
        frame.sub = sub;
        frame.argumentText = std::move(argumentText);
        return 1;
    } catch (const std::bad_alloc&) {
        return 0;
    }
}

bool GoSubStack_Class::Pop()
{
    if (frames.empty()) return false;
    frames.pop_back();
    return true;
}

void GoSubStack_Class::Clear(const Variables_Class* keep)
{
    // A table is saved by the frame of the call made while it was current, so
    // each local table appears at most once.
    for (GoSubStack_Node& frame : frames) {
        if (frame.callerVariables && frame.callerVariables != keep) delete frame.callerVariables;
    }
    frames.clear();
}

bool GoSubStack_Class::AddLoopCount(int kind, int delta)
{
    if (frames.empty()) return false;
    GoSubStack_Node& top = frames.back();
    switch (kind) {
    case LoopKind::While:
        top.whileCount += delta;
        return true;
    case LoopKind::Repeat:
        top.repeatCount += delta;
        return true;
    case LoopKind::For:
        top.forCount += delta;
        return true;
    default:
        return false;
    }
}

bool RepeatUntilStack_Class::Push(const char* position)
{
    try {
        positions.push_back(position);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool RepeatUntilStack_Class::Pop()
{
    if (positions.empty()) return false;
    positions.pop_back();
    return true;
}
