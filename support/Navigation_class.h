#pragma once

#include "base/Values.h"

// Great-circle and rhumb-line navigation on a spherical earth, the wind
// triangle, and latitude/longitude texts. At the interface angles are degrees,
// distances nautical miles, longitudes positive to the west; speeds pass
// through in whatever unit they came. -9999 marks a case without a solution.
class Navigation_Class {
public:
    static constexpr double NoSolution = -9999.0;
    static constexpr int OperationCount = 16;
    static const int inputCounts[OperationCount];
    static const int outputCounts[OperationCount];

    // Runs operation op (0..15) on its inputs and fills the first outputs.
    static void Compute(int op, const double* inputs, double outputs[4]);

    // In radians.
    static double GcDistance(double lat1, double lon1, double lat2, double lon2);
    static double GcCourse(double lat1, double lon1, double lat2, double lon2);

    // kind 1/-1 latitude d m s N/S, 2/-2 latitude d m.mmm, 3/-3 longitude
    // d m s W/E, 4/-4 longitude d m.mmm; any other kind gives "ERROR".
    static AnsiString FormatLatLon(int kind, double degrees, double minutes, double seconds);
    static AnsiString LatDms(double degrees, double minutes = 0, double seconds = 0);
    static AnsiString LonDms(double degrees, double minutes = 0, double seconds = 0);
    static AnsiString LatDm(double degrees, double minutes = 0);
    static AnsiString LonDm(double degrees, double minutes = 0);
};
