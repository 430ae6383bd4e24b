#pragma once

#include "base/DArray.h"
#include "base/Values.h"
#include "interpreter/arrays/ArrayResult.h"
#include "interpreter/arrays/DArray_class.h"

#include <cstdint>
#include <memory>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace platform {
struct MessageFormRequest;
}

// The named multi-dimensional arrays of one run. Names are case-sensitive; the
// list keeps definition order, a hash index finds names in constant time. Each
// array lays its elements out row-major (the last index varies fastest) in one
// element store. Element access of an undefined array or outside its sizes
// answers 0 or null; the caller raises the run-time error.
//
// Keeping a node instead of a name: a caller that found a node may keep it
// with identity() and use it again, without a lookup, while identity() still
// returns the same number. The identity is unique over the process (a table
// made later never repeats one, even at the same address) and is renewed by
// every change to which nodes exist or to a node's shape or store: Define,
// DefineLike, Remove and Append (and the table's end). Element writes keep it.
// Read a kept node's dimCount, dims and data afresh at each use; never keep a
// pointer into the store's slots, since a grow moves them.
//
// The evaluator's name tokens keep their array this way:
// Expression_Class::FindArray (a token) and CurrentTokenArray (the current
// token) give the node of the name in the evaluator's table, null when the
// name is no array.
class RunScreen;

class Arrays_Class {
public:
    struct Node {
        AnsiString name;
        int dimCount = 0;
        std::vector<int> dims;
        std::unique_ptr<DArray_Class> data;
        Node* next = nullptr;
    };

    Arrays_Class() = default;
    ~Arrays_Class();
    Arrays_Class(const Arrays_Class&) = delete;
    Arrays_Class& operator=(const Arrays_Class&) = delete;

    // Whether a definition stands: Refused when the store cannot be made
    // (sizes too large or no memory); the table is then unchanged. Each
    // caller words the refusal as its own error.
    enum class Definition { Made, Refused };
    // Creates the array, or redefines it in place with new sizes and an empty
    // store. A negative size is kept as 0.
    Definition Define(std::string_view name, int n, const DArray<int>& sizes);
    Definition Define(std::string_view name, int n, const int* sizes);
    // For operations that install a store of their own: a new array gets the
    // sizes and no store; an existing one loses its store and takes the sizes
    // only when it is one-dimensional with size 1. Returns the node.
    Node& DefineLike(std::string_view name, int n, const DArray<int>& sizes);
    void Remove(std::string_view name);

    // The flat position of an index list, or -1 when an index is negative or at
    // or past its size.
    static int FlatIndex(const DArray<int>& indexes, int n, const int* sizes);
    static int FlatIndex(const int* indexes, int n, const int* sizes)
    {
        // A negative index would land on another element; refuse it like one
        // past the end.
        for (int k = 0; k < n; ++k) {
            if (indexes[k] < 0 || indexes[k] >= sizes[k]) return -1;
        }
        if (n <= 0) return 0;
        int64_t position = indexes[n - 1];
        int64_t stride = 1;
        for (int k = n - 2; k >= 0; --k) {
            stride *= sizes[k + 1];
            position += indexes[k] * stride;
            if (position > 2147483647) return -1;
        }
        return static_cast<int>(position);
    }
    // The flat position of an element of array (the list holds at least its
    // dimension count of indexes), or -1.
    static int Position(const Node& array, const DArray<int>& indexes)
    {
        if (array.dimCount > indexes.capacity || !indexes.items) return -1;
        return FlatIndex(indexes.items, array.dimCount, array.dims.data());
    }

    int DimCount(std::string_view name) const;
    // Size of dimension k counted from 1; k past the last means the last, k
    // below 1 the first. 0 when undefined.
    int DimSize(std::string_view name, int k) const;

    // 1 stored; 0 when undefined, out of range or refused by the store.
    int SetElement(std::string_view name, const DArray<int>& indexes, char type, const void* value);
    int SetElementInt(std::string_view name, const DArray<int>& indexes, int32_t value);
    int SetElementFloat(std::string_view name, const DArray<int>& indexes, double value);
    // The element's tag ('0' never set); the character code 0 when undefined or
    // out of range.
    char GetElementType(std::string_view name, const DArray<int>& indexes) const;
    // The element's value; null when undefined, out of range or never set.
    void* GetElement(std::string_view name, const DArray<int>& indexes) const;

    // Grows a one-dimensional array by one element holding the value. 0 when
    // the array is undefined, not one-dimensional, or the value cannot be stored.
    int Append(std::string_view name, char type, const void* value);
    int AppendInt(std::string_view name, int32_t value) { return Append(name, Tag::Int, &value); }
    int AppendFloat(std::string_view name, double value) { return Append(name, Tag::Float, &value); }
    int AppendString(std::string_view name, const AnsiString& value) { return Append(name, Tag::String, &value); }

    Node* Find(std::string_view name) const;
    // Shows a one-dimensional array's elements as the lines of the run-time
    // message form (ArraysMessageForm.cpp), with the form's result in
    // `result`; error 72 when undefined, 70 when not one-dimensional. The
    // form's position, size and wrap come from `placement` when given.
    ArrayResult ShowInMessageForm(std::string_view name, int& result, const AnsiString& title,
        const platform::MessageFormRequest* placement = nullptr);

    // --- Whole-array operations ------------------------------------------------
    // Each answers nothing on success or the run-time error for the statement
    // or function to raise (ArrayResult.h). A target that names one of the
    // sources is computed aside and installed at the end, and always takes the
    // result's sizes.

    // Element-wise work on one array (ArrayElementwise.cpp).
    ArrayResult ScaleByInt(std::string_view name, int32_t k);
    ArrayResult ScaleByFloat(std::string_view name, double x);
    // Kinds 0 and, 1 or, 2 exclusive or, 3 shift left, 4 shift right, 5 not.
    ArrayResult BitOperation(std::string_view name, int32_t v, int kind);
    // The fills set the positions the sizes cover.
    ArrayResult FillInt(std::string_view name, int32_t value);
    ArrayResult FillFloat(std::string_view name, double value);
    ArrayResult FillString(std::string_view name, const AnsiString& value);
    // Error 72 when the source is undefined, 73 when it has no store or no
    // copy could be made.
    ArrayResult Copy(std::string_view source, std::string_view target);
    ArrayResult AddArrays(std::string_view source, std::string_view target);
    ArrayResult SubtractArrays(std::string_view source, std::string_view target);
    ArrayResult BitOperationArrays(std::string_view source, std::string_view target, int kind);
    ArrayResult DiagonalInt(std::string_view name, int32_t value);
    ArrayResult DiagonalFloat(std::string_view name, double value);
    ArrayResult DiagonalString(std::string_view name, const AnsiString& value);
    ArrayResult CombineColors(
        std::string_view red, std::string_view green, std::string_view blue, std::string_view target);

    // Matrices (ArrayMatrix.cpp).
    ArrayResult Multiply(std::string_view a, std::string_view b, std::string_view target);
    ArrayResult Determinant(std::string_view name, double& det);
    ArrayResult Invert(std::string_view name, std::string_view target, double& det);
    ArrayResult Transpose(std::string_view name, std::string_view target);

    // Statistics and fits (ArrayStatistics.cpp): one value into `result`.
    ArrayResult WeightedSum(std::string_view name, double& result);
    ArrayResult WeightedMean(std::string_view name, double& result);
    ArrayResult Median(std::string_view name, double& result);
    ArrayResult Maximum(std::string_view name, double& result);
    ArrayResult Minimum(std::string_view name, double& result);
    ArrayResult Range(std::string_view name, double& result);
    ArrayResult Count(std::string_view name, double& result);
    ArrayResult Variance(std::string_view name, double& result);
    ArrayResult StdDev(std::string_view name, double& result);
    ArrayResult Correlation(std::string_view name, double& result);
    // Kind 0 linear, 1 exponential, 2 logarithmic: the slope and the coefficient.
    ArrayResult Regression(std::string_view name, int kind, double& slope, double& coefficient);
    // Kinds 0 sum, 1 average, 2 minimum, 3 maximum, 4 count, 5 range, 6 variance,
    // 7 standard deviation over every numeric element.
    ArrayResult AllElementsStatistic(std::string_view name, int kind, double& result);
    // Types 0 and 1 ascending, 2 and 3 descending; a two-dimensional array
    // sorts its columns by row `key` (0, 2) or its rows by column `key` (1, 3).
    ArrayResult Sort(std::string_view name, int key, int type);

    // Array files and texts (ArrayFiles.cpp, ArrayText.cpp).
    ArrayResult WriteFile(std::string_view name, const AnsiString& fileName);
    ArrayResult ReadFile(std::string_view name, const AnsiString& fileName);
    ArrayResult ReadFileOld(std::string_view name, const AnsiString& fileName);
    ArrayResult WriteTextLines(std::string_view name, const AnsiString& fileName);
    ArrayResult ReadTextLines(std::string_view name, const AnsiString& fileName);
    ArrayResult ToText(std::string_view name, AnsiString& text, const AnsiString& separator);
    ArrayResult FromString(std::string_view name, const AnsiString& text, const AnsiString& separator);

    // Fourier transforms (ArrayFourier.cpp); the window kind comes back clamped.
    enum class Transform { Fast, Discrete };
    ArrayResult FourierTransform(std::string_view name, int& window, Transform transform);

    // 3-D models (Array3D.cpp, ArrayWireFrame.cpp). Vertex rows hold x, y, z
    // and the projected screen x and y; face rows a colour, a visibility flag
    // and vertex row numbers; the camera distance, two angles, scale and offsets.
    ArrayResult Project3DArray(std::string_view vertices, std::string_view camera);
    ArrayResult Project3DPoint(std::string_view camera, double x, double y, double z, double& screenX, double& screenY);
    ArrayResult RotateVertices(std::string_view vertices, double angle, int axis, int firstRow, int lastRow);
    // `palette` turns colours 0 to 15 into colour values; no edges are listed
    // when edgeArray is empty.
    ArrayResult FindVisibleFaces(std::string_view vertices, std::string_view camera, std::string_view faces,
        std::string_view edgeArray, double shade, const int* palette);
    ArrayResult ComputeCentroids(std::string_view vertices, std::string_view faces, std::string_view target);
    ArrayResult PlotEdges(std::string_view vertices, std::string_view edges, RunScreen& screen, int width, int colour);
    ArrayResult PlotSurfaces(std::string_view vertices, std::string_view faces, RunScreen& screen, int width,
        bool onlyVisible, bool fill, bool centroidSeed);

    // Installs a store of its own under a name, with the given sizes; the old
    // array of that name (if any) goes. The store must hold at least the
    // product of the sizes.
    Node* Install(std::string_view name, std::vector<int> sizes, std::unique_ptr<DArray_Class> store);
    // The number of positions the sizes cover, -1 beyond what a store may hold.
    static int64_t Covered(const Node& node);
    // See the class comment: kept nodes stay valid while this is unchanged.
    uint64_t identity() const { return tableIdentity; }

    // Copies the element at the index list (count given; missing indexes count
    // as 0) into result. False when out of range or never set.
    static bool ReadElement(const Node& array, const int* indexes, int indexCount, Value& result)
    {
        if (!array.data) return false;
        if (indexCount < array.dimCount) return ReadPaddedElement(array, indexes, indexCount, result);
        return array.data->Get(FlatIndex(indexes, array.dimCount, array.dims.data()), result);
    }
    // The element access of a node already found, as GetElement and
    // SetElement do it by name. Reading gives false when out of range, without
    // a store or never set; writing stores the result ('i', 'f' or 's') with
    // the grow flag and gives 0 when out of range, without a store or refused.
    static bool ReadElement(const Node& array, const DArray<int>& indexes, Value& result)
    {
        int position = Position(array, indexes);
        return position >= 0 && array.data && array.data->Get(position, result);
    }
    // The text an element holds, in place, so that an assignment appends to
    // it without copying; null when out of range, never set or a number. An
    // index list shorter than the dimensions gives null too.
    static AnsiString* StoredText(const Node& array, const DArray<int>& indexes)
    {
        return array.data ? array.data->TextAt(Position(array, indexes)) : nullptr;
    }
    static AnsiString* StoredText(const Node& array, const int* indexes, int indexCount)
    {
        if (!array.data || indexCount < array.dimCount) return nullptr;
        return array.data->TextAt(FlatIndex(indexes, array.dimCount, array.dims.data()));
    }
    static int WriteElement(Node& array, const DArray<int>& indexes, const Value& value)
    {
        if (!array.data) return 0;
        int position = Position(array, indexes);
        return position < 0 ? 0 : array.data->Store(position, value, true);
    }

    int count = 0;
    Node* head = nullptr;
    Node* tail = nullptr;

private:
    // A new array of that name, with no dimensions, at the end of the list.
    Node* Append(std::string_view name);
    struct NameHash {
        using is_transparent = void;
        size_t operator()(std::string_view text) const { return std::hash<std::string_view> {}(text); }
    };
    // ReadElement with fewer indexes than dimensions.
    static bool ReadPaddedElement(const Node& array, const int* indexes, int indexCount, Value& result);
    static uint64_t NewIdentity();
    uint64_t tableIdentity = NewIdentity();
    std::unordered_map<AnsiString, Node*, NameHash, std::equal_to<>> index;
};
