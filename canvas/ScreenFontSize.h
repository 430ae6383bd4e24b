#pragma once

// Font height in pixels that 11 points give on the original 96-dpi screen.
constexpr int screenFontPixelHeight = 15;
