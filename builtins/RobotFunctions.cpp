#include "builtins/FunctionFamilies.h"

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

RunRobot& RobotOf(FunctionCall& call)
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
    { FunctionCode::Rlook, FirstArgument::OptionalZero, Look },
    { FunctionCode::Rrange, FirstArgument::OptionalZero, Range },
    { FunctionCode::Rfeel, FirstArgument::None, Feel },
    { FunctionCode::Rdfeel, FirstArgument::OptionalMinusOne, FeelShown },
    { FunctionCode::Rbumper, FirstArgument::None, Bumper },
    { FunctionCode::Rdbumper, FirstArgument::OptionalMinusOne, BumperShown },
    { FunctionCode::Rsense, FirstArgument::OptionalMinusOne, Sense },
    { FunctionCode::Rcompass, FirstArgument::None, Compass },
    { FunctionCode::Rgpsx, FirstArgument::None, GpsX },
    { FunctionCode::Rgpsy, FirstArgument::None, GpsY },
    { FunctionCode::Rpoints, FirstArgument::None, Points },
    { FunctionCode::Rchargelevel, FirstArgument::None, ChargeLevel },
    { FunctionCode::Rbeacon, FirstArgument::Number, Beacon },
    { FunctionCode::Rground, FirstArgument::Number, Ground },
    { FunctionCode::Rgrounda, FirstArgument::Number, GroundAtAngle },
    { FunctionCode::Rcommand, FirstArgument::Number, Command },
};

} // namespace

std::span<const FunctionEntry> RobotFunctionEntries()
{
    return entries;
}
