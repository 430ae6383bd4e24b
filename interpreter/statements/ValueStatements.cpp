#include "interpreter/Durnix_class.h"
#include "interpreter/statements/StatementTable.h"
#include "platform/Dialogs.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <iterator>

// The statements that hand results back by writing into variables that the
// program names: the input dialog, mouse, keys, pixels, pen and image state,
// the robot's position and sensors, the last run-time error, and varset. One
// table gives each its operand letters ('v' an output variable) and defaults.

namespace {

// Writes results into the output variables the program named; an output it
// left out is not written.
class Outputs {
public:
    Outputs(Durnix_Class& run, int given)
        : d(run)
        , count(given)
    { }

    void Int(int slot, int32_t value) { Store(slot, Tag::Int, &value); }
    void Float(int slot, double value) { Store(slot, Tag::Float, &value); }
    void Text(int slot, const AnsiString& value) { Store(slot, Tag::String, &value); }

private:
    void Store(int slot, char tag, const void* value)
    {
        if (slot >= count || d.paramText[slot].empty()) return;
        if (d.currentVariables->Set(d.paramText[slot], tag, value) != 1) d.RaiseError(ErrorCode::TooManyVariables);
    }
    Durnix_Class& d;
    int count;
};

using Operation = void (*)(Durnix_Class&, Outputs&);

struct ValueStatement {
    StatementCode code;
    int required;
    int maximum;
    const char* letters;
    int defaults[6];
    Operation operation;
};

// xyinput var, x, y, prompt, initial text, width: the input dialog at an image
// position (-1: the pen's coordinate; other negatives centre the dialog).
void XYInput(Durnix_Class& d, Outputs& out)
{
    int x = d.paramInt[1];
    int y = d.paramInt[2];
    int penX = 0, penY = 0;
    d.screen.Drawing().PenPosition(penX, penY);
    if (x == -1) x = penX;
    if (y == -1) y = penY;
    if (x >= 0 || y >= 0) {
        int screenX = std::max(x, 0), screenY = std::max(y, 0);
        d.screen.Drawing().ImagePointOnScreen(screenX, screenY);
        if (x >= 0) x = std::max(screenX, 0);
        if (y >= 0) y = std::max(screenY, 0);
    }
    const AnsiString answer = platform::dialogs().AskInput(x, y, d.paramText[3], d.paramText[4], d.paramInt[5]);
    double number = 0;
    switch (Expression_Class::TextToNumber(answer, number)) {
    case Tag::Int:
        return out.Int(0, static_cast<int32_t>(number));
    case Tag::Float:
        return out.Float(0, number);
    default:
        return out.Text(0, answer);
    }
}

void ReadMouse(Durnix_Class& d, Outputs& out)
{
    int x = 0, y = 0;
    d.screen.Input().MousePosition(x, y);
    out.Int(0, x);
    out.Int(1, y);
    out.Int(2, d.screen.Input().MouseButtons());
}

void ReadPixel(Durnix_Class& d, Outputs& out)
{
    out.Int(2, d.screen.Drawing().GetPixelIndex(d.paramInt[0], d.paramInt[1]));
}

void GetColor(Durnix_Class& d, Outputs& out)
{
    out.Int(0, d.screen.Drawing().GetColorIndex(0));
    out.Int(1, d.screen.Drawing().GetColorIndex(1));
}

void GetXY(Durnix_Class& d, Outputs& out)
{
    int x = 0, y = 0;
    d.screen.Drawing().PenPosition(x, y);
    out.Int(0, x);
    out.Int(1, y);
}

void ScrLimits(Durnix_Class& d, Outputs& out)
{
    int width = 0, height = 0;
    d.screen.Drawing().ImageSize(width, height);
    out.Int(0, width - 1);
    out.Int(1, height - 1);
}

void RGps(Durnix_Class& d, Outputs& out)
{
    int x = 0, y = 0;
    d.robot.Get().Gps(x, y);
    out.Int(0, x);
    out.Int(1, y);
}

template <bool AtAngle> void RSensor(Durnix_Class& d, Outputs& out)
{
    int colour = 0, distance = 0;
    const bool hit = AtAngle ? d.robot.Get().SensorAtAngle(d.paramInt[0], d.paramInt[1], colour, distance)
                             : d.robot.Get().Sensor(d.paramInt[0], d.paramInt[1], colour, distance);
    out.Int(2, colour);
    out.Int(3, distance);
    out.Int(4, hit ? 1 : 0);
}

// varset name, value: a name with a leading "_" sets the main program's
// variable of the name without it.
void VarSet(Durnix_Class& d, Outputs&)
{
    std::string_view name = d.paramText[0];
    Variables_Class* table = d.currentVariables;
    if (!name.empty() && name[0] == '_') {
        name.remove_prefix(1);
        table = d.mainVariables.get();
    }
    const char tag = d.paramType[1];
    Value value;
    if (tag == Tag::Int)
        value.setInt(d.paramInt[1]);
    else if (tag == Tag::Float)
        value.setFloat(d.paramFloat[1]);
    else
        value.setString(d.paramText[1]);

    if (d.declareMode) {
        const char declared = table->TypeOf(name);
        if (!declared) d.RaiseError(ErrorCode::VariableNotInitialized);
        if (declared == Tag::String && tag != Tag::String) d.RaiseError(ErrorCode::MustAssignString);
        if (declared != Tag::String && tag == Tag::String) d.RaiseError(ErrorCode::MustAssignNumber);
        if (declared == Tag::Float && tag == Tag::Int) value.setFloat(value.i);
        if (declared == Tag::Int && tag == Tag::Float) value.setInt(d.expression.RoundToIntChecked(value.f, true));
    }
    if (table->SetValue(name, value) != 1) d.RaiseError(ErrorCode::TooManyVariables);
}

// geterror number, text, line, column: the last run-time error, which is then
// forgotten.
void GetError(Durnix_Class& d, Outputs& out)
{
    Expression_Class& e = d.expression;
    out.Int(0, e.lastErrorNumber);
    out.Text(1, e.lastErrorText);
    out.Int(2, e.lastErrorLine);
    out.Int(3, e.lastErrorColumn);
    e.lastErrorNumber = -1;
    e.lastErrorText.clear();
    e.lastErrorLine = -1;
    e.lastErrorColumn = -1;
}

// v an output variable, i an integer, z any value as text, s a text, 0 any value.
constexpr ValueStatement statements[] = {
    { StatementCode::Xyinput, 1, 6, "viizzi", { 0, -2, -2, 0, 0, -1 }, XYInput },
    { StatementCode::Readmouse, 2, 3, "vvv", {}, ReadMouse },
    { StatementCode::Getkey, 1, 1, "v", {},
        [](Durnix_Class& d, Outputs& out) { out.Int(0, d.screen.Input().GetKeyChar()); } },
    { StatementCode::Getkeye, 1, 1, "v", {},
        [](Durnix_Class& d, Outputs& out) { out.Int(0, d.screen.Input().KeyCode()); } },
    { StatementCode::Getlinewidth, 1, 1, "v", {},
        [](Durnix_Class& d, Outputs& out) { out.Int(0, d.screen.Drawing().PenWidth()); } },
    { StatementCode::Readpixel, 3, 3, "iiv", {}, ReadPixel },
    { StatementCode::Getcolor, 2, 2, "vv", {}, GetColor },
    { StatementCode::Getxy, 2, 2, "vv", {}, GetXY },
    { StatementCode::Scrlimits, 2, 2, "vv", {}, ScrLimits },
    { StatementCode::Getcursor, 1, 1, "v", {},
        [](Durnix_Class& d, Outputs& out) { out.Int(0, d.screen.Input().ImageCursor()); } },
    { StatementCode::Rgps, 2, 2, "vv", {}, RGps },
    { StatementCode::Rsensora, 5, 5, "iivvv", {}, RSensor<true> },
    { StatementCode::Rsensor, 5, 5, "iivvv", {}, RSensor<false> },
    { StatementCode::Varset, 2, 2, "s0", {}, VarSet },
    { StatementCode::Geterror, 1, 4, "vvvv", {}, GetError },
};

void ReturnValues(Durnix_Class& d)
{
    const int code = d.expression.tokenCode;
    const ValueStatement* statement = nullptr;
    for (const ValueStatement& candidate : statements)
        if (Code(candidate.code) == code) statement = &candidate;
    if (!statement) d.RaiseError(ErrorCode::SyntaxError);
    d.SetParamRow(statement->letters, statement->defaults);
    int given = 0;
    d.ParseParamsWithNames(statement->required, statement->maximum, given);
    Outputs outputs(d, given);
    statement->operation(d, outputs);
}

constexpr auto entries = [] {
    std::array<StatementEntry, std::size(statements)> list {};
    for (size_t k = 0; k < list.size(); ++k)
        list[k] = StatementEntry { statements[k].code, ReturnValues };
    return list;
}();

} // namespace

const StatementFamily valueStatements = { entries.data(), static_cast<int>(entries.size()) };
