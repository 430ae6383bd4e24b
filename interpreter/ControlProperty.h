#pragma once

#include <array>
#include <cstddef>

// The control families whose last event the run loop polls, in the order of
// the event sources 0 to 8.
enum class ControlFamily { Button, Edit, ListBox, RBGroup, CheckBox, Slider, Spinner, Memo, Timer };

// Every property of a run-time control, and every operation on one, by name:
// ButtonEnabled, MemoCaretLine, SliderRemoval ... The rows of
// interpreter/vocabulary/control_properties.inc name them; the statements and
// getters find theirs there, and the screen answers for them by name.
enum class ControlProperty {
#define CONTROL_PROPERTY(family, property, kind, function, statement, defaultValue) family##property,
#define SCREEN_EVENT(property, function)
#include "interpreter/vocabulary/control_properties.inc"
#undef SCREEN_EVENT
#undef CONTROL_PROPERTY
};

namespace control_property_detail {
inline constexpr std::array families = {
#define CONTROL_PROPERTY(family, property, kind, function, statement, defaultValue) ControlFamily::family,
#define SCREEN_EVENT(property, function)
#include "interpreter/vocabulary/control_properties.inc"
#undef SCREEN_EVENT
#undef CONTROL_PROPERTY
};
} // namespace control_property_detail

// The family a property belongs to.
constexpr ControlFamily FamilyOf(ControlProperty property)
{
    return control_property_detail::families[static_cast<size_t>(property)];
}
