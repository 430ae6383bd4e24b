#include "builtins/FunctionFamilies.h"
#include "screen/robot/Robot_class.h"

#include <cmath>

// The robot sensor functions, on the robot of the run.

namespace {

// Robot arguments are numbers truncated toward zero to 32 bits; a text is
// error 36 also where the frame read an optional argument.
int IntArgument(FunctionCall& call, const Value& v)
{
    if (v.tag == Tag::String) call.Raise(ErrorCode::FunctionNeedsNumber);
    return v.tag == Tag::Int ? v.i : call.ex.RoundToIntChecked(v.f, false);
}

int First(FunctionCall& call)
{
    return IntArgument(call, call.first);
}

Robot_Class& RobotOf(FunctionCall& call)
{
    return call.Robot();
}

void Look(FunctionCall& call)
{
    call.ReturnInt(RobotOf(call).Look(First(call)));
}
void Range(FunctionCall& call)
{
    call.ReturnInt(RobotOf(call).Range(First(call)));
}
void Feel(FunctionCall& call)
{
    call.ReturnInt(RobotOf(call).Feel());
}
void FeelShown(FunctionCall& call)
{
    call.ReturnInt(RobotOf(call).FeelShown(First(call)));
}
void Bumper(FunctionCall& call)
{
    call.ReturnInt(RobotOf(call).Bumper());
}
void BumperShown(FunctionCall& call)
{
    call.ReturnInt(RobotOf(call).BumperShown(First(call)));
}
void Sense(FunctionCall& call)
{
    call.ReturnInt(RobotOf(call).Sense(First(call)));
}
void Compass(FunctionCall& call)
{
    call.ReturnInt(RobotOf(call).Compass());
}
void GpsX(FunctionCall& call)
{
    call.ReturnInt(RobotOf(call).GpsX());
}
void GpsY(FunctionCall& call)
{
    call.ReturnInt(RobotOf(call).GpsY());
}
void Points(FunctionCall& call)
{
    call.ReturnInt(RobotOf(call).Points());
}
void ChargeLevel(FunctionCall& call)
{
    call.ReturnInt(RobotOf(call).ChargeLevel());
}
void Beacon(FunctionCall& call)
{
    call.ReturnInt(RobotOf(call).Beacon(First(call)));
}
void Ground(FunctionCall& call)
{
    call.ReturnInt(RobotOf(call).Ground(First(call)));
}
void GroundAtAngle(FunctionCall& call)
{
    call.ReturnInt(RobotOf(call).GroundAtAngle(First(call)));
}

void Command(FunctionCall& call)
{
    const int command = First(call);
    const Value second = call.NextValue();
    if (second.tag == Tag::String) call.Raise(ErrorCode::FunctionNeedsNumber);
    int argument = second.i;
    if (second.tag == Tag::Float) {
        const double truncated = std::trunc(second.f);
        if (!(truncated >= -2147483648.0 && truncated <= 2147483647.0)) call.Raise(ErrorCode::NumberTooBig);
        argument = static_cast<int>(truncated);
    }
    call.ReturnText(RobotOf(call).Command(command & 0xFF, argument & 0xFF));
}

const FunctionEntry entries[] = {
    { 5401, FirstArgument::OptionalZero, Look },
    { 5402, FirstArgument::OptionalZero, Range },
    { 5403, FirstArgument::None, Feel },
    { 5404, FirstArgument::OptionalMinusOne, FeelShown },
    { 5405, FirstArgument::None, Bumper },
    { 5406, FirstArgument::OptionalMinusOne, BumperShown },
    { 5407, FirstArgument::OptionalMinusOne, Sense },
    { 5408, FirstArgument::None, Compass },
    { 5409, FirstArgument::None, GpsX },
    { 5410, FirstArgument::None, GpsY },
    { 5411, FirstArgument::None, Points },
    { 5412, FirstArgument::None, ChargeLevel },
    { 5413, FirstArgument::Number, Beacon },
    { 5414, FirstArgument::Number, Ground },
    { 5415, FirstArgument::Number, GroundAtAngle },
    { 5416, FirstArgument::Number, Command },
};

} // namespace

std::span<const FunctionEntry> RobotFunctionEntries()
{
    return entries;
}
