#include "builtins/FunctionFamilies.h"
#include "interpreter/ControlPropertyTable.h"
#include "interpreter/RunScreen.h"

#include <array>
#include <utility>

// The getters of the run-time controls: integer and text properties by the
// control's name, the last-event texts, and the last key and mouse values.
// Each is a row of control_properties.inc; its kind says what it returns.

namespace {

using Kind = ControlPropertyKind;

template <size_t Row> void Getter(FunctionCall& call)
{
    constexpr const ControlPropertyRow& row = controlPropertyRows[Row];
    RunScreen& screen = call.Screen();
    if constexpr (row.kind == Kind::Event) {
        call.ReturnText(screen.Input().TakeLastEvent(row.family));
    } else if constexpr (row.kind == Kind::Number || row.kind == Kind::Focus) {
        // The arguments are read before the controls are reached: a wrong
        // one ends the call before a headless run makes its window.
        const AnsiString name = call.FirstText();
        call.ReturnInt(screen.Controls().GetControlProperty(row.property, name));
    } else {
        const int n = row.kind == Kind::Item ? call.NextInt() : 0;
        const AnsiString name = call.FirstText();
        call.ReturnText(screen.Controls().GetControlText(row.property, name, n));
    }
}

void LastKey(FunctionCall& call)
{
    call.ReturnInt(call.Screen().Input().TakeLastKey());
}

void LastMouse(FunctionCall& call)
{
    call.ReturnInt(call.Screen().Input().TakeLastMouse());
}

constexpr FunctionHandler ScreenEventGetter(ScreenEvent event)
{
    return event == ScreenEvent::LastKey ? LastKey : LastMouse;
}

constexpr size_t FunctionRowCount()
{
    size_t count = 0;
    for (const ControlPropertyRow& row : controlPropertyRows)
        count += row.function != FunctionCode {};
    return count;
}

constexpr auto functionRows = [] {
    std::array<size_t, FunctionRowCount()> rows {};
    size_t k = 0;
    for (size_t row = 0; row < controlPropertyRows.size(); ++row)
        if (controlPropertyRows[row].function != FunctionCode {}) rows[k++] = row;
    return rows;
}();

template <size_t... K> constexpr auto MakeEntries(std::index_sequence<K...>)
{
    std::array<FunctionEntry, sizeof...(K) + screenEventRows.size()> list { FunctionEntry {
        controlPropertyRows[functionRows[K]].function,
        controlPropertyRows[functionRows[K]].kind == Kind::Event ? FirstArgument::None : FirstArgument::Text,
        Getter<functionRows[K]> }... };
    size_t k = sizeof...(K);
    for (const ScreenEventRow& row : screenEventRows)
        list[k++] = FunctionEntry { row.function, FirstArgument::None, ScreenEventGetter(row.event) };
    return list;
}

constexpr auto entries = MakeEntries(std::make_index_sequence<functionRows.size()> {});

} // namespace

std::span<const FunctionEntry> ControlFunctionEntries()
{
    return entries;
}
