#include "support/Navigation_class.h"
#include "support/FormatPattern.h"

#include <cmath>
#include <cstdlib>

namespace {

constexpr double DegreesToRadians = 0.017453292519943295;
constexpr double RadiansToDegrees = 57.29577951308232;
constexpr double RadiansToMiles = 3437.746770784939;
constexpr double Pi = 3.141592653589793;
constexpr double TwoPi = 2 * Pi;
constexpr double None = Navigation_Class::NoSolution;
// Results at or below this are markers, not angles, and stay unconverted.
constexpr double MarkerLimit = -8888.0;

// y - x * trunc(y / x), moved into [0, x).
double Mod(double y, double x)
{
    double r = y - x * std::trunc(y / x);
    if (r < 0) r += x;
    return r;
}

double Square(double x)
{
    return x * x;
}

// The pole test runs in long double from the latitude in degrees, with pi / 180
// to full precision: in double
// the cosine of 90 degrees comes out as 6.1e-17, just above the threshold, and
// no course would ever be taken from a pole.
bool AtPole(double lat)
{
    const long double degrees = lat * RadiansToDegrees;
    return std::cos(degrees * 0.01745329251994329576923690768L) < 6e-17L;
}

struct Point {
    double lat;
    double lon;
};

Point RadialPoint(double lat1, double lon1, double d, double tc)
{
    const double lat = std::asin(std::sin(lat1) * std::cos(d) + std::cos(lat1) * std::sin(d) * std::cos(tc));
    const double lon = Mod(lon1
                               - std::atan2(std::sin(tc) * std::sin(d) * std::cos(lat1),
                                   std::cos(d) - std::sin(lat1) * std::sin(lat))
                               + Pi,
                           TwoPi)
        - Pi;
    return { lat, lon };
}

Point FractionPoint(double lat1, double lon1, double lat2, double lon2, double f)
{
    const double d = Navigation_Class::GcDistance(lat1, lon1, lat2, lon2);
    const double a = std::sin((1 - f) * d) / std::sin(d);
    const double b = std::sin(f * d) / std::sin(d);
    const double x = a * std::cos(lat1) * std::cos(lon1) + b * std::cos(lat2) * std::cos(lon2);
    const double y = a * std::cos(lat1) * std::sin(lon1) + b * std::cos(lat2) * std::sin(lon2);
    const double z = a * std::sin(lat1) + b * std::sin(lat2);
    return { std::atan2(z, std::sqrt(x * x + y * y)), std::atan2(y, x) };
}

void RadialIntersection(const double* in, double* out)
{
    const double lat1 = in[0], lon1 = in[1], lat2 = in[2], lon2 = in[3], crs13 = in[4], crs23 = in[5];
    const double d12 = Navigation_Class::GcDistance(lat1, lon1, lat2, lon2);
    const double q1 = std::acos((std::sin(lat2) - std::sin(lat1) * std::cos(d12)) / (std::sin(d12) * std::cos(lat1)));
    const double q2 = std::acos((std::sin(lat1) - std::sin(lat2) * std::cos(d12)) / (std::sin(d12) * std::cos(lat2)));
    double crs12, crs21;
    if (std::sin(lon2 - lon1) >= 0) {
        crs12 = TwoPi - q1;
        crs21 = q2;
    } else {
        crs12 = q1;
        crs21 = TwoPi - q2;
    }
    double ang1 = Mod(crs13 - crs12 + Pi, TwoPi) - Pi;
    double ang2 = Mod(crs21 - crs23 + Pi, TwoPi) - Pi;
    if ((std::sin(ang1) == 0 && std::sin(ang2) == 0) || std::sin(ang1) * std::sin(ang2) < 0) {
        out[0] = out[1] = None;
        return;
    }
    ang1 = std::fabs(ang1);
    ang2 = std::fabs(ang2);
    const double ang3 = std::acos(-std::cos(ang1) * std::cos(ang2) + std::sin(ang1) * std::sin(ang2) * std::cos(d12));
    const double d13
        = std::atan2(std::sin(d12) * std::sin(ang1) * std::sin(ang2), std::cos(ang2) + std::cos(ang1) * std::cos(ang3));
    const Point p = RadialPoint(lat1, lon1, d13, crs13);
    out[0] = p.lat;
    out[1] = p.lon;
}

void LatFromLonCrossing(const double* in, double* out)
{
    const double lat1 = in[0], lon1 = in[1], lat2 = in[2], lon2 = in[3], lon = in[4];
    if (std::sin(lon1 - lon2) == 0) {
        out[0] = None;
        return;
    }
    out[0] = std::atan((std::sin(lat1) * std::cos(lat2) * std::sin(lon - lon2)
                           - std::sin(lat2) * std::cos(lat1) * std::sin(lon - lon1))
        / (std::cos(lat1) * std::cos(lat2) * std::sin(lon1 - lon2)));
}

void LonFromLatCrossing(const double* in, double* out)
{
    const double lat1 = in[0], lon1 = in[1], lat2 = in[2], lon2 = in[3], lat3 = in[4];
    const double l12 = lon1 - lon2;
    const double a = std::sin(lat1) * std::cos(lat2) * std::cos(lat3) * std::sin(l12);
    const double b = std::sin(lat1) * std::cos(lat2) * std::cos(lat3) * std::cos(l12)
        - std::cos(lat1) * std::sin(lat2) * std::cos(lat3);
    const double c = std::cos(lat1) * std::cos(lat2) * std::sin(lat3) * std::sin(l12);
    const double lon = std::atan2(b, a);
    const double norm = std::sqrt(a * a + b * b);
    if (std::fabs(c) > norm) {
        out[0] = out[1] = None;
        return;
    }
    const double dlon = std::acos(c / norm);
    out[0] = Mod(lon1 + dlon + lon + Pi, TwoPi) - Pi;
    out[1] = Mod(lon1 - dlon + lon + Pi, TwoPi) - Pi;
}

// The courses from A to D and from A to B, with the rule for A at a pole.
void CoursesFromA(
    double latA, double lonA, double latB, double lonB, double latD, double lonD, double& crsAD, double& crsAB)
{
    crsAD = Navigation_Class::GcCourse(latA, lonA, latD, lonD);
    crsAB = Navigation_Class::GcCourse(latA, lonA, latB, lonB);
    if (std::sin(latA) == 1) {
        crsAD = lonD;
        crsAB = lonB;
    } else if (std::sin(latA) == -1) {
        crsAD = lonB;
        crsAB = lonD;
    }
}

void CrossTrack(const double* in, double* out)
{
    double crsAD, crsAB;
    CoursesFromA(in[0], in[1], in[2], in[3], in[4], in[5], crsAD, crsAB);
    const double dAD = Navigation_Class::GcDistance(in[0], in[1], in[4], in[5]);
    const double xtd = std::asin(std::sin(dAD) * std::sin(crsAD - crsAB));
    const double atd = std::asin(std::sqrt(Square(std::sin(dAD)) - Square(std::sin(xtd))) / std::cos(xtd));
    out[0] = xtd;
    out[1] = atd;
}

void TrackPointsFromPoint(const double* in, double* out)
{
    const double latA = in[0], lonA = in[1], latB = in[2], lonB = in[3], d = in[6];
    double crsAD, crsAB;
    CoursesFromA(latA, lonA, latB, lonB, in[4], in[5], crsAD, crsAB);
    const double dAD = Navigation_Class::GcDistance(latA, lonA, in[4], in[5]);
    const double dAB = Navigation_Class::GcDistance(latA, lonA, latB, lonB);
    const double r = std::sqrt(Square(std::cos(dAD)) + Square(std::sin(dAD)) * Square(std::cos(crsAB - crsAD)));
    const double p = std::atan2(std::sin(dAD) * std::cos(crsAB - crsAD), std::cos(dAD));
    if (Square(std::cos(d)) > r * r) {
        out[0] = out[1] = out[2] = out[3] = None;
        return;
    }
    const double dp = std::acos(std::cos(d) / r);
    const Point first = FractionPoint(latA, lonA, latB, lonB, (p + dp) / dAB);
    const Point second = FractionPoint(latA, lonA, latB, lonB, (p - dp) / dAB);
    out[0] = first.lat;
    out[1] = first.lon;
    out[2] = second.lat;
    out[3] = second.lon;
}

void RhumbDistanceCourse(double lat1, double lon1, double lat2, double lon2, double& distance, double& course)
{
    const double dlonW = Mod(lon2 - lon1, TwoPi);
    const double dlonE = Mod(lon1 - lon2, TwoPi);
    const double dphi = std::log(std::tan(lat2 / 2 + Pi / 4) / std::tan(lat1 / 2 + Pi / 4));
    const double q = std::fabs(lat2 - lat1) >= std::sqrt(1e-15) ? (lat2 - lat1) / dphi : std::cos(lat1);
    if (dlonE <= dlonW) {
        course = Mod(std::atan2(dlonE, dphi), TwoPi);
        distance = std::sqrt(q * q * dlonE * dlonE + Square(lat2 - lat1));
    } else {
        course = Mod(std::atan2(-dlonW, dphi), TwoPi);
        distance = std::sqrt(q * q * dlonW * dlonW + Square(lat2 - lat1));
    }
}

void RhumbRadialPoint(const double* in, double* out)
{
    const double lat1 = in[0], lon1 = in[1], d = in[2], tc = in[3];
    if (std::sin(lat1) == 1 || std::sin(lat1) == -1) {
        out[0] = out[1] = None;
        return;
    }
    const double lat = lat1 + d * std::cos(tc);
    const double dphi = std::log(std::tan(lat / 2 + Pi / 4) / std::tan(lat1 / 2 + Pi / 4));
    const double q = std::fabs(lat - lat1) >= std::sqrt(1e-15) ? (lat - lat1) / dphi : std::cos(lat1);
    const double dlon = -d * std::sin(tc) / q;
    out[0] = lat;
    out[1] = Mod(lon1 + dlon + Pi, TwoPi) - Pi;
}

// Which inputs are angles (converted to radians) and which distances (to
// radians of arc); the rest pass unchanged.
enum Unit : char { Angle = 'a', Distance = 'd', Plain = '-' };
const char* const inputUnits[Navigation_Class::OperationCount] = {
    "aaaa",
    "aada",
    "aaaa-",
    "aaaaaa",
    "aaaaa",
    "aaaaa",
    "aaaaaa",
    "aaaaaad",
    "aaaa",
    "aada",
    "-aa",
    "-a-a",
    "-a-a",
    "-a-a",
    "-a-a",
    "---",
};
// Which outputs are angles and which distances in nautical miles.
const char* const outputUnits[Navigation_Class::OperationCount] = {
    "da",
    "aa",
    "aa",
    "aa",
    "a",
    "aa",
    "dd",
    "aaaa",
    "da",
    "aa",
    "--",
    "-a",
    "-a",
    "-a",
    "-a",
    "--",
};

} // namespace

const int Navigation_Class::inputCounts[OperationCount] = { 4, 4, 5, 6, 5, 5, 6, 7, 4, 4, 3, 4, 4, 4, 4, 3 };
const int Navigation_Class::outputCounts[OperationCount] = { 2, 2, 2, 2, 1, 2, 2, 4, 2, 2, 2, 2, 2, 2, 2, 2 };

double Navigation_Class::GcDistance(double lat1, double lon1, double lat2, double lon2)
{
    return 2
        * std::asin(std::sqrt(Square(std::sin((lat1 - lat2) / 2))
            + std::cos(lat1) * std::cos(lat2) * Square(std::sin((lon1 - lon2) / 2))));
}

double Navigation_Class::GcCourse(double lat1, double lon1, double lat2, double lon2)
{
    if (AtPole(lat1)) return lat1 > 0 ? Pi : TwoPi;
    return Mod(std::atan2(std::sin(lon1 - lon2) * std::cos(lat2),
                   std::cos(lat1) * std::sin(lat2) - std::sin(lat1) * std::cos(lat2) * std::cos(lon1 - lon2)),
        TwoPi);
}

void Navigation_Class::Compute(int op, const double* inputs, double outputs[4])
{
    if (op < 0 || op >= OperationCount) return;
    double in[7] = {};
    for (int k = 0; k < inputCounts[op]; ++k) {
        const char unit = inputUnits[op][k];
        in[k] = unit == Angle  ? inputs[k] * DegreesToRadians
            : unit == Distance ? inputs[k] / RadiansToMiles
                               : inputs[k];
    }
    double* out = outputs;
    switch (op) {
    case 0:
        out[0] = GcDistance(in[0], in[1], in[2], in[3]);
        out[1] = GcCourse(in[0], in[1], in[2], in[3]);
        break;
    case 1: {
        const Point p = RadialPoint(in[0], in[1], in[2], in[3]);
        out[0] = p.lat;
        out[1] = p.lon;
        break;
    }
    case 2: {
        const Point p = FractionPoint(in[0], in[1], in[2], in[3], in[4]);
        out[0] = p.lat;
        out[1] = p.lon;
        break;
    }
    case 3:
        RadialIntersection(in, out);
        break;
    case 4:
        LatFromLonCrossing(in, out);
        break;
    case 5:
        LonFromLatCrossing(in, out);
        break;
    case 6:
        CrossTrack(in, out);
        break;
    case 7:
        TrackPointsFromPoint(in, out);
        break;
    case 8:
        RhumbDistanceCourse(in[0], in[1], in[2], in[3], out[0], out[1]);
        break;
    case 9:
        RhumbRadialPoint(in, out);
        break;
    case 10:
        out[0] = in[0] * std::sin(in[1] - in[2]);
        out[1] = in[0] * std::cos(in[1] - in[2]);
        break;
    case 11: {
        const double ws = in[0], wd = in[1], tas = in[2], crs = in[3];
        const double swc = (ws / tas) * std::sin(wd - crs);
        if (std::fabs(swc) > 1) {
            out[0] = out[1] = None;
            break;
        }
        const double gs = tas * std::sqrt(1 - swc * swc) - ws * std::cos(wd - crs);
        if (gs < 0) {
            out[0] = out[1] = None;
            break;
        }
        out[0] = gs;
        out[1] = Mod(crs + std::asin(swc), TwoPi);
        break;
    }
    case 12: {
        const double ws = in[0], wd = in[1], gs = in[2], crs = in[3];
        const double tas = std::sqrt(gs * gs + ws * ws + 2 * ws * gs * std::cos(wd - crs));
        out[0] = tas;
        out[1] = Mod(crs + std::asin(ws * std::sin(wd - crs) / tas), TwoPi);
        break;
    }
    case 13: {
        const double gs = in[0], crs = in[1], tas = in[2], hd = in[3];
        out[0] = std::sqrt(Square(tas - gs) + 4 * tas * gs * Square(std::sin((hd - crs) / 2)));
        out[1] = Mod(crs + std::atan2(tas * std::sin(hd - crs), tas * std::cos(hd - crs) - gs), TwoPi);
        break;
    }
    case 14: {
        const double ws = in[0], wd = in[1], tas = in[2], hd = in[3];
        out[0] = std::sqrt(ws * ws + tas * tas - 2 * ws * tas * std::cos(hd - wd));
        out[1] = Mod(hd + std::atan2(ws * std::sin(hd - wd), tas - ws * std::cos(hd - wd)), TwoPi);
        break;
    }
    case 15: {
        const double vms = (in[0] * in[0] + in[1] * in[1] + in[2] * in[2]) / 3;
        double mu = 0;
        for (int k = 0; k < 3; ++k)
            mu += Square(in[k] * in[k] / vms - 1);
        mu /= 6;
        // Three ground speeds that no wind and air speed can give.
        if (mu > 0.25) {
            out[0] = out[1] = None;
            break;
        }
        out[0] = std::sqrt(vms * (0.5 + std::sqrt(0.25 - mu)));
        out[1] = std::sqrt(vms * mu / (0.5 + std::sqrt(0.25 - mu)));
        break;
    }
    }
    for (int k = 0; k < outputCounts[op]; ++k) {
        // A result that is not a number is a case without a solution too.
        if (!std::isfinite(out[k])) {
            out[k] = None;
            continue;
        }
        if (out[k] <= MarkerLimit) continue;
        const char unit = outputUnits[op][k];
        if (unit == Angle) out[k] *= RadiansToDegrees;
        if (unit == Distance) out[k] *= RadiansToMiles;
    }
}

AnsiString Navigation_Class::FormatLatLon(int kind, double degrees, double minutes, double seconds)
{
    const int magnitude = kind < 0 ? -kind : kind;
    if (magnitude < 1 || magnitude > 4) return "ERROR";
    const bool withSeconds = magnitude == 1 || magnitude == 3;
    AnsiString secondsText;
    if (withSeconds) {
        secondsText = FormatPattern::FormatFloat(seconds, "00.0");
        if (std::atof(secondsText.c_str()) == 60) {
            minutes += 1;
            seconds = 0;
            secondsText = FormatPattern::FormatFloat(seconds, "00.0");
        }
    }
    if (std::atof(FormatPattern::FormatFloat(minutes, "00.000").c_str()) == 60) {
        degrees += 1;
        minutes = 0;
    }
    AnsiString text = FormatPattern::FormatFloat(degrees, magnitude <= 2 ? "00" : "000") + "\xB0 ";
    text += FormatPattern::FormatFloat(minutes, withSeconds ? "00" : "00.000") + "' ";
    if (withSeconds) text += secondsText + "\" ";
    static const char* const hemispheres[] = { "N", "N", "W", "W" };
    static const char* const opposite[] = { "S", "S", " E", " E" };
    text += kind > 0 ? hemispheres[magnitude - 1] : opposite[magnitude - 1];
    return text;
}

namespace {

AnsiString Dms(int kind, double degrees, double minutes, double seconds)
{
    const double total = std::fabs(degrees) + minutes / 60 + seconds / 3600;
    const double whole = std::trunc(total);
    const double m = (total - whole) * 60;
    const double wholeMinutes = std::trunc(m);
    return Navigation_Class::FormatLatLon(degrees >= 0 ? kind : -kind, whole, wholeMinutes, (m - wholeMinutes) * 60);
}

AnsiString Dm(int kind, double degrees, double minutes)
{
    const double total = std::fabs(degrees) + minutes / 60;
    const double whole = std::trunc(total);
    return Navigation_Class::FormatLatLon(degrees >= 0 ? kind : -kind, whole, (total - whole) * 60, 0);
}

} // namespace

AnsiString Navigation_Class::LatDms(double degrees, double minutes, double seconds)
{
    return Dms(1, degrees, minutes, seconds);
}

AnsiString Navigation_Class::LonDms(double degrees, double minutes, double seconds)
{
    return Dms(3, degrees, minutes, seconds);
}

AnsiString Navigation_Class::LatDm(double degrees, double minutes)
{
    return Dm(2, degrees, minutes);
}

AnsiString Navigation_Class::LonDm(double degrees, double minutes)
{
    return Dm(4, degrees, minutes);
}
