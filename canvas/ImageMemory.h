#pragma once

#include <QImage>
#include <QSize>

// Pixel memory of the screen's large images. Touching fresh memory page by
// page costs one page fault per 4 KiB; an 800 x 600 image is almost 500 of
// them, which dominates the start-up of a short program. Large images are
// therefore mapped with their pages already present.

// A new RGB32 image filled with one Windows colour, with its own pixels.
QImage FilledImage(QSize size, int color);

// An image of the given size filled with one Windows colour. Images made for
// the same size and colour share one pixel buffer until one of them is drawn
// on (Qt copies a shared image before the first change), so a surface that is
// never drawn on costs no memory of its own.
QImage BlankImage(QSize size, int color);
