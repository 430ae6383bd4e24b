#include "devices/Ports_comms_io.h"
#include "interpreter/Durnix_class.h"
#include "interpreter/Operators.h"
#include "interpreter/statements/StatementTable.h"
#include "support/FloatText.h"

#include <cmath>

// The statements that drive the ports service: tones and tunes, the serial
// line and its settings, the parallel port, raw I/O ports and the latches,
// and rinvisible, which shares serout's way of reading a list.

namespace {

TPorts_Comms_IO_Form& Ports()
{
    return Ports_Comms_IO_Form();
}

// The longest text serout and serialout send in one statement.
constexpr size_t SendLimit = 4095;
constexpr int TabWidth = 8;

// --- One integer ------------------------------------------------------------------

struct OneIntegerStatement {
    StatementCode code;
    int defaultValue;
    void (*operation)(Durnix_Class&, int32_t);
};

constexpr OneIntegerStatement oneIntegerStatements[] = {
    { StatementCode::Speaker, -1, [](Durnix_Class&, int32_t n) { Ports().Speaker(n != 0); } },
    { StatementCode::Pportout, 0, [](Durnix_Class&, int32_t n) { Ports().PPortOut(static_cast<uint8_t>(n)); } },
    { StatementCode::Settimeout, -1, [](Durnix_Class&, int32_t n) { Ports().SetTimeout(n); } },
    { StatementCode::Microdelay, -1, [](Durnix_Class&, int32_t n) { Ports().MicroDelay(n < 1 ? 1 : n); } },
    { StatementCode::Setpportnumber, -1,
        [](Durnix_Class&, int32_t n) { Ports().SetPPortNumber(static_cast<uint16_t>(n)); } },
    { StatementCode::Clearserbuffer, 0, [](Durnix_Class&, int32_t n) { Ports().ClearSerBuffer(n); } },
    { StatementCode::Setserdtr, -1, [](Durnix_Class&, int32_t n) { Ports().SetSerDTR(n != 0); } },
    { StatementCode::Setserrts, -1, [](Durnix_Class&, int32_t n) { Ports().SetSerRTS(n != 0); } },
};

template <size_t Index> void OneInteger(Durnix_Class& d)
{
    const OneIntegerStatement& statement = oneIntegerStatements[Index];
    d.SetParamDefaults(1, statement.defaultValue, 'i');
    int given = 0;
    d.ParseParams(0, 1, given);
    statement.operation(d, d.paramInt[0]);
}

void PlaySong(Durnix_Class& d)
{
    d.SetParamDefaults(1, 0, 's');
    int given = 0;
    d.ParseParams(0, 1, given);
    const AnsiString& music = d.paramText[0];
    Ports().PlaySong(music.empty() ? AnsiString("AA#BCC#DD#EFF#GG#") : music);
}

// --- Several numbers ----------------------------------------------------------------

// Milliseconds from a double: truncated toward zero, saturated to 64 bits.
int64_t Milliseconds(double value)
{
    if (!(value == value)) return 0;
    if (value >= 9.0e18) return static_cast<int64_t>(9.0e18);
    if (value <= -9.0e18) return static_cast<int64_t>(-9.0e18);
    return static_cast<int64_t>(std::trunc(value));
}

void Sound(Durnix_Class& d)
{
    d.SetParamDefaults(3, 0, 'f');
    d.paramFloat[2] = 1.0;
    int given = 0;
    d.ParseParams(2, 3, given);
    // The third argument only decides whether window events are processed
    // meanwhile: the tone lasts its duration either way.
    Ports().Sound(
        d.paramFloat[0], Milliseconds(d.paramFloat[1]), d.paramFloat[2] != 0 ? Delays::Pump::Yes : Delays::Pump::No);
}

void ReadCommSettings(Durnix_Class& d)
{
    d.SetParamDefaults(6, 0, 'i');
    d.paramInt[1] = 6;
    d.paramInt[2] = 8;
    d.paramInt[3] = 0;
    d.paramInt[4] = 1;
    d.paramInt[5] = 0;
    int given = 0;
    d.ParseParams(1, 6, given);
    if (d.paramInt[1] > 256000) d.paramInt[1] = 256000;
    if (!Ports().SetCommPort(d.paramInt)) d.RaiseError(ErrorCode::InvalidCommPort);
}

void SetCommPort(Durnix_Class& d)
{
    ReadCommSettings(d);
}

void RCommPort(Durnix_Class& d)
{
    ReadCommSettings(d);
    d.robot.Get().simulated = d.paramInt[0] == 0;
}

void ReadTwoIntegers(Durnix_Class& d)
{
    d.SetParamDefaults(2, 0, 'i');
    int given = 0;
    d.ParseParams(2, 2, given);
}

void OutPort(Durnix_Class& d)
{
    ReadTwoIntegers(d);
    Ports().OutPort(static_cast<uint16_t>(d.paramInt[0]), static_cast<uint8_t>(d.paramInt[1]));
}

void VPPortOut(Durnix_Class& d)
{
    ReadTwoIntegers(d);
    Ports().VPPortOut(d.paramInt[0], static_cast<uint8_t>(d.paramInt[1]));
}

// --- Serial output ---------------------------------------------------------------------

// serout's text: items joined, a ';' padding with spaces to the next multiple
// of 8, a ',' adding nothing (whatever commatab says).
void SerOut(Durnix_Class& d)
{
    Expression_Class& e = d.expression;
    AnsiString text;
    for (;;) {
        Value item;
        e.Evaluate(item);
        if (item.tag == Tag::Omitted) e.RaiseError(ErrorCode::SyntaxError);
        if (!Operators::JoinText(text, item)) e.RaiseError(ErrorCode::OutOfMemory);
        if (e.endOfStatement) break;
        if (d.CurrentIs(';'))
            text.append(TabWidth - text.size() % TabWidth, ' ');
        else if (!d.CurrentIs(','))
            e.RaiseError(ErrorCode::SyntaxError);
        e.NextToken();
        if (e.endOfStatement) break;
        e.PutBack();
    }
    if (text.size() > SendLimit) text.resize(SendLimit);
    if (text.empty()) e.RaiseError(ErrorCode::SyntaxError);
    Ports().SerOut(text);
}

// serialout's bytes: a number gives one byte (its low 8 bits, a double
// truncated first), a text its characters; items separated by ',' only.
void SerialOut(Durnix_Class& d)
{
    Expression_Class& e = d.expression;
    AnsiString bytes;
    for (;;) {
        Value item;
        const char tag = e.Evaluate(item);
        if (tag == Tag::Omitted) e.RaiseError(ErrorCode::SyntaxError);
        if (tag == Tag::Int)
            bytes += static_cast<char>(item.i & 0xFF);
        else if (tag == Tag::Float)
            bytes += static_cast<char>(Expression_Class::ClampToInt(std::trunc(item.f)) & 0xFF);
        else
            bytes += item.s;
        if (bytes.size() > SendLimit) bytes.resize(SendLimit);
        if (e.endOfStatement) break;
        if (!d.CurrentIs(',')) e.RaiseError(ErrorCode::SyntaxError);
    }
    if (bytes.empty()) e.RaiseError(ErrorCode::SyntaxError);
    Ports().SerOut(bytes);
}

void RInvisible(Durnix_Class& d)
{
    // No colour at all is too few, not a missing expression.
    Expression_Class& e = d.expression;
    e.NextToken();
    if (e.endOfStatement) e.RaiseError(ErrorCode::NotEnoughParameters);
    e.PutBack();
    d.SetParamDefaults(Durnix_Class::ParamSlots, 0, 'n');
    int given = 0;
    d.ParseParams(1, Durnix_Class::ParamSlots, given);
    int colours[Durnix_Class::ParamSlots] = {};
    for (int k = 0; k < given; ++k)
        colours[k] = d.paramType[k] == Tag::Float ? Expression_Class::ClampToInt(d.paramFloat[k]) : d.paramInt[k];
    if (d.robot.Get().SetInvisibleColors(colours, given) == RobotResult::NotInitialised)
        d.RaiseError(ErrorCode::RobotNotInitialized);
}

constexpr StatementEntry entries[] = {
    { StatementCode::Speaker, OneInteger<0> },
    { StatementCode::Pportout, OneInteger<1> },
    { StatementCode::Settimeout, OneInteger<2> },
    { StatementCode::Microdelay, OneInteger<3> },
    { StatementCode::Setpportnumber, OneInteger<4> },
    { StatementCode::Clearserbuffer, OneInteger<5> },
    { StatementCode::Setserdtr, OneInteger<6> },
    { StatementCode::Setserrts, OneInteger<7> },
    { StatementCode::Playsong, PlaySong },
    { StatementCode::Sound, Sound },
    { StatementCode::Setcommport, SetCommPort },
    { StatementCode::Rcommport, RCommPort },
    { StatementCode::Outport, OutPort },
    { StatementCode::Vpportout, VPPortOut },
    { StatementCode::Serout, SerOut },
    { StatementCode::Serialout, SerialOut },
    { StatementCode::Rinvisible, RInvisible },
};

constexpr bool EntriesMatchStatements()
{
    for (size_t k = 0; k < sizeof oneIntegerStatements / sizeof oneIntegerStatements[0]; ++k)
        if (entries[k].code != oneIntegerStatements[k].code) return false;
    return true;
}
static_assert(EntriesMatchStatements());

} // namespace

const StatementFamily portStatements = { entries, sizeof entries / sizeof entries[0] };
