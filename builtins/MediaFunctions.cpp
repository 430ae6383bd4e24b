#include "builtins/FunctionFamilies.h"
#include "interpreter/RunScreen.h"

// The media-slot queries: a slot's mode and whether it holds a video. A slot
// that is empty, or whose player failed, answers 0.

namespace {

// The modes a slot can report; anything else is passed on as 0.
constexpr int HighestMode = 10;

void MediaState(FunctionCall& call)
{
    if (!call.ex.screen) return call.ReturnInt(0);
    const int mode = call.Screen().Media().MediaControl(call.ex.argInt[0], MediaOp::Mode);
    call.ReturnInt(mode < 0 || mode > HighestMode ? 0 : mode);
}

void MediaIsVideo(FunctionCall& call)
{
    if (!call.ex.screen) return call.ReturnInt(0);
    call.ReturnInt(call.Screen().Media().MediaControl(call.ex.argInt[0], MediaOp::IsVideo));
}

constexpr FunctionEntry entries[] = {
    { FunctionCode::Mediastate, FirstArgument::Signature, MediaState },
    { FunctionCode::Mediaisvideo, FirstArgument::Signature, MediaIsVideo },
};

} // namespace

std::span<const FunctionEntry> MediaFunctionEntries()
{
    return entries;
}
