#include "interpreter/Durnix_class.h"
#include "interpreter/statements/StatementTable.h"
#include "pictures/Palette.h"

#include <array>
#include <cstring>
#include <filesystem>
#include <iterator>

// The whole-array and 3-D model statements: each reads its operands into the
// parameter slots and calls one operation of the run's arrays, which answers
// nothing or the run-time error to raise. Results handed back as numbers go into
// the variables the program names.

namespace {

// An operation: the interpreter (its slots filled) and the number of operands
// given; answers nothing or the error to raise.
using Operation = ArrayResult (*)(Durnix_Class&, int given);

// One statement: argument counts, each slot's letter (A a defined array, 1 or
// 2 one of that many dimensions, a a name the operation checks, v a variable,
// i an integer, f or n a number, 0 any value, s a text), the integer defaults
// of the slots, and the operation.
struct MatrixStatement {
    StatementCode code;
    int required;
    int maximum;
    const char* letters;
    int defaults[6];
    Operation operation;
};

const AnsiString& Text(Durnix_Class& d, int slot)
{
    return d.paramText[slot];
}

// Stores a result into the variable named in a slot (error 50 when refused).
void StoreResult(Durnix_Class& d, int slot, double value)
{
    if (d.currentVariables->SetFloat(d.paramText[slot], value) != 1) d.RaiseError(ErrorCode::TooManyVariables);
}

ArrayResult Scale(Durnix_Class& d, int)
{
    return d.paramType[1] == Tag::Int ? d.arrays.ScaleByInt(Text(d, 0), d.paramInt[1])
                                      : d.arrays.ScaleByFloat(Text(d, 0), d.paramFloat[1]);
}

ArrayResult Copy(Durnix_Class& d, int)
{
    return d.arrays.Copy(Text(d, 0), Text(d, 1));
}

ArrayResult Invert(Durnix_Class& d, int)
{
    double det = 0;
    const ArrayResult error = d.arrays.Invert(Text(d, 0), Text(d, 1), det);
    if (!error) StoreResult(d, 2, det);
    return error;
}

ArrayResult Determinant(Durnix_Class& d, int)
{
    double det = 0;
    const ArrayResult error = d.arrays.Determinant(Text(d, 0), det);
    if (!error) StoreResult(d, 1, det);
    return error;
}

// mdiagonal and mconstant take the value's own type.
template <bool diagonal> ArrayResult ByValueType(Durnix_Class& d, int)
{
    Arrays_Class& a = d.arrays;
    const AnsiString& name = Text(d, 0);
    switch (d.paramType[1]) {
    case Tag::Int:
        return diagonal ? a.DiagonalInt(name, d.paramInt[1]) : a.FillInt(name, d.paramInt[1]);
    case Tag::Float:
        return diagonal ? a.DiagonalFloat(name, d.paramFloat[1]) : a.FillFloat(name, d.paramFloat[1]);
    default:
        return diagonal ? a.DiagonalString(name, d.paramText[1]) : a.FillString(name, d.paramText[1]);
    }
}

template <int kind> ArrayResult Regression(Durnix_Class& d, int)
{
    double slope = 0;
    double coefficient = 0;
    const ArrayResult error = d.arrays.Regression(Text(d, 0), kind, slope, coefficient);
    if (!error) {
        StoreResult(d, 1, slope);
        StoreResult(d, 2, coefficient);
    }
    return error;
}

// msort and msortr sort a one-dimensional array or the columns of a matrix
// (kind 0), msortc the rows (kind 1); a third operand other than 0 sorts
// descending.
template <int kind> ArrayResult Sort(Durnix_Class& d, int)
{
    return d.arrays.Sort(Text(d, 0), d.paramInt[1], kind + (d.paramInt[2] != 0 ? 2 : 0));
}

ArrayResult ReadTextLines(Durnix_Class& d, int)
{
    std::error_code error;
    if (!std::filesystem::exists(std::filesystem::path(Text(d, 1)), error))
        d.RaiseError(ErrorCode::FileOperationFailed);
    return d.arrays.ReadTextLines(Text(d, 0), Text(d, 1));
}

ArrayResult FromString(Durnix_Class& d, int given)
{
    return d.arrays.FromString(Text(d, 0), Text(d, 1), given >= 3 ? Text(d, 2) : AnsiString("\r\n"));
}

template <int kind> ArrayResult BitOperation(Durnix_Class& d, int)
{
    return d.arrays.BitOperation(Text(d, 0), d.paramInt[1], kind);
}

template <int kind> ArrayResult BitOperationArrays(Durnix_Class& d, int)
{
    return d.arrays.BitOperationArrays(Text(d, 0), Text(d, 1), kind);
}

template <Arrays_Class::Transform transform> ArrayResult Fourier(Durnix_Class& d, int)
{
    int window = d.paramInt[1];
    return d.arrays.FourierTransform(Text(d, 0), window, transform);
}

// objectget and objectput: row 0 names variables, row r is a record.
template <bool get> ArrayResult Record(Durnix_Class& d, int)
{
    Arrays_Class::Node* node = d.arrays.Find(Text(d, 0));
    const int row = d.paramInt[1];
    const int rows = node->dims[0];
    const int columns = node->dims[1];
    if (row <= 0 || row >= rows || !node->data) d.RaiseError(ErrorCode::ObjectDoesNotExist);
    DArray_Class& store = *node->data;
    for (int c = 0; c < columns; ++c) {
        if (store.GetType(c) != Tag::String) continue;
        const AnsiString name = *store.cells[c].s;
        const int position = row * columns + c;
        Value value;
        if (get) {
            if (store.Get(position, value) && d.currentVariables->SetValue(name, value) != 1)
                d.RaiseError(ErrorCode::TooManyVariables);
        } else if (d.currentVariables->Get(name, value)) {
            store.Store(position, value, false);
        }
    }
    return std::nullopt;
}

ArrayResult PlotSurfaces(Durnix_Class& d, int)
{
    const int* n = d.paramInt;
    return d.arrays.PlotSurfaces(Text(d, 0), Text(d, 1), d.screen, n[2], n[3] != 0, n[4] != 0, n[5] != 0);
}

ArrayResult ProjectPoint(Durnix_Class& d, int)
{
    double x = 0;
    double y = 0;
    const double* f = d.paramFloat;
    const ArrayResult error = d.arrays.Project3DPoint(Text(d, 3), f[0], f[1], f[2], x, y);
    if (!error) {
        StoreResult(d, 4, x);
        StoreResult(d, 5, y);
    }
    return error;
}

ArrayResult VisibleFaces(Durnix_Class& d, int given)
{
    int palette[Palette::size];
    const Palette& screenPalette = d.screen.Drawing().ScreenPalette();
    for (int k = 0; k < Palette::size; ++k)
        palette[k] = screenPalette[k];
    // The edge list is built only when the program names an array for it.
    const AnsiString edges = given >= 4 ? Text(d, 3) : AnsiString();
    return d.arrays.FindVisibleFaces(Text(d, 0), Text(d, 1), Text(d, 2), edges, d.paramFloat[4], palette);
}

constexpr MatrixStatement statements[] = {
    { StatementCode::Mscale, 2, 2, "An", {}, Scale },
    { StatementCode::Mcopy, 2, 2, "Aa", {}, Copy },
    { StatementCode::Madd, 2, 2, "AA", {},
        [](Durnix_Class& d, int) { return d.arrays.AddArrays(Text(d, 0), Text(d, 1)); } },
    { StatementCode::Msub, 2, 2, "AA", {},
        [](Durnix_Class& d, int) { return d.arrays.SubtractArrays(Text(d, 0), Text(d, 1)); } },
    { StatementCode::Mmultiply, 3, 3, "AAa", {},
        [](Durnix_Class& d, int) { return d.arrays.Multiply(Text(d, 0), Text(d, 1), Text(d, 2)); } },
    { StatementCode::Minvert, 3, 3, "Aav", {}, Invert },
    { StatementCode::Mdiagonal, 2, 2, "20", {}, ByValueType<true> },
    { StatementCode::Mconstant, 2, 2, "A0", {}, ByValueType<false> },
    { StatementCode::Mdet, 2, 2, "Av", {}, Determinant },
    { StatementCode::Mtranspose, 2, 2, "2a", {},
        [](Durnix_Class& d, int) { return d.arrays.Transpose(Text(d, 0), Text(d, 1)); } },
    { StatementCode::Mregression, 3, 3, "Avv", {}, Regression<0> },
    { StatementCode::Mexpfit, 3, 3, "Avv", {}, Regression<1> },
    { StatementCode::Mlogfit, 3, 3, "Avv", {}, Regression<2> },
    { StatementCode::Msortr, 1, 3, "Aii", {}, Sort<0> },
    { StatementCode::Msortc, 1, 3, "Aii", {}, Sort<1> },
    { StatementCode::Mread, 2, 2, "as", {},
        [](Durnix_Class& d, int) { return d.arrays.ReadFile(Text(d, 0), Text(d, 1)); } },
    { StatementCode::Mwrite, 2, 2, "As", {},
        [](Durnix_Class& d, int) { return d.arrays.WriteFile(Text(d, 0), Text(d, 1)); } },
    { StatementCode::Mreadold, 2, 2, "as", {},
        [](Durnix_Class& d, int) { return d.arrays.ReadFileOld(Text(d, 0), Text(d, 1)); } },
    { StatementCode::Mtextfw, 2, 2, "as", {},
        [](Durnix_Class& d, int) { return d.arrays.WriteTextLines(Text(d, 0), Text(d, 1)); } },
    { StatementCode::Mtextfr, 2, 2, "as", {}, ReadTextLines },
    { StatementCode::Mcombineclr, 4, 4, "222a", {},
        [](Durnix_Class& d, int) { return d.arrays.CombineColors(Text(d, 0), Text(d, 1), Text(d, 2), Text(d, 3)); } },
    { StatementCode::Mfromstring, 2, 3, "ass", {}, FromString },
    { StatementCode::Mand, 2, 2, "Ai", {}, BitOperation<0> },
    { StatementCode::Mor, 2, 2, "Ai", {}, BitOperation<1> },
    { StatementCode::Mxor, 2, 2, "Ai", {}, BitOperation<2> },
    { StatementCode::Mshiftl, 2, 2, "Ai", {}, BitOperation<3> },
    { StatementCode::Mshiftr, 2, 2, "Ai", {}, BitOperation<4> },
    { StatementCode::Mnot, 1, 1, "A", {}, BitOperation<5> },
    { StatementCode::Mmand, 2, 2, "AA", {}, BitOperationArrays<0> },
    { StatementCode::Mmor, 2, 2, "AA", {}, BitOperationArrays<1> },
    { StatementCode::Mmxor, 2, 2, "AA", {}, BitOperationArrays<2> },
    { StatementCode::Mmshiftl, 2, 2, "AA", {}, BitOperationArrays<3> },
    { StatementCode::Mmshiftr, 2, 2, "AA", {}, BitOperationArrays<4> },
    { StatementCode::Objectget, 2, 2, "2i", {}, Record<true> },
    { StatementCode::Objectput, 2, 2, "2i", {}, Record<false> },
    { StatementCode::Mfft, 1, 2, "2i", {}, Fourier<Arrays_Class::Transform::Fast> },
    { StatementCode::Mdft, 1, 2, "2i", {}, Fourier<Arrays_Class::Transform::Discrete> },
    { StatementCode::Geplotsurfaces, 2, 6, "22iiii", { 0, 0, 1, 2, 1, 0 }, PlotSurfaces },
    { StatementCode::Ge3dto2dva, 6, 6, "fff1vv", {}, ProjectPoint },
    { StatementCode::Ge3dto2da, 1, 5, "21iii", {},
        [](Durnix_Class& d, int) { return d.arrays.Project3DArray(Text(d, 0), Text(d, 1)); } },
    { StatementCode::Gevisibles, 3, 5, "212af", {}, VisibleFaces },
    { StatementCode::GeCentroids, 3, 3, "22a", {},
        [](Durnix_Class& d, int) { return d.arrays.ComputeCentroids(Text(d, 0), Text(d, 1), Text(d, 2)); } },
    { StatementCode::Geplotedges, 2, 4, "22ii", { 0, 0, -1, -1 },
        [](Durnix_Class& d, int) {
            return d.arrays.PlotEdges(Text(d, 0), Text(d, 1), d.screen, d.paramInt[2], d.paramInt[3]);
        } },
    { StatementCode::Gerotatea, 3, 5, "2fiii", { 0, 0, 0, 0, -1 },
        [](Durnix_Class& d, int) {
            const int* n = d.paramInt;
            return d.arrays.RotateVertices(Text(d, 0), d.paramFloat[1], n[2], n[3], n[4]);
        } },
};

const MatrixStatement* Find(int code)
{
    for (const MatrixStatement& statement : statements)
        if (Code(statement.code) == code) return &statement;
    return nullptr;
}

void Run(Durnix_Class& d)
{
    const MatrixStatement* statement = Find(d.expression.tokenCode);
    if (!statement) d.RaiseError(ErrorCode::SyntaxError);
    d.SetParamRow(statement->letters, statement->defaults);
    // gevisibles shades the edges by 0.9 unless told otherwise.
    if (statement->code == StatementCode::Gevisibles) d.paramFloat[4] = 0.9;
    int given = 0;
    d.ParseParamsWithNames(statement->required, statement->maximum, given);
    if (const ArrayResult error = statement->operation(d, given)) d.RaiseError(*error);
}

constexpr auto entries = [] {
    std::array<StatementEntry, std::size(statements)> list {};
    for (size_t k = 0; k < list.size(); ++k)
        list[k] = StatementEntry { statements[k].code, Run };
    return list;
}();

} // namespace

const StatementFamily matrixStatements = { entries.data(), static_cast<int>(entries.size()) };
