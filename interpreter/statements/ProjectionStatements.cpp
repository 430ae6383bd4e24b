#include "interpreter/Durnix_class.h"
#include "interpreter/arrays/Array3D.h"
#include "interpreter/statements/StatementTable.h"

// The 3-D helpers that hand their results back in variables: the projection
// of one point for a camera given by numbers, and the rotations of a point
// about the axes.

namespace {

void Store(Durnix_Class& d, int slot, double value)
{
    if (d.currentVariables->SetFloat(d.paramText[slot], value) != 1) d.RaiseError(ErrorCode::TooManyVariables);
}

// Reads `numbers` numbers followed by `variables` variable names.
void ReadOperands(Durnix_Class& d, int numbers, int variables)
{
    d.SetParamDefaults(numbers + variables, 0, 'f');
    for (int k = numbers; k < numbers + variables; ++k)
        d.paramType[k] = 'v';
    int given = 0;
    d.ParseParamsWithNames(numbers + variables, numbers + variables, given);
}

// ge3dto2dv x, y, z, distance, a, b, scale, x offset, y offset, u, v
void ProjectPoint(Durnix_Class& d)
{
    ReadOperands(d, 9, 2);
    const double* f = d.paramFloat;
    // The camera array's order: distance, the two angles, scale, offsets.
    const double camera[6] = { f[3], f[4], f[5], f[6], f[7], f[8] };
    double u = 0;
    double v = 0;
    model::Camera(camera).Project(f[0], f[1], f[2], u, v);
    Store(d, 9, u);
    Store(d, 10, v);
}

// gerotvx, gerotvy, gerotvz x, y, z, angle, x', y', z'
void RotatePoint(Durnix_Class& d)
{
    const int axis = d.expression.tokenCode - Code(StatementCode::Gerotvx) + 1;
    ReadOperands(d, 4, 3);
    double x = d.paramFloat[0];
    double y = d.paramFloat[1];
    double z = d.paramFloat[2];
    model::Rotate(axis, d.paramFloat[3], x, y, z);
    Store(d, 4, x);
    Store(d, 5, y);
    Store(d, 6, z);
}

constexpr StatementEntry entries[] = {
    { StatementCode::Ge3dto2dv, ProjectPoint },
    { StatementCode::Gerotvx, RotatePoint },
    { StatementCode::Gerotvy, RotatePoint },
    { StatementCode::Gerotvz, RotatePoint },
};

} // namespace

const StatementFamily projectionStatements = { entries, static_cast<int>(std::size(entries)) };
