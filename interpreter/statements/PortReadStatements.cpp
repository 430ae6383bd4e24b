#include "devices/Joystick.h"
#include "devices/Ports_comms_io.h"
#include "interpreter/Durnix_class.h"
#include "interpreter/statements/StatementTable.h"

#include <algorithm>

// The port and joystick statements that write their results into variables
// the program names, and joysticke, which fills an array.

namespace {

TPorts_Comms_IO_Form& Ports()
{
    return Ports_Comms_IO_Form();
}

// The largest count serbytesin asks for at once.
constexpr int32_t MaxBytesIn = 4095;

void StoreInt(Durnix_Class& d, int slot, int32_t value)
{
    if (d.currentVariables->SetInt(d.paramText[slot], value) != 1) d.RaiseError(ErrorCode::TooManyVariables);
}

void StoreFloat(Durnix_Class& d, int slot, double value)
{
    if (d.currentVariables->SetFloat(d.paramText[slot], value) != 1) d.RaiseError(ErrorCode::TooManyVariables);
}

void StoreText(Durnix_Class& d, int slot, const AnsiString& value)
{
    if (d.currentVariables->SetString(d.paramText[slot], value) != 1) d.RaiseError(ErrorCode::TooManyVariables);
}

// One statement: its slots (i an integer input, v an output variable) and
// what it does once they are read.
struct ReadStatement {
    StatementCode code;
    const char* letters;
    void (*operation)(Durnix_Class&);
};

// An axis counted from its minimum as a fraction of its range; -1.0 for an
// axis without a range.
double AxisFraction(const JoystickAxis& axis)
{
    const double range = static_cast<double>(axis.maximum) - axis.minimum;
    if (range == 0) return -1.0;
    return (static_cast<double>(axis.position) - axis.minimum) / range;
}

void Joystick(Durnix_Class& d)
{
    double x = -1.0, y = -1.0, z = -1.0, buttons = -1.0;
    JoystickState state;
    if (TheJoystickSource().Read(d.paramInt[0], state)) {
        x = AxisFraction(state.axes[0]);
        y = AxisFraction(state.axes[1]);
        if (state.axisCount > 2) z = AxisFraction(state.axes[2]);
        buttons = state.buttons;
    }
    StoreFloat(d, 1, x);
    StoreFloat(d, 2, y);
    StoreFloat(d, 3, z);
    StoreFloat(d, 4, buttons);
}

void SerBytesIn(Durnix_Class& d)
{
    const int32_t n = std::clamp(d.paramInt[0], 1, MaxBytesIn);
    uint8_t buffer[MaxBytesIn];
    if (Ports().SerBytesIn(buffer, n)) {
        StoreText(d, 1, AnsiString(reinterpret_cast<const char*>(buffer), static_cast<size_t>(n)));
        StoreInt(d, 2, n);
        return;
    }
    // Timed out: whatever did arrive is handed over all the same.
    const int waiting = Ports().CheckSerBuffer();
    StoreText(d, 1, waiting > 0 ? Ports().SerIn() : AnsiString());
    StoreInt(d, 2, waiting);
}

constexpr ReadStatement statements[] = {
    { StatementCode::Joystick, "ivvvv", Joystick },
    { StatementCode::Pportin, "v", [](Durnix_Class& d) { StoreInt(d, 0, Ports().PPortIn()); } },
    { StatementCode::Serin, "v", [](Durnix_Class& d) { StoreText(d, 0, Ports().SerIn()); } },
    { StatementCode::Serports, "v", [](Durnix_Class& d) { StoreText(d, 0, Ports().SerPorts()); } },
    { StatementCode::Serbytesin, "ivv", SerBytesIn },
    { StatementCode::Gettimeout, "v", [](Durnix_Class& d) { StoreInt(d, 0, Ports().GetTimeout()); } },
    { StatementCode::Inport, "iv",
        [](Durnix_Class& d) { StoreInt(d, 1, Ports().InPort(static_cast<uint16_t>(d.paramInt[0]))); } },
    { StatementCode::Vpportin, "iv", [](Durnix_Class& d) { StoreInt(d, 1, Ports().VPPortIn(d.paramInt[0])); } },
    { StatementCode::Checkserbuffer, "v", [](Durnix_Class& d) { StoreInt(d, 0, Ports().CheckSerBuffer()); } },
    { StatementCode::Readsersignals, "v", [](Durnix_Class& d) { StoreInt(d, 0, Ports().ReadSerSignals()); } },
};

void Read(Durnix_Class& d)
{
    const ReadStatement* statement = nullptr;
    for (const ReadStatement& candidate : statements)
        if (Code(candidate.code) == d.expression.tokenCode) statement = &candidate;
    if (!statement) d.RaiseError(ErrorCode::SyntaxError);
    const int count = static_cast<int>(std::char_traits<char>::length(statement->letters));
    d.SetParamDefaults(count, 0, 'i');
    for (int k = 0; k < count; ++k)
        d.paramType[k] = statement->letters[k];
    int given = 0;
    d.ParseParamsWithNames(count, count, given);
    statement->operation(d);
}

// joysticke n, arr: arr becomes 8 rows of 3 doubles: the axes X, Y, Z, R, U, V
// (position and range counted from the minimum: position - min, 0, max - min),
// the buttons (bits, the first pressed button's number, the count), and the
// hat (degrees or -1, 1.0 when there is a hat, the axis count).
void JoystickE(Durnix_Class& d)
{
    d.SetParamDefaults(2, 0, 'i');
    d.paramType[1] = 'v';
    int given = 0;
    d.ParseParamsWithNames(2, 2, given);

    double rows[8][3];
    for (int r = 0; r < 6; ++r)
        rows[r][0] = rows[r][1] = rows[r][2] = -1.0;
    rows[6][0] = rows[6][1] = rows[6][2] = 0.0;
    rows[7][0] = -1.0;
    rows[7][1] = -1.0;
    rows[7][2] = 0.0;
    JoystickState state;
    if (TheJoystickSource().Read(d.paramInt[0], state)) {
        for (int r = 0; r < 6; ++r) {
            const JoystickAxis& axis = state.axes[static_cast<size_t>(r)];
            if (!axis.present) continue;
            rows[r][0] = static_cast<double>(axis.position) - axis.minimum;
            rows[r][1] = 0.0;
            rows[r][2] = static_cast<double>(axis.maximum) - axis.minimum;
        }
        int firstPressed = 0;
        for (int k = 0; k < 32 && !firstPressed; ++k)
            if (state.buttons & (1u << k)) firstPressed = k + 1;
        rows[6][0] = state.buttons;
        rows[6][1] = firstPressed;
        rows[6][2] = state.buttonCount;
        rows[7][0] = state.povDegrees < 0 || state.povDegrees > 360 ? -1.0 : state.povDegrees;
        rows[7][1] = state.hasHat ? 1.0 : 0.0;
        rows[7][2] = state.axisCount;
    }

    const AnsiString& name = d.paramText[1];
    const int sizes[2] = { 8, 3 };
    d.arrays.Remove(name);
    if (d.arrays.Define(name, 2, sizes) == Arrays_Class::Definition::Refused) d.RaiseError(ErrorCode::OutOfMemory);
    DArray<int>& indexes = d.elementIndexes;
    for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 3; ++c) {
            indexes.items[0] = r;
            indexes.items[1] = c;
            if (d.arrays.SetElementFloat(name, indexes, rows[r][c]) != 1) d.RaiseError(ErrorCode::OutOfMemory);
        }
}

constexpr auto entries = [] {
    std::array<StatementEntry, std::size(statements) + 1> list {};
    for (size_t k = 0; k < std::size(statements); ++k)
        list[k] = StatementEntry { statements[k].code, Read };
    list[std::size(statements)] = StatementEntry { StatementCode::Joysticke, JoystickE };
    return list;
}();

} // namespace

const StatementFamily portReadStatements = { entries.data(), static_cast<int>(entries.size()) };
