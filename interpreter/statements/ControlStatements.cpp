#include "interpreter/ControlCreation.h"
#include "interpreter/ControlPropertyTable.h"
#include "interpreter/Durnix_class.h"
#include "interpreter/statements/StatementTable.h"

#include <array>
#include <utility>

// The statements of the nine control families: create, remove, focus, clear,
// set texts, properties, dimensions and fonts, the memo selections and
// getbutton. Each is a row of control_properties.inc; its kind says how the
// arguments are read. The controls live in the run-time screen; these
// handlers only read the arguments and pass them on. A name no control has is
// ignored there, so the only errors are the argument reader's.

namespace {

using Kind = ControlPropertyKind;

void Prepare(Durnix_Class& d, const char* letters, const int* defaults)
{
    d.SetParamDefaults(Durnix_Class::ParamSlots, 0, 'i');
    for (int k = 0; letters[k]; ++k) {
        d.paramType[k] = letters[k];
        d.paramInt[k] = defaults ? defaults[k] : -1;
    }
}

void Read(Durnix_Class& d, int required, int maximum)
{
    int given = 0;
    d.ParseParams(required, maximum, given);
}

// A creation statement's arguments, in order, each read into a member of the
// family's creation struct, whose initial value is the argument's default.
template <typename New> struct Argument {
    char letter; // s a text, z any value as text, i an integer
    AnsiString New::*text = nullptr;
    int New::*number = nullptr;
};

template <typename New> constexpr Argument<New> Text(AnsiString New::*member)
{
    return { 's', member, nullptr };
}

template <typename New> constexpr Argument<New> AnyText(AnsiString New::*member)
{
    return { 'z', member, nullptr };
}

template <typename New> constexpr Argument<New> Int(int New::*member)
{
    return { 'i', nullptr, member };
}

// The name and, except for timers, x and y are required.
template <typename New, size_t Count>
void Create(Durnix_Class& d, const std::array<Argument<New>, Count>& arguments, int required)
{
    New made;
    d.SetParamDefaults(Durnix_Class::ParamSlots, 0, 'i');
    for (size_t k = 0; k < Count; ++k) {
        d.paramType[k] = arguments[k].letter;
        d.paramInt[k] = arguments[k].number ? made.*arguments[k].number : -1;
    }
    Read(d, required, static_cast<int>(Count));
    for (size_t k = 0; k < Count; ++k) {
        if (arguments[k].number)
            made.*arguments[k].number = d.paramInt[k];
        else
            made.*arguments[k].text = d.paramText[k];
    }
    d.screen.Controls().AddControl(NewControl { std::move(made) });
}

void Create(Durnix_Class& d, ControlFamily family)
{
    switch (family) {
    case ControlFamily::Button: {
        using N = NewButton;
        return Create(d,
            std::array { Text(&N::name), Int(&N::left), Int(&N::top), Int(&N::width), Int(&N::height), Text(&N::hint) },
            3);
    }
    case ControlFamily::Edit: {
        using N = NewEdit;
        return Create(d,
            std::array { Text(&N::name), Int(&N::left), Int(&N::top), Int(&N::width), Int(&N::height),
                AnyText(&N::text), Text(&N::hint) },
            3);
    }
    case ControlFamily::ListBox: {
        using N = NewListBox;
        return Create(d,
            std::array { Text(&N::name), Int(&N::left), Int(&N::top), Int(&N::width), Text(&N::items), Text(&N::hint) },
            3);
    }
    case ControlFamily::RBGroup: {
        using N = NewRBGroup;
        return Create(d,
            std::array { Text(&N::name), Int(&N::left), Int(&N::top), Int(&N::width), Int(&N::height), Int(&N::columns),
                Text(&N::caption), Text(&N::buttons), Text(&N::hint) },
            3);
    }
    case ControlFamily::CheckBox: {
        using N = NewCheckBox;
        return Create(d,
            std::array { Text(&N::name), Int(&N::left), Int(&N::top), Text(&N::caption), Int(&N::checked),
                Int(&N::captionLeft), Text(&N::hint) },
            3);
    }
    case ControlFamily::Slider: {
        using N = NewSlider;
        return Create(d,
            std::array { Text(&N::name), Int(&N::left), Int(&N::top), Int(&N::length), Int(&N::minimum),
                Int(&N::maximum), Int(&N::vertical), Int(&N::tickStep), Int(&N::pageStep), Text(&N::hint) },
            3);
    }
    case ControlFamily::Spinner: {
        using N = NewSpinner;
        return Create(d,
            std::array { Text(&N::name), Int(&N::left), Int(&N::top), Int(&N::width), Int(&N::height), Int(&N::minimum),
                Int(&N::maximum), Int(&N::increment), Int(&N::horizontal), Int(&N::wrap), Text(&N::hint) },
            3);
    }
    case ControlFamily::Memo: {
        using N = NewMemo;
        return Create(d,
            std::array { Text(&N::name), Int(&N::left), Int(&N::top), Int(&N::width), Int(&N::height), Text(&N::text),
                Text(&N::hint) },
            3);
    }
    case ControlFamily::Timer: {
        using N = NewTimer;
        return Create(d, std::array { Text(&N::name), Int(&N::period) }, 1);
    }
    }
}

void TakeLastEvent(Durnix_Class& d, ControlFamily family)
{
    d.SetParamDefaults(Durnix_Class::ParamSlots, 0, 'i');
    d.paramType[0] = 'v';
    int given = 0;
    d.ParseParamsWithNames(1, 1, given);
    d.currentVariables->SetString(d.paramText[0], d.screen.Input().TakeLastEvent(family));
}

void Run(Durnix_Class& d, const ControlPropertyRow& row)
{
    RunScreen& screen = d.screen;
    const AnsiString& name = d.paramText[0];
    const int* n = d.paramInt;
    switch (row.kind) {
    case Kind::Create:
        return Create(d, row.family);
    case Kind::Remove:
    case Kind::Focus:
    case Kind::Clear:
        Prepare(d, "s", nullptr);
        Read(d, 1, 1);
        return screen.Controls().ControlAction(row.property, name, AnsiString());
    case Kind::Number: {
        const int defaults[] = { 0, row.defaultValue };
        Prepare(d, "si", defaults);
        Read(d, 1, 2);
        return screen.Controls().SetControlProperty(row.property, name, n[1]);
    }
    case Kind::Text:
        Prepare(d, "sz", nullptr);
        Read(d, 1, 2);
        return screen.Controls().ControlAction(row.property, name, d.paramText[1]);
    case Kind::RequiredText:
        Prepare(d, "ss", nullptr);
        Read(d, 2, 2);
        return screen.Controls().ControlAction(row.property, name, d.paramText[1]);
    case Kind::Place:
        Prepare(d, "siiii", nullptr);
        Read(d, 1, 5);
        return screen.Controls().SetControlDim(row.family, name, n[1], n[2], n[3], n[4]);
    case Kind::Font:
        Prepare(d, "ssiii", nullptr);
        Read(d, 1, 5);
        return screen.Controls().SetControlFont(row.family, name, d.paramText[1], n[2], n[3], n[4]);
    case Kind::Event:
        return TakeLastEvent(d, row.family);
    case Kind::LineSelection: {
        const int defaults[] = { 0, 1, 1, 0 };
        Prepare(d, "siii", defaults);
        Read(d, 1, 4);
        return screen.Controls().SetMemoSelection(name, n[1], n[2], n[3]);
    }
    case Kind::PositionSelection: {
        const int defaults[] = { 0, 1, 0 };
        Prepare(d, "sii", defaults);
        Read(d, 1, 3);
        return screen.Controls().SetMemoSelected(name, n[1], n[2]);
    }
    case Kind::Item:
        break;
    }
    d.RaiseError(ErrorCode::SyntaxError);
}

template <size_t Row> void RunRow(Durnix_Class& d)
{
    Run(d, controlPropertyRows[Row]);
}

// The rows that have a statement, and an entry for each.
constexpr size_t StatementRowCount()
{
    size_t count = 0;
    for (const ControlPropertyRow& row : controlPropertyRows)
        count += row.statement != StatementCode {};
    return count;
}

constexpr auto statementRows = [] {
    std::array<size_t, StatementRowCount()> rows {};
    size_t k = 0;
    for (size_t row = 0; row < controlPropertyRows.size(); ++row)
        if (controlPropertyRows[row].statement != StatementCode {}) rows[k++] = row;
    return rows;
}();

template <size_t... K> constexpr auto MakeEntries(std::index_sequence<K...>)
{
    return std::array { StatementEntry {
        controlPropertyRows[statementRows[K]].statement, RunRow<statementRows[K]> }... };
}

constexpr auto entries = MakeEntries(std::make_index_sequence<statementRows.size()> {});

} // namespace

const StatementFamily controlStatements = { entries.data(), static_cast<int>(entries.size()) };
