#pragma once

#include "base/Values.h"
#include "interpreter/ControlProperty.h"

#include <cstddef>
#include <type_traits>
#include <variant>

// What a creation statement gives the screen: one struct per family, its
// members in the order of the statement's arguments, each with the default
// the statement uses when the argument is left out. Positions and sizes are
// pixels on the screen's image; a width or height of 0 or less lets the
// family choose (the text's width, or 100). Texts start empty: designated
// initializers may leave out any member.

struct NewButton {
    AnsiString name {};
    int left = 0, top = 0, width = 0, height = 0;
    AnsiString hint {};
};

struct NewEdit {
    AnsiString name {};
    int left = 0, top = 0, width = -1, height = -1;
    AnsiString text {};
    // Empty: the usual advice on Esc and Enter; one character: no hint.
    AnsiString hint {};
};

struct NewListBox {
    AnsiString name {};
    int left = 0, top = 0, width = -1;
    AnsiString items {}; // lines joined by CR LF
    AnsiString hint {};
};

struct NewRBGroup {
    AnsiString name {};
    int left = 0, top = 0, width = -1, height = -1;
    int columns = -1;
    // Empty: the name; a single space: no caption.
    AnsiString caption {};
    AnsiString buttons {}; // lines joined by CR LF
    AnsiString hint {};
};

struct NewCheckBox {
    AnsiString name {};
    int left = 0, top = 0;
    // Two or more characters are the caption, a single space none, anything
    // shorter the name.
    AnsiString caption {};
    int checked = 0;
    int captionLeft = 100; // not 0: the caption stands left of the box
    AnsiString hint {};
};

struct NewSlider {
    AnsiString name {};
    int left = 0, top = 0;
    int length = -1; // the width, or the height of a vertical slider
    int minimum = 0, maximum = 100;
    int vertical = 0;
    int tickStep = -1; // below 0: a tenth of the range
    int pageStep = -1; // 0 or less: a fifth of the range
    AnsiString hint {};
};

struct NewSpinner {
    AnsiString name {};
    int left = 0, top = 0, width = -1, height = -1;
    int minimum = 0, maximum = 100;
    int increment = -1; // 1 or less: 1
    int horizontal = 0;
    int wrap = 0;
    AnsiString hint {};
};

struct NewMemo {
    AnsiString name {};
    int left = 0, top = 0, width = -1, height = -1;
    AnsiString text {};
    AnsiString hint {};
};

struct NewTimer {
    AnsiString name {};
    int period = -1; // ms; 0 or less: 1000
};

// One of them; the alternatives stand in the order of ControlFamily.
using NewControl
    = std::variant<NewButton, NewEdit, NewListBox, NewRBGroup, NewCheckBox, NewSlider, NewSpinner, NewMemo, NewTimer>;

static_assert(
    std::is_same_v<std::variant_alternative_t<static_cast<size_t>(ControlFamily::Button), NewControl>,
        NewButton> && std::is_same_v<std::variant_alternative_t<static_cast<size_t>(ControlFamily::Timer), NewControl>, NewTimer> && std::variant_size_v<NewControl> == static_cast<size_t>(ControlFamily::Timer) + 1,
    "the creation structs stand in the order of the families");
