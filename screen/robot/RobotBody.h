#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>

#include <cstdint>
#include <unordered_map>
#include <vector>

// The robot's picture: a filled ellipse and a heading line, both with a pen 4
// pixels wide, drawn without antialiasing. Stroking a wide ellipse is the
// costly part of a motion step, so each shape is rendered once into a sprite
// and later steps copy its pixels. A shape is fixed by its corners and tip
// relative to the centre pixel, which take few distinct values, and the
// sprite is rendered with the same painter calls as a direct drawing would
// use, so the copied pixels are the same.
class RobotBody {
public:
    // Forgets every sprite; needed when the colours change.
    void Reset(int border, int fill);

    // Draws the body whose ellipse has the corners corner1 and corner2 (right
    // and bottom exclusive) and whose heading line runs from centre to tip.
    // Returns the changed rectangle, clipped to the image.
    QRect Draw(QImage& image, QPoint centre, QPoint corner1, QPoint corner2, QPoint tip);

private:
    // A rendered shape kept as the runs of covered pixels in each row, so
    // that drawing it copies whole runs and tests no pixel. The sprite's
    // pixel (0, 0) stands for the image pixel centre + offset.
    struct Run {
        int row;
        int column;
        int length;
        size_t first; // index of the run's first pixel in pixels
    };
    struct Sprite {
        QPoint offset;
        QSize size;
        std::vector<Run> runs;
        std::vector<QRgb> pixels; // opaque, in run order
    };
    const Sprite& SpriteOf(QPoint corner1, QPoint corner2, QPoint tip);

    int borderColour = 0;
    int fillColour = 0;
    // Offsets lie within +-127 of the centre: the radius is at most 50.
    static constexpr int Span = 128;
    std::unordered_map<uint64_t, Sprite> sprites;
};
