#pragma once

#include "interpreter/ControlProperty.h"
#include "interpreter/KeywordCodes.h"

#include <array>
#include <cstddef>

// How a control row's statement reads its arguments (after the control's
// name, which all but an Event's statement take first) and what its function
// returns.
enum class ControlPropertyKind {
    Create, // the family's creation arguments; no function
    Remove, // the name only; no function
    Focus, // the name only; the function returns an integer (whether it has the focus)
    Clear, // the name only; no function
    Number, // [, n] with the row's default; the function returns an integer
    Text, // [, value], any value as its text; the function returns a text
    RequiredText, // , text (required); no function
    Item, // no statement; the function takes the item, button or line n and returns a text
    Place, // [, left [, top [, width [, height]]]], each -1 by default; no function
    Font, // [, font [, size [, style [, colour]]]]; the function returns the font as a text
    Event, // the function takes no argument and returns the family's last event (the
           // control's name), emptied; the statement takes only a variable to receive it
    LineSelection, // [, line [, column [, length]]]; the function returns the selected text
    PositionSelection, // [, position [, length]]; no function
};

// A row of control_properties.inc. A missing function or statement is code 0.
struct ControlPropertyRow {
    ControlFamily family;
    ControlProperty property;
    const char* name; // the enumerator's name, "ButtonEnabled"
    ControlPropertyKind kind;
    FunctionCode function;
    StatementCode statement;
    int defaultValue;
};

// A row's codes are written as the names of FunctionCode and StatementCode,
// None where there is none.
namespace control_row_codes {
struct Functions {
    using enum FunctionCode;
    static constexpr FunctionCode None {};
};
struct Statements {
    using enum StatementCode;
    static constexpr StatementCode None {};
};
} // namespace control_row_codes

// Every row, indexed by ControlProperty.
inline constexpr std::array controlPropertyRows = {
#define CONTROL_PROPERTY(family, property, kind, function, statement, defaultValue)                                    \
    ControlPropertyRow { ControlFamily::family, ControlProperty::family##property, #family #property,                  \
        ControlPropertyKind::kind, control_row_codes::Functions::function, control_row_codes::Statements::statement,   \
        defaultValue },
#define SCREEN_EVENT(property, function)
#include "interpreter/vocabulary/control_properties.inc"
#undef SCREEN_EVENT
#undef CONTROL_PROPERTY
};

constexpr const ControlPropertyRow& RowOf(ControlProperty property)
{
    return controlPropertyRows[static_cast<size_t>(property)];
}

// Whether the family has a row of the kind (a font, a clearing ...).
constexpr bool FamilyHas(ControlFamily family, ControlPropertyKind kind)
{
    for (const ControlPropertyRow& row : controlPropertyRows)
        if (row.family == family && row.kind == kind) return true;
    return false;
}

// The two screen-wide last-event functions among the control getters.
enum class ScreenEvent { LastKey, LastMouse };
struct ScreenEventRow {
    ScreenEvent event;
    FunctionCode function;
};
inline constexpr std::array screenEventRows = {
#define CONTROL_PROPERTY(family, property, kind, function, statement, defaultValue)
#define SCREEN_EVENT(property, function) ScreenEventRow { ScreenEvent::property, FunctionCode::function },
#include "interpreter/vocabulary/control_properties.inc"
#undef SCREEN_EVENT
#undef CONTROL_PROPERTY
};
