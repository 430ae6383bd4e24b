#include "support/Navigation_class.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

std::vector<double> Compute(int op, std::vector<double> inputs)
{
    double outputs[4] = {};
    Navigation_Class::Compute(op, inputs.data(), outputs);
    return std::vector<double>(outputs, outputs + Navigation_Class::outputCounts[op]);
}

struct Case {
    const char* name;
    int op;
    std::vector<double> inputs;
    std::vector<double> expected;
    double tolerance;
};

TEST(Navigation, Operations)
{
    constexpr double None = Navigation_Class::NoSolution;
    const Case cases[] = {
        // One degree of longitude west along the equator: 60 miles, course 270.
        { "distance along the equator", 0, { 0, 0, 0, 1 }, { 60, 270 }, 1e-9 },
        { "from the north pole", 0, { 90, 0, 0, 0 }, { 5400, 180 }, 1e-9 },
        { "from the south pole", 0, { -90, 0, 0, 0 }, { 5400, 360 }, 1e-9 },
        { "due north", 0, { 0, 0, 10, 0 }, { 600, 0 }, 1e-9 },
        { "radial point", 1, { 0, 0, 60, 90 }, { 0, -1 }, 1e-9 },
        // The fraction is not converted: 0.5 is the half-way point.
        { "half way", 2, { 0, 0, 0, 10, 0.5 }, { 0, 5 }, 1e-9 },
        // tan(lat) = sin(5 degrees) where courses of 45 degrees from the equator meet.
        { "radial intersection", 3, { 0, 0, 0, 10, 315, 45 }, { 4.98107, 5 }, 1e-5 },
        { "ambiguous intersection", 3, { 0, 0, 0, 10, 315, 225 }, { None, None }, 0 },
        { "latitude on a meridian route", 4, { 10, 5, 20, 5, 5 }, { None }, 0 },
        { "latitude at a crossing", 4, { 0, 0, 10, 10, 5 }, { 5.05751 }, 1e-5 },
        { "no crossing of the latitude", 5, { 0, 0, 0, 10, 30 }, { None, None }, 0 },
        { "cross-track distance", 6, { 0, 0, 0, 10, 1, 5 }, { 60, 300 }, 1e-6 },
        { "track points out of reach", 7, { 0, 0, 0, 10, 10, 5, 60 }, { None, None, None, None }, 0 },
        { "rhumb line", 8, { 0, 0, 0, 1 }, { 60, 270 }, 1e-9 },
        { "rhumb radial point from a pole", 9, { 90, 0, 10, 45 }, { None, None }, 0 },
        { "rhumb radial point", 9, { 0, 0, 60, 0 }, { 1, 0 }, 1e-9 },
        // Speeds pass through unconverted.
        { "cross and head wind", 10, { 20, 90, 0 }, { 20, 0 }, 1e-9 },
        { "wind stronger than the aircraft across the course", 11, { 200, 90, 100, 0 }, { None, None }, 0 },
        { "ground speed with a head wind", 11, { 20, 0, 100, 0 }, { 80, 0 }, 1e-9 },
        { "air speed against a head wind", 12, { 20, 0, 80, 0 }, { 100, 0 }, 1e-9 },
        { "wind from speeds and headings", 13, { 80, 0, 100, 0 }, { 20, 0 }, 1e-9 },
        { "ground speed and course", 14, { 20, 0, 100, 0 }, { 80, 0 }, 1e-9 },
        { "air speed and wind from equal ground speeds", 15, { 100, 100, 100 }, { 100, 0 }, 1e-9 },
        // mu above 0.25 has no real answer.
        { "ground speeds no wind can give", 15, { 1, 0, 0 }, { None, None }, 0 },
    };
    for (const Case& c : cases) {
        const std::vector<double> got = Compute(c.op, c.inputs);
        ASSERT_EQ(got.size(), c.expected.size()) << c.name;
        for (size_t k = 0; k < got.size(); ++k)
            EXPECT_NEAR(got[k], c.expected[k], c.tolerance) << c.name << " output " << k;
    }
}

TEST(Navigation, LatitudeLongitudeTexts)
{
    EXPECT_EQ(Navigation_Class::FormatLatLon(5, 1, 2, 3), "ERROR");
    EXPECT_EQ(Navigation_Class::FormatLatLon(-3, 1, 2, 3), "001\xB0 02' 03.0\"  E");
    EXPECT_EQ(Navigation_Class::LatDms(0, 59, 59.96), "01\xB0 00' 00.0\" N");
    EXPECT_EQ(Navigation_Class::LonDm(-0.5), "000\xB0 30.000'  E");
}

} // namespace
