#include "canvas/Canvas.h"
#include "pictures/Palette.h"
#include "screen/robot/Robot_class.h"

#include "platform/gui/Colors.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

// The robot's sensors. They read pixels around the body, each at a fixed
// geometry relative to the heading; only the two display variants of the
// bumper and the feelers draw, and what they draw lies inside a saved square
// that the next redraw restores.

namespace {

constexpr double DegreesToRadians = 0.017453292519943295;
constexpr int BumperMarkMilliseconds = 500;

int Trunc(double v)
{
    if (!(v > -2147483648.0)) return v != v ? 0 : INT32_MIN;
    if (!(v < 2147483648.0)) return INT32_MAX;
    return static_cast<int>(v);
}

QPoint Offset(QPoint base, double d, double degrees)
{
    const double angle = degrees * DegreesToRadians;
    return QPoint(Trunc(base.x() + d * std::cos(angle)), Trunc(base.y() + d * std::sin(angle)));
}

// The four bumper sectors in relative degrees, bit i for sector i: rear,
// right, front, left. Neighbouring sectors share their end angles.
struct Sector {
    int from;
    int to;
};
constexpr Sector bumperSectors[] = { { 115, 245 }, { 65, 115 }, { -65, 65 }, { -115, -65 } };

} // namespace

bool Robot_Class::Reading()
{
    if (!MayAct()) return false;
    points += 1;
    battery -= 1;
    return true;
}

float Robot_Class::WithNoise(float value)
{
    const int32_t r = Random() % (errorPercent * 10000);
    const float u = static_cast<float>((r + 1) * 0.000001);
    if (Random() % 100000 > 49999) return value * (1.0f - u);
    return value * (1.0f + u);
}

int Robot_Class::NoisyClamped(float value, double limit)
{
    if (errorPercent <= 0) return Trunc(value);
    double noisy = WithNoise(value);
    if (noisy < 0) noisy = 0;
    if (noisy > limit) noisy = limit;
    return Trunc(noisy);
}

// --- Bumper ------------------------------------------------------------------------

int Robot_Class::Bumper()
{
    if (!initialised) return -1;
    if (!simulated) return reply[0];
    if (!Reading()) return 0;
    int bits = 0;
    for (int i = 0; i < 4; ++i) {
        for (int a = bumperSectors[i].from; a <= bumperSectors[i].to; a += 2) {
            const QPoint p = PointAt(radius + 2, heading + a);
            if (!InArena(p) || !Passable(Pixel(p))) {
                bits |= 1 << i;
                break;
            }
        }
    }
    return bits;
}

void Robot_Class::MarkBump(QPoint outer, QPoint inner, int mark)
{
    // The robot may stand anywhere in the int range, and the pen may be of
    // any width: the corners of the mark widened by the pen do not fit an
    // int there. The area is worked out in 64 bits and cut to the image; a
    // mark that cannot reach the image is not drawn at all.
    const int width = canvas->penWidth;
    const int64_t reach = int64_t { width } + 1;
    const QImage& image = canvas->image;
    const int64_t left = std::max<int64_t>(std::min(outer.x(), inner.x()) - reach, 0);
    const int64_t top = std::max<int64_t>(std::min(outer.y(), inner.y()) - reach, 0);
    const int64_t right = std::min<int64_t>(std::max(outer.x(), inner.x()) + reach, image.width() - 1);
    const int64_t bottom = std::min<int64_t>(std::max(outer.y(), inner.y()) + reach, image.height() - 1);
    if (left > right || top > bottom) return;
    // A box far off the image (reached only by a vast pen) is not drawn
    // either: its coordinates would not fit the arithmetic of drawing.
    constexpr int64_t FarOff = 1 << 20;
    const QPoint corner1(std::min(outer.x(), inner.x()), std::min(outer.y(), inner.y()));
    const QPoint corner2(std::max(outer.x(), inner.x()), std::max(outer.y(), inner.y()));
    if (corner2.x() < -FarOff || corner2.y() < -FarOff || corner1.x() > image.width() + FarOff
        || corner1.y() > image.height() + FarOff)
        return;
    const QRect changed(QPoint(static_cast<int>(left), static_cast<int>(top)),
        QPoint(static_cast<int>(right), static_cast<int>(bottom)));
    const QRect box(corner1, corner2);
    canvas->Draw([&](QPainter& painter) {
        painter.setPen(QPen(platform::toQColor(mark), width));
        painter.setBrush(platform::toQColor(mark));
        painter.drawEllipse(box);
        return changed;
    });
}

int Robot_Class::BumperShown(int colour)
{
    if (!initialised) return -1;
    if (!simulated) return reply[0];
    if (!Reading()) return 0;
    const int mark = colour < 0 ? colours[BeaconEntry] : ColourOf(colour);
    int bits = 0;
    for (int i = 0; i < 4; ++i) {
        for (int a = bumperSectors[i].from; a <= bumperSectors[i].to; a += 2) {
            const double direction = heading + a;
            // No bounds test here: a point off the drawing surface reads -1.
            if (Passable(Pixel(PointAt(radius + 2, direction)))) continue;
            bits |= 1 << i;
            if (!Stopped()) MarkBump(PointAt(radius - 3, direction), PointAt(radius / 2, direction), mark);
            Pause(BumperMarkMilliseconds);
            break;
        }
    }
    return bits;
}

// --- Feelers ----------------------------------------------------------------------

bool Robot_Class::FeelSample(QPoint p, bool shown, int mark)
{
    const int pixel = Pixel(p);
    const bool passable = Passable(pixel);
    if (!shown) return !passable;
    // The probe's own paint is neither a hit nor painted again.
    if (pixel != mark && !passable) return true;
    if (passable && !Stopped()) SetCanvasPixel(p, mark);
    return false;
}

bool Robot_Class::FeelDirection(double direction, bool shown, int mark)
{
    const QPoint base = PointAt(radius, direction);
    for (double side : { 6.0, -6.0 }) {
        for (int j = 0; j <= radius; j += 2)
            if (FeelSample(Offset(base, j, direction + side), shown, mark)) return true;
    }
    for (int a = -6; a <= 6; a += 2)
        if (FeelSample(Offset(base, radius, direction + a), shown, mark)) return true;
    return false;
}

int Robot_Class::Feel()
{
    if (!initialised) return -1;
    if (!simulated) return reply[1];
    if (!Reading()) return 0;
    int bits = 0;
    for (int i = 0; i < 5; ++i)
        if (FeelDirection(heading + 90 - 45 * i, false, 0)) bits |= 1 << i;
    return bits;
}

int Robot_Class::FeelShown(int colour)
{
    if (!initialised) return -1;
    if (!simulated) return reply[1];
    if (!Reading()) return 0;
    // The probe recognises its own paint as the pixels hold it, also for a
    // colour that a pixel cannot hold exactly (an unset beacon colour).
    const int mark = NormalisedColor(colour < 0 ? colours[BeaconEntry] : ColourOf(colour));
    SaveBigSquare();
    int bits = 0;
    for (int i = 0; i < 5; ++i) {
        if (FeelDirection(heading + 90 - 45 * i, true, mark)) bits |= 1 << i;
        Pause(0);
        if (!Stopped()) RestoreBigSquare();
    }
    return bits;
}

// --- Line and ground sensors -------------------------------------------------------

int Robot_Class::Sense(int colour)
{
    if (!initialised) return -1;
    if (!simulated) return senseType > 3 ? reply[2] : reply[2] & 7;
    if (!Reading()) return 0;
    const int target = colour < 0 ? colours[LineEntry] : ColourOf(colour);
    static constexpr int angles[] = { 10, 0, -10, 35, -35 };
    const int count = senseType >= 4 ? 5 : 3;
    int bits = 0;
    for (int i = 0; i < count; ++i)
        if (Pixel(PointAt(radius, heading + angles[i])) == target) bits |= 1 << i;
    return bits;
}

int Robot_Class::Ground(int n)
{
    n = std::clamp(n, 1, 3);
    return GroundAtAngle(20 - 10 * n);
}

int Robot_Class::GroundAtAngle(int a)
{
    if (!initialised || !Reading()) return -1;
    return IndexOf(Pixel(PointAt(radius, static_cast<double>(heading) + a)));
}

// --- Rays ----------------------------------------------------------------------------

int Robot_Class::Look(int a)
{
    a = std::clamp(a, -180, 180);
    if (!initialised) return -1;
    if (!simulated) return Send(a >= 0 ? 48 : 49, std::abs(a)) ? ReplyValue() : -1;
    if (!Reading()) return -1;
    for (int64_t d = radius + 1;; ++d) {
        const QPoint p = PointAt(static_cast<double>(d), heading + a);
        if (!InArena(p)) return -1;
        const int pixel = Pixel(p);
        if (!Passable(pixel)) return IndexOf(pixel);
    }
}

int Robot_Class::Range(int a)
{
    a = std::clamp(a, -90, 90);
    if (!initialised) return -1;
    if (!simulated) return Send(a >= 0 ? 192 : 193, std::abs(a)) ? ReplyValue() : -1;
    if (!Reading()) return 0;
    // The ray starts on the rim straight ahead, whatever its own direction.
    const QPoint start = PointAt(radius, heading);
    int d = 1;
    for (;; ++d) {
        const QPoint p = Offset(start, d, heading + a);
        if (!InArena(p) || !Passable(Pixel(p))) break;
    }
    return NoisyClamped(
        static_cast<float>(d), std::sqrt(double(arenaWidth) * arenaWidth + double(arenaHeight) * arenaHeight));
}

int Robot_Class::Beacon(int colour)
{
    if (!initialised) return -1;
    if (!simulated) return Send(96, colour) ? ReplyValue() : -1;
    if (!Reading()) return 0;
    const int target = ColourOf(colour);
    int found = 0;
    // Obstacles do not stop the ray: only the target colour and the edge do.
    for (int64_t d = radius + 1;; ++d) {
        const QPoint p = PointAt(static_cast<double>(d), heading);
        if (!InArena(p)) break;
        if (Pixel(p) == target) {
            found = static_cast<int>(d - radius);
            break;
        }
    }
    return NoisyClamped(
        static_cast<float>(found), std::sqrt(double(arenaWidth) * arenaWidth + double(arenaHeight) * arenaHeight));
}

bool Robot_Class::SensorAtAngle(int a, int range, int& colour, int& distance)
{
    colour = -1;
    if (range < 1) range = 1;
    distance = range;
    if (!initialised || !Reading()) return false;
    const int direction = Normalise(static_cast<int64_t>(heading) + a);
    for (int64_t d = radius; d <= static_cast<int64_t>(radius) + range; ++d) {
        const QPoint p = PointAt(static_cast<double>(d), direction);
        if (!InArena(p)) {
            distance = static_cast<int>(d - radius);
            return true;
        }
        const int pixel = Pixel(p);
        if (!Passable(pixel)) {
            colour = IndexOf(pixel);
            distance = static_cast<int>(d - radius);
            return true;
        }
    }
    return false;
}

bool Robot_Class::Sensor(int n, int range, int& colour, int& distance)
{
    n = std::clamp(n, 1, 5);
    return SensorAtAngle(135 - 45 * n, range, colour, distance);
}

// --- Compass, position, charge -------------------------------------------------------

int Robot_Class::Compass()
{
    if (!initialised) return -1;
    if (!simulated) return Send(24, 0) ? ReplyValue() : -1;
    if (!Reading()) return 0;
    const int compass = heading + 90;
    if (errorPercent <= 0) return Normalise(compass);
    return Normalise(Trunc(WithNoise(static_cast<float>(compass))));
}

void Robot_Class::Gps(int& gx, int& gy)
{
    gx = -1;
    gy = -1;
    if (!initialised) return;
    if (!simulated) {
        // The position reply goes to a buffer of its own: `reply` keeps the
        // last status bytes.
        uint8_t position[5] = {};
        if (link == nullptr || !link->Exchange(66, 0, position)) return;
        gx = position[0] * 256 + position[1];
        gy = position[2] * 256 + position[3];
        return;
    }
    if (!Reading()) return;
    gy = NoisyClamped(y, arenaHeight);
    gx = NoisyClamped(x, arenaWidth);
}

int Robot_Class::GpsX()
{
    if (!initialised) return -1;
    if (!Reading()) return 0;
    return NoisyClamped(x, arenaWidth);
}

int Robot_Class::GpsY()
{
    if (!initialised) return -1;
    if (!Reading()) return 0;
    return NoisyClamped(y, arenaHeight);
}

int Robot_Class::ChargeLevel()
{
    if (!initialised || simulated) return static_cast<int>(static_cast<int64_t>(battery) * 100 / FullCharge);
    return Send(108, 0) ? ReplyValue() : -1;
}

std::string Robot_Class::Command(int command, int argument)
{
    if (!initialised || simulated) return std::string();
    if (!Send(command, argument)) return std::string();
    return std::string(reinterpret_cast<const char*>(reply), sizeof reply);
}
