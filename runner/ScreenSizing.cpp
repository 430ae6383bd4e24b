#include "runner/ScreenSizing.h"

ScreenGeometry FirstActivationGeometry(int desktopWidth, int desktopHeight, int toolBarHeight)
{
    ScreenGeometry g;
    g.clientHeight = desktopHeight >= 704 ? toolBarHeight + 600 : desktopHeight * 95 / 100 - toolBarHeight;
    g.width = desktopWidth > 827 ? 828 : desktopWidth * 99 / 100;
    g.imageHeight = g.clientHeight - toolBarHeight;
    g.imageWidth = g.width - 28;
    g.left = (desktopWidth - g.width) / 2;
    g.top = (desktopHeight - g.clientHeight) / 2;
    return g;
}
