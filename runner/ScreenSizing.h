#pragma once

// The run-time screen's size, decided at its first activation from the desktop
// size: on a desktop of at least 828 x 704 pixels the image is 800 x 600.
struct ScreenGeometry {
    int clientHeight = 0;
    int width = 0;
    int imageWidth = 0;
    int imageHeight = 0;
    int left = 0;
    int top = 0;
};

// The height of the strip below the image that holds the input box and the
// tool buttons.
constexpr int screenToolBarHeight = 32;

ScreenGeometry FirstActivationGeometry(int desktopWidth, int desktopHeight, int toolBarHeight);
