#pragma once

#include "canvas/ScreenFontSize.h"

#include <QFont>

// The console font: "Courier New" 11 points where it is installed, otherwise
// the metric-compatible Liberation Mono; sized so that rows are 17 pixels apart
// and characters 9 pixels wide, and drawn without antialiasing so that every
// text pixel has exactly the pen colour.
QFont ScreenFont();
