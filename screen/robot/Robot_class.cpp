#include "screen/robot/Robot_class.h"

#include "canvas/Canvas.h"
#include "pictures/Palette.h"
#include "platform/gui/Colors.h"

#include <QPainter>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>

// Placement, motion, settings and drawing of the robot. The sensors are in
// RobotSensors.cpp.

namespace {

constexpr double DegreesToRadians = 0.017453292519943295;

// Truncation toward zero that saturates instead of overflowing.
int Trunc(double v)
{
    if (!(v > -2147483648.0)) return v != v ? 0 : INT32_MIN;
    if (!(v < 2147483648.0)) return INT32_MAX;
    return static_cast<int>(v);
}

int ClampInt(int64_t v)
{
    return static_cast<int>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

// The default palette stands in until rlocate hands the robot the screen's.
const Palette& DefaultPalette()
{
    static const Palette palette;
    return palette;
}

// The cosine and sine of each whole degree of a turn, computed as PointAt
// computes them for any angle: the probes of every motion step meet only
// whole degrees, and the library's sine and cosine were most of the step.
struct DegreeTable {
    double cosine[360];
    double sine[360];
    DegreeTable()
    {
        for (int k = 0; k < 360; ++k) {
            const double angle = k * DegreesToRadians;
            cosine[k] = std::cos(angle);
            sine[k] = std::sin(angle);
        }
    }
};

[[gnu::always_inline]] inline const DegreeTable& Degrees()
{
    static const DegreeTable table;
    return table;
}

// The cosine and sine of an angle in degrees, from the table for a whole
// degree of a turn.
[[gnu::always_inline]] inline void CosineAndSine(double degrees, double& cosine, double& sine)
{
    const int whole = static_cast<int>(degrees);
    if (degrees >= 0 && degrees < 360 && whole == degrees) {
        cosine = Degrees().cosine[whole];
        sine = Degrees().sine[whole];
        return;
    }
    const double angle = degrees * DegreesToRadians;
    cosine = std::cos(angle);
    sine = std::sin(angle);
}

// The square of half-side `half` around (cx, cy), corners truncated; kept
// in 64 bits, since a robot may stand anywhere in the int range.
struct Square {
    int64_t left, top, right, bottom; // right and bottom inclusive
};

Square SquareAround(float cx, float cy, int half)
{
    return { Trunc(static_cast<double>(cx) - half), Trunc(static_cast<double>(cy) - half),
        static_cast<int64_t>(Trunc(static_cast<double>(cx) + half)) - 1,
        static_cast<int64_t>(Trunc(static_cast<double>(cy) + half)) - 1 };
}

// Copies the part of `square` (in image coordinates) that lies on the image
// between the image and a buffer that holds the square from its own (0, 0).
// A square partly off the image saves and restores only the part on it. The
// part is worked out in 64 bits before anything becomes a QRect.
enum class Direction { ImageToBuffer, BufferToImage };

QRect CopySquare(QImage& image, QImage& store, const Square& square, Direction direction)
{
    const int64_t left = std::max<int64_t>(square.left, 0);
    const int64_t top = std::max<int64_t>(square.top, 0);
    const int64_t right = std::min({ square.right, square.left + store.width() - 1, int64_t { image.width() } - 1 });
    const int64_t bottom = std::min({ square.bottom, square.top + store.height() - 1, int64_t { image.height() } - 1 });
    if (left > right || top > bottom) return QRect();
    const QRect part(QPoint(static_cast<int>(left), static_cast<int>(top)),
        QPoint(static_cast<int>(right), static_cast<int>(bottom)));
    const size_t bytes = static_cast<size_t>(part.width()) * 4;
    // One detach check per image, not one per row.
    uchar* const imageBits = image.bits();
    uchar* const storeBits = store.bits();
    const qsizetype imageStride = image.bytesPerLine();
    const qsizetype storeStride = store.bytesPerLine();
    for (int row = part.top(); row <= part.bottom(); ++row) {
        uchar* onImage = imageBits + row * imageStride + static_cast<ptrdiff_t>(part.left()) * 4;
        uchar* inStore = storeBits + (row - square.top) * storeStride + (left - square.left) * 4;
        if (direction == Direction::ImageToBuffer)
            std::memcpy(inStore, onImage, bytes);
        else
            std::memcpy(onImage, inStore, bytes);
    }
    return part;
}

// Whether a point lies within `margin` pixels of the image, so that what is
// drawn around it could show.
bool NearImage(const QImage& image, int64_t px, int64_t py, int64_t margin)
{
    return px >= -margin && py >= -margin && px < image.width() + margin && py < image.height() + margin;
}

void AppendColour(std::string& out, const char* label, int colour)
{
    out += ' ';
    out += label;
    out += ' ';
    if (colour == Robot_Class::EmptyEntry) {
        out += '-';
        return;
    }
    char text[16];
    if (colour < 0) {
        auto end = std::to_chars(text, text + sizeof text, colour).ptr;
        out.append(text, end);
        return;
    }
    auto end = std::to_chars(text, text + sizeof text, colour, 16).ptr;
    for (char* digit = text; digit != end; ++digit)
        if (*digit >= 'a') *digit = static_cast<char>(*digit - 'a' + 'A');
    out += "0x";
    out.append(static_cast<size_t>(6 - std::min<long>(6, end - text)), '0');
    out.append(text, end);
}

void AppendNumber(std::string& out, const char* label, double value, int decimals)
{
    char text[48];
    auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals).ptr;
    out += ' ';
    out += label;
    out += ' ';
    out.append(text, end);
}

} // namespace

Robot_Class::Robot_Class()
{
    colours.fill(EmptyEntry);
    colours[FloorEntry] = 0xFFFFFF;
}

// --- Colours ------------------------------------------------------------------

int Robot_Class::ColourOf(int c) const
{
    if (c < 0) return -1;
    if (c <= maxIndex) return (palette ? *palette : DefaultPalette())[c];
    return c;
}

int Robot_Class::IndexOf(int colour) const
{
    return (palette ? *palette : DefaultPalette()).PaletteIndexOf(colour);
}

int Robot_Class::Normalise(int64_t a)
{
    if (a >= 360) a -= 360;
    if (a < 0) a += 360;
    return ClampInt(a);
}

bool Robot_Class::Passable(int colour) const
{
    for (int entry : colours)
        if (entry == colour) return true;
    return false;
}

int Robot_Class::Pixel(QPoint p) const
{
    if (canvas == nullptr) return -1;
    const QImage& image = canvas->image;
    if (p.x() < 0 || p.y() < 0 || p.x() >= image.width() || p.y() >= image.height()) return -1;
    return platform::fromQRgb(reinterpret_cast<const QRgb*>(image.constScanLine(p.y()))[p.x()]);
}

bool Robot_Class::InArena(QPoint p) const
{
    return p.x() >= 0 && p.x() <= arenaWidth && p.y() >= 0 && p.y() <= arenaHeight;
}

QPoint Robot_Class::PointAt(double d, double degrees) const
{
    double cosine, sine;
    CosineAndSine(degrees, cosine, sine);
    return QPoint(Trunc(static_cast<double>(x) + d * cosine), Trunc(static_cast<double>(y) + d * sine));
}

int32_t Robot_Class::Random()
{
    if (random) return random();
    // Without the run's generator a fixed sequence keeps tests repeatable.
    static uint32_t state = 1;
    state = state * 1103515245u + 12345u;
    return static_cast<int32_t>(state & 0x7FFFFFFFu);
}

void Robot_Class::Pause(int milliseconds)
{
    if (pause && !Stopped()) pause(milliseconds);
}

// --- Placement ----------------------------------------------------------------

void Robot_Class::Locate(Canvas* target, const Palette* screenPalette, int maxPaletteIndex, int newX, int newY,
    int newHeading, int newRadius, int border, int fill, const bool* stoppedFlag)
{
    if (target == nullptr || screenPalette == nullptr) {
        initialised = false;
        return;
    }
    stopped = stoppedFlag;
    canvas = target;
    palette = screenPalette;
    maxIndex = std::clamp(maxPaletteIndex, 0, Palette::size - 1);
    FreeBuffers();

    arenaHeight = canvas->image.height();
    arenaWidth = canvas->image.width();
    stepDelay = 0;
    battery = FullCharge;
    ignoreCharge = true;
    points = 0;
    colours.fill(EmptyEntry);
    colours[FloorEntry] = 0xFFFFFF;
    penDown = false;

    radius = newRadius < 0 ? 20 : std::clamp(newRadius, 5, 50);

    int64_t px = newX;
    if (px < radius) px += radius;
    if (px > arenaWidth - radius) px = arenaWidth - radius;
    int64_t py = newY;
    if (py < radius) py += radius;
    if (py > arenaHeight - radius) py = arenaHeight - radius;
    x = static_cast<float>(px);
    y = static_cast<float>(py);

    buffer = QImage(2 * radius, 2 * radius, QImage::Format_RGB32);
    bigBuffer = QImage(4 * radius + 8, 4 * radius + 8, QImage::Format_RGB32);

    fillColour = fill == -1 ? 0xFFFFFF : ColourOf(fill);
    borderColour = border == -1 ? 0xFF0000 : ColourOf(border);
    if (borderColour == 0xFFFFFF) borderColour = 0x0000FF;
    body.Reset(borderColour, fillColour);

    heading = Normalise(static_cast<int64_t>(newHeading) - 90);

    SaveSquare();
    initialised = true;
    Draw(true);

    if (!simulated) Send(3, static_cast<int>(px));
}

int Robot_Class::Relocate(int newX, int newY, int newHeading)
{
    if (!initialised) return RobotResult::NotInitialised;
    if (newX >= 0) x = static_cast<float>(newX);
    if (newY >= 0) y = static_cast<float>(newY);
    if (newHeading != -1) heading = Normalise(static_cast<int64_t>(newHeading) - 90);
    Draw(false);
    return RobotResult::Success;
}

void Robot_Class::FreeBuffers()
{
    buffer = QImage();
    bigBuffer = QImage();
    initialised = false;
}

// --- Drawing -------------------------------------------------------------------

void Robot_Class::SaveSquare()
{
    if (canvas == nullptr || buffer.isNull()) return;
    CopySquare(canvas->image, buffer, SquareAround(x, y, radius), Direction::ImageToBuffer);
    savedX = x;
    savedY = y;
}

void Robot_Class::RestoreSquare()
{
    if (canvas == nullptr || buffer.isNull()) return;
    canvas->Changed(CopySquare(canvas->image, buffer, SquareAround(savedX, savedY, radius), Direction::BufferToImage));
}

void Robot_Class::SaveBigSquare()
{
    if (canvas == nullptr || bigBuffer.isNull()) return;
    CopySquare(canvas->image, bigBuffer, SquareAround(x, y, 2 * radius + 4), Direction::ImageToBuffer);
    bigSavedX = x;
    bigSavedY = y;
}

void Robot_Class::RestoreBigSquare()
{
    if (canvas == nullptr || bigBuffer.isNull()) return;
    canvas->Changed(CopySquare(
        canvas->image, bigBuffer, SquareAround(bigSavedX, bigSavedY, 2 * radius + 4), Direction::BufferToImage));
}

void Robot_Class::SetCanvasPixel(QPoint p, int colour)
{
    QImage& image = canvas->image;
    if (!image.rect().contains(p)) return;
    reinterpret_cast<QRgb*>(image.scanLine(p.y()))[p.x()] = platform::toQRgb(colour);
    canvas->Changed(QRect(p, QSize(1, 1)));
}

void Robot_Class::Draw(bool restore)
{
    if (Stopped() || canvas == nullptr) return;
    if (restore) RestoreSquare();

    const int cx = Trunc(x);
    const int cy = Trunc(y);
    if (penDown) {
        const QPoint from(penX, penY);
        const QPoint to(cx, cy);
        const int width = canvas->penWidth;
        const int colour = trailColour;
        // The changed area in 64 bits, cut to the image before it becomes a
        // QRect: either end may lie anywhere in the int range.
        const QRect image = canvas->image.rect();
        const int64_t left = std::max<int64_t>(std::min(from.x(), to.x()) - int64_t { width }, 0);
        const int64_t top = std::max<int64_t>(std::min(from.y(), to.y()) - int64_t { width }, 0);
        const int64_t right = std::min<int64_t>(std::max(from.x(), to.x()) + int64_t { width }, image.right());
        const int64_t bottom = std::min<int64_t>(std::max(from.y(), to.y()) + int64_t { width }, image.bottom());
        if (left <= right && top <= bottom) {
            const QRect changed(QPoint(static_cast<int>(left), static_cast<int>(top)),
                QPoint(static_cast<int>(right), static_cast<int>(bottom)));
            canvas->Draw([&](QPainter& painter) {
                painter.setPen(QPen(platform::toQColor(colour), width));
                painter.drawLine(from, to);
                return changed;
            });
        }
        penX = cx;
        penY = cy;
    }
    // Just restored and drawn over by nothing, the background of a square
    // that stayed where it was is what the buffer holds already (a turn).
    const Square before = SquareAround(savedX, savedY, radius);
    const Square after = SquareAround(x, y, radius);
    if (restore && !penDown && before.left == after.left && before.top == after.top && !buffer.isNull()) {
        savedX = x;
        savedY = y;
    } else {
        SaveSquare();
    }
    // A body far off the image shows nothing, and its corners would not fit
    // the arithmetic of drawing.
    if (NearImage(canvas->image, cx, cy, 4 * int64_t { radius } + 64)) {
        const QPoint corner1(Trunc(static_cast<double>(x) - radius + 4), Trunc(static_cast<double>(y) - radius + 4));
        const QPoint corner2(Trunc(static_cast<double>(x) + radius - 4), Trunc(static_cast<double>(y) + radius - 4));
        double cosine, sine;
        CosineAndSine(heading, cosine, sine);
        const int reach = radius - 5;
        QPoint tip(Trunc(static_cast<double>(x) + cosine * reach), Trunc(static_cast<double>(y) + sine * reach));
        // Straight up the cosine is not exactly 0; the line must stay vertical.
        if (heading == 270) tip.setX(cx);
        canvas->Changed(body.Draw(canvas->image, QPoint(cx, cy), corner1, corner2, tip));
    }

    battery -= 2;
    if (battery < 0) battery = 0;
    Pause(stepDelay);
}

// --- Motion --------------------------------------------------------------------

int Robot_Class::AdvanceHeading(int64_t h, int step, int64_t steps)
{
    // A heading set outside 0..359 (rheading with a large value) comes back
    // by 359 or 361 a step, as one Normalise per degree takes it; these runs
    // of steps are taken at once.
    while (steps > 0 && (h < 0 || h >= 360)) {
        int64_t run = 1;
        if (step > 0 && h >= 359)
            run = (h - 359) / 359 + 1;
        else if (step > 0 && h < -1)
            run = (-1 - h + 360) / 361;
        else if (step < 0 && h >= 361)
            run = (h - 361) / 361 + 1;
        else if (step < 0 && h < 0)
            run = (-h + 358) / 359;
        run = std::clamp<int64_t>(run, 1, steps);
        if (run == 1) {
            h = Normalise(h + step);
        } else {
            const int64_t jump = step > 0 ? (h >= 359 ? -359 : 361) : (h >= 361 ? -361 : 359);
            h += jump * run;
        }
        steps -= run;
    }
    // Within 0..359 each step is one degree modulo 360.
    if (steps > 0) h = ((h + step * (steps % 360)) % 360 + 360) % 360;
    return static_cast<int>(h);
}

bool Robot_Class::Collides(int arcCentre) const
{
    // Pixel's reading, with the image looked at once for the whole arc.
    const QImage* image = canvas ? &canvas->image : nullptr;
    const int width = image ? image->width() : 0;
    const int height = image ? image->height() : 0;
    const uchar* bits = image ? image->constBits() : nullptr;
    const qsizetype stride = image ? image->bytesPerLine() : 0;
    for (int offset = arcCentre - 65; offset <= arcCentre + 64; offset += 3) {
        const QPoint p = PointAt(radius + 1, Normalise(static_cast<int64_t>(heading) + offset));
        if (!InArena(p)) return true;
        const bool onImage = p.x() >= 0 && p.y() >= 0 && p.x() < width && p.y() < height;
        const int colour
            = onImage ? platform::fromQRgb(reinterpret_cast<const QRgb*>(bits + p.y() * stride)[p.x()]) : -1;
        if (!Passable(colour)) return true;
    }
    return false;
}

int Robot_Class::Forward(int n)
{
    if (!initialised) return RobotResult::NotInitialised;
    const int64_t count = std::llabs(static_cast<int64_t>(n));
    if (!simulated) return Send(n >= 0 ? 6 : 7, static_cast<int>(count)) ? RobotResult::Success : RobotResult::TimedOut;
    if (!MayAct()) return RobotResult::BatteriesDepleted;
    points += 3;
    battery -= 1;
    const float sign = n >= 0 ? 1.0f : -1.0f;
    const int arcCentre = n >= 0 ? 0 : 180;
    float dx = 0;
    float dy = 0;
    auto takeStep = [&] {
        double cosine, sine;
        CosineAndSine(heading, cosine, sine);
        dx = sign * static_cast<float>(cosine);
        dy = sign * static_cast<float>(sine);
    };
    takeStep();
    for (int64_t round = 0; round < count; ++round) {
        // A stop or a spent statement budget ends a long motion; the run ends
        // on the same flag or budget.
        if (Stopped() || !StepAllowed()) break;
        if (slipPercent > 0) {
            const int32_t r = Random() % 20000;
            if (r < 100 * slipPercent) continue;
            if (r < 150 * slipPercent) {
                Turn(-1);
                takeStep();
            } else if (r < 200 * slipPercent) {
                Turn(1);
                takeStep();
            }
        }
        if (Collides(arcCentre)) return RobotResult::Collided;
        x += dx;
        y += dy;
        Draw(true);
    }
    return RobotResult::Success;
}

int Robot_Class::Turn(int a)
{
    if (!initialised) return RobotResult::NotInitialised;
    if (!simulated) {
        int64_t wrapped = a;
        if (wrapped > 180) wrapped -= 360;
        if (wrapped < -180) wrapped += 360;
        return Send(wrapped >= 0 ? 12 : 13, static_cast<int>(std::llabs(wrapped))) ? RobotResult::Success
                                                                                   : RobotResult::TimedOut;
    }
    if (!MayAct()) return RobotResult::BatteriesDepleted;
    points += 2;
    int64_t count = std::llabs(static_cast<int64_t>(a));
    const int step = a > 0 ? 1 : -1;
    if (slipPercent <= 0 && !Stopped()) {
        // Without slip a turn's end depends only on how far it turns, so the
        // whole turns beyond the first are made at once: the heading they
        // reach and the charge their redraws would cost, with nothing drawn
        // (they would end on the picture they start from). At most one full
        // turn and the remainder are shown, so that a huge angle ends at once.
        const int64_t shown = count < 360 ? count : 360 + count % 360;
        const int64_t skipped = count - shown;
        if (skipped > 0) {
            heading = AdvanceHeading(heading, step, skipped);
            battery = static_cast<int>(std::max<int64_t>(int64_t { battery } - 2 * skipped, 0));
            count = shown;
        }
    }
    for (int64_t k = 0; k < count;) {
        // A stop or a spent statement budget ends a long turn.
        if (Stopped() || !StepAllowed()) break;
        bool counts = true;
        if (slipPercent > 0) {
            const int32_t r = Random() % 10000;
            if (r < 50 * slipPercent) {
                ++k;
                continue;
            }
            counts = r >= 100 * slipPercent;
        }
        heading = Normalise(static_cast<int64_t>(heading) + step);
        Draw(true);
        if (counts) ++k;
    }
    return RobotResult::Success;
}

int Robot_Class::SetHeading(int h)
{
    if (!initialised) return RobotResult::NotInitialised;
    if (!MayAct()) return RobotResult::BatteriesDepleted;
    points += 2;
    heading = Normalise(static_cast<int64_t>(h) - 90);
    Draw(true);
    return 0;
}

// --- Settings --------------------------------------------------------------------

int Robot_Class::SetSpeed(int milliseconds)
{
    if (!initialised) return RobotResult::NotInitialised;
    if (!simulated && !Send(36, milliseconds)) return RobotResult::TimedOut;
    stepDelay = std::min(milliseconds, 500);
    return RobotResult::Success;
}

void Robot_Class::SetCharge(int percent)
{
    percent = std::clamp(percent, 1, 100);
    battery = percent * FullCharge / 100;
}

void Robot_Class::SetPen(bool down, int colour)
{
    if (!simulated) {
        Send(129, down ? 1 : 0);
        return;
    }
    penDown = down;
    penX = Trunc(x);
    penY = Trunc(y);
    trailColour = colour == -1 ? colours[LineEntry] : ColourOf(colour);
}

void Robot_Class::SetErrorPercent(int percent, int which)
{
    percent = std::clamp(percent, 0, 100);
    if (which == 0)
        slipPercent = percent;
    else if (which == 1)
        errorPercent = percent;
}

int Robot_Class::SetColourEntry(int entry, int c)
{
    if (!initialised) return RobotResult::NotInitialised;
    colours[static_cast<size_t>(entry)] = ColourOf(c);
    return RobotResult::Success;
}

int Robot_Class::SetInvisibleColors(const int* list, int n)
{
    if (!initialised) return RobotResult::NotInitialised;
    n = std::clamp(n, 0, 15);
    for (int i = 1; i <= n; ++i) {
        const int colour = ColourOf(list[i - 1]);
        // A colour is compared with pixels read back from the screen, so it
        // is stored as a pixel would hold it; a negative colour stays -1.
        colours[static_cast<size_t>(i)] = colour < 0 ? -1 : NormalisedColor(colour);
    }
    return RobotResult::Success;
}

// --- Real robot ------------------------------------------------------------------

bool Robot_Class::Send(int command, int argument)
{
    // A robot given no serial link behaves as one that never answers.
    if (link == nullptr) return false;
    return link->Exchange(static_cast<uint8_t>(command), static_cast<uint8_t>(argument), reply);
}

// --- Dump ------------------------------------------------------------------------

std::string Robot_Class::DebugDump() const
{
    std::string out = initialised ? "placed" : "unplaced";
    if (!simulated) out += " real";
    AppendNumber(out, "x", x, 2);
    AppendNumber(out, "y", y, 2);
    out += " compass " + std::to_string(Normalise(static_cast<int64_t>(heading) + 90));
    out += " r " + std::to_string(radius);
    out += " points " + std::to_string(points);
    out += " battery " + std::to_string(battery);
    if (ignoreCharge) out += " ignorecharge";
    out += " delay " + std::to_string(stepDelay);
    out += " slip " + std::to_string(slipPercent);
    out += " error " + std::to_string(errorPercent);
    out += " sense " + std::to_string(senseType);
    out += penDown ? " pen down" : " pen up";
    AppendColour(out, "trail", trailColour);
    AppendColour(out, "floor", colours[FloorEntry]);
    AppendColour(out, "line", colours[LineEntry]);
    AppendColour(out, "beacon", colours[BeaconEntry]);
    for (size_t k = 3; k < colours.size(); ++k)
        if (colours[k] != EmptyEntry) AppendColour(out, "invisible", colours[k]);
    return out;
}
