#include "interpreter/Durnix_class.h"
#include "interpreter/arrays/ArraySupport.h"
#include "interpreter/statements/StatementTable.h"

// mplotxy params, data / mplotxy params, xs, ys: a line graph of the points
// scaled into a rectangle of the screen. Every check comes before anything is
// drawn or written back, so a statement that fails leaves no trace.

namespace {

// Elements 0 to 5 of the parameter array and their defaults: left, top,
// width, height, colour, line width.
constexpr int layoutDefaults[6] = { 200, 100, 400, 400, 1, 2 };

int LayoutElement(const Arrays_Class::Node& params, int k)
{
    int32_t value = -1;
    const char type = params.data && k < params.dims[0] ? params.data->GetType(k) : Tag::Unset;
    if (type == Tag::Int || type == Tag::Float) params.data->GetNumber(k, &value);
    return value < 0 ? layoutDefaults[k] : value;
}

// Element k of the parameter array when it is a number.
bool GivenRange(const Arrays_Class::Node& params, int k, double& value)
{
    return params.data && k < params.dims[0] && arraywork::NumberAt(*params.data, k, value);
}

// A data value: texts, unset slots and positions outside the array are 0.
double DataValue(const Arrays_Class::Node& array, int64_t position)
{
    double value = 0;
    const int64_t covered = Arrays_Class::Covered(array);
    if (array.data && position < covered) arraywork::NumberAt(*array.data, static_cast<int>(position), value);
    return value;
}

void Raise(Durnix_Class& d, ArrayResult error)
{
    if (error) d.RaiseError(*error);
}

void PlotXY(Durnix_Class& d)
{
    d.SetParamDefaults(3, 0, 'A');
    d.paramType[0] = '1';
    int given = 0;
    d.ParseParamsWithNames(2, 3, given);
    Arrays_Class& arrays = d.arrays;
    const AnsiString paramsName = d.paramText[0];
    const Arrays_Class::Node* params = arrays.Find(paramsName);
    const Arrays_Class::Node* first = arrays.Find(d.paramText[1]);
    const Arrays_Class::Node* second = given == 3 ? arrays.Find(d.paramText[2]) : nullptr;
    if (given == 2 && first->dimCount != 2) d.RaiseError(ErrorCode::ArrayNotTwoDimensional);
    if (given == 3 && (first->dimCount != 1 || second->dimCount != 1)) d.RaiseError(ErrorCode::ArrayWrongDimension);

    int layout[6];
    for (int k = 0; k < 6; ++k)
        layout[k] = LayoutElement(*params, k);

    // x min, x max, y min, y max.
    double range[4] = { 0, 0, 0, 0 };
    int points = 0;
    int64_t xAt = 0; // the positions of point 0's x and y; point k adds k
    int64_t yAt = 0;
    if (given == 2) {
        points = first->dims[1];
        if (points < 1) d.RaiseError(ErrorCode::ArrayWrongDataType);
        yAt = points;
        for (int k = 0; k < points; ++k) {
            const double x = DataValue(*first, xAt + k);
            const double y = DataValue(*first, yAt + k);
            if (k == 0) {
                range[0] = range[1] = x;
                range[2] = range[3] = y;
                continue;
            }
            if (x < range[0])
                range[0] = x;
            else if (x > range[1])
                range[1] = x;
            if (y < range[2])
                range[2] = y;
            else if (y > range[3])
                range[3] = y;
        }
        for (int k = 0; k < 4; ++k)
            GivenRange(*params, 6 + k, range[k]);
    } else {
        for (int k = 0; k < 4; ++k) {
            if (GivenRange(*params, 6 + k, range[k])) continue;
            // The statistics look at numbers only.
            const AnsiString& source = k < 2 ? d.paramText[1] : d.paramText[2];
            Raise(d, arrays.AllElementsStatistic(source, k % 2 == 0 ? 2 : 3, range[k]));
        }
        points = first->dims[0];
        if (points < 1 || second->dims[0] < 1 || points != second->dims[0]) d.RaiseError(ErrorCode::ArrayWrongDataType);
    }
    if (range[1] == range[0] || range[2] == range[3]) d.RaiseError(ErrorCode::ArrayWrongDataType);
    const double xScale = layout[2] / (range[1] - range[0]);
    const double yScale = layout[3] / (range[2] - range[3]);

    while (arrays.DimSize(paramsName, 1) < 12)
        if (!arrays.AppendInt(paramsName, -1)) d.RaiseError(ErrorCode::OutOfMemory);
    const double written[6] = { range[0], range[1], range[2], range[3], xScale, yScale };
    DArray_Class& store = *arrays.Find(paramsName)->data;
    for (int k = 0; k < 6; ++k)
        store.SetFloat(6 + k, written[k], true);

    const Arrays_Class::Node* xs = first;
    const Arrays_Class::Node* ys = given == 3 ? second : first;
    auto screenPoint = [&](int k, int& sx, int& sy) {
        const double x = DataValue(*xs, xAt + k);
        const double y = DataValue(*ys, yAt + k);
        sx = DArray_Class::ToInt(layout[0] + (x - range[0]) * xScale);
        sy = DArray_Class::ToInt(layout[1] + (y - range[3]) * yScale);
    };
    int x1 = 0, y1 = 0;
    screenPoint(0, x1, y1);
    for (int k = 1; k < points; ++k) {
        int x2 = 0, y2 = 0;
        screenPoint(k, x2, y2);
        d.screen.Drawing().DrawLine(x1, y1, x2, y2, layout[5], layout[4]);
        x1 = x2;
        y1 = y2;
    }
}

constexpr StatementEntry entries[] = {
    { StatementCode::Mplotxy, PlotXY },
};

} // namespace

const StatementFamily plotStatements = { entries, 1 };
