#include "interpreter/arrays/Array3D.h"
#include "interpreter/arrays/ArrayFourier.h"
#include "tests/unit/arrays/ArrayFixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <random>

using arraytest::Done;
using arraytest::Dump;
using arraytest::Make;

namespace {

constexpr double Pi = 3.14159265358979323846;

double At(const Arrays_Class& arrays, const char* name, int position)
{
    double value = std::nan("");
    const DArray_Class& store = *arrays.Find(name)->data;
    if (store.GetType(position) == Tag::Float) value = store.cells[position].f;
    return value;
}

// A signal of C columns in rows 0 and 1 of an R x C array.
void MakeSignal(
    Arrays_Class& arrays, int rows, int columns, const std::vector<double>& re, const std::vector<double>& im)
{
    std::vector<int> sizes { rows, columns };
    arrays.Define("s", 2, sizes.data());
    DArray_Class& store = *arrays.Find("s")->data;
    for (size_t k = 0; k < re.size(); ++k)
        store.SetFloat(static_cast<int>(k), re[k], false);
    for (size_t k = 0; k < im.size(); ++k)
        store.SetFloat(columns + static_cast<int>(k), im[k], false);
}

TEST(Fourier, BothTransformsMatchAPlainSum)
{
    std::mt19937 random(11);
    std::uniform_real_distribution<double> sample(-1, 1);
    for (const int columns : { 16, 64, 1024 })
        for (const auto transform : { Arrays_Class::Transform::Fast, Arrays_Class::Transform::Discrete }) {
            std::vector<double> re(static_cast<size_t>(columns)), im(static_cast<size_t>(columns));
            for (int k = 0; k < columns; ++k) {
                re[static_cast<size_t>(k)] = sample(random);
                im[static_cast<size_t>(k)] = sample(random);
            }
            Arrays_Class arrays;
            MakeSignal(arrays, 8, columns, re, im);
            int window = 0;
            ASSERT_EQ(arrays.FourierTransform("s", window, transform), Done);
            for (int j = 0; j <= columns / 2; ++j) {
                std::complex<long double> sum = 0;
                for (int k = 0; k < columns; ++k) {
                    const long double angle = -2.0L * 3.141592653589793238462643383279L * j * k / columns;
                    sum += std::complex<long double>(re[static_cast<size_t>(k)], im[static_cast<size_t>(k)])
                        * std::complex<long double>(std::cos(angle), std::sin(angle));
                }
                EXPECT_NEAR(At(arrays, "s", 4 * columns + j), static_cast<double>(sum.real()), 1e-9) << columns;
                EXPECT_NEAR(At(arrays, "s", 5 * columns + j), static_cast<double>(sum.imag()), 1e-9) << columns;
                EXPECT_NEAR(At(arrays, "s", 6 * columns + j), static_cast<double>(std::abs(sum)), 1e-9) << columns;
            }
            // Nothing past N/2 is written.
            EXPECT_TRUE(std::isnan(At(arrays, "s", 4 * columns + columns / 2 + 1)));
        }
}

TEST(Fourier, AmplitudesPowersAndPhases)
{
    Arrays_Class arrays;
    MakeSignal(arrays, 8, 16, std::vector<double>(16, 1.0), std::vector<double>(16, 0.0));
    int window = 0;
    ASSERT_EQ(arrays.FourierTransform("s", window, Arrays_Class::Transform::Fast), Done);
    EXPECT_NEAR(At(arrays, "s", 2 * 16), 1, 1e-12); // |X(0)| = 16, halved to 8, over 8
    EXPECT_NEAR(At(arrays, "s", 3 * 16), 2.0 * 8 * 8 / 8, 1e-12); // power from the halved magnitude
    EXPECT_NEAR(At(arrays, "s", 2 * 16 + 3), 0, 1e-12);
    EXPECT_EQ(At(arrays, "s", 7 * 16 + 3), 0); // no phase where there is nothing

    std::vector<double> cosine(16);
    for (int k = 0; k < 16; ++k)
        cosine[static_cast<size_t>(k)] = std::cos(2 * Pi * 4 * k / 16);
    MakeSignal(arrays, 8, 16, cosine, {});
    ASSERT_EQ(arrays.FourierTransform("s", window, Arrays_Class::Transform::Discrete), Done);
    EXPECT_NEAR(At(arrays, "s", 2 * 16 + 4), 1, 1e-12);
    EXPECT_NEAR(At(arrays, "s", 7 * 16 + 4), 0, 1e-12);
    EXPECT_NEAR(At(arrays, "s", 2 * 16 + 8), 0, 1e-12); // k = N/2, halved
}

TEST(Fourier, WindowsShapesAndOddSizes)
{
    EXPECT_NEAR(fourier::Window(1, 0, 16), 0.08, 1e-15);
    EXPECT_NEAR(fourier::Window(2, 15, 16), 0, 1e-15);
    EXPECT_NEAR(fourier::Window(5, 7, 15), 1, 1e-15);
    EXPECT_NEAR(fourier::Window(5, 8, 15), 2 - 16.0 / 14, 1e-15);

    Arrays_Class arrays;
    MakeSignal(arrays, 8, 16, std::vector<double>(16, 1.0), {});
    for (const auto& [given, used] : { std::pair { 9, 5 }, std::pair { -2, 0 }, std::pair { 3, 3 } }) {
        int window = given;
        EXPECT_EQ(arrays.FourierTransform("s", window, Arrays_Class::Transform::Fast), Done);
        EXPECT_EQ(window, used);
    }
    int window = 0;
    MakeSignal(arrays, 8, 15, {}, {});
    EXPECT_EQ(arrays.FourierTransform("s", window, Arrays_Class::Transform::Fast), ErrorCode::ArrayWrongDataType);
    MakeSignal(arrays, 7, 16, {}, {});
    EXPECT_EQ(arrays.FourierTransform("s", window, Arrays_Class::Transform::Fast), ErrorCode::ArrayWrongDimension);
    EXPECT_EQ(arrays.FourierTransform("none", window, Arrays_Class::Transform::Fast), ErrorCode::ArrayNotDefined);

    // 20 columns: the fast transform pads to 32 samples, reads rows 0 and 1
    // and writes row r at r * 20 + k for k up to 16.
    MakeSignal(arrays, 8, 20, std::vector<double>(20, 1.0), std::vector<double>(20, 0.0));
    ASSERT_EQ(arrays.FourierTransform("s", window, Arrays_Class::Transform::Fast), Done);
    EXPECT_NEAR(At(arrays, "s", 6 * 20), 20, 1e-12);
    EXPECT_FALSE(std::isnan(At(arrays, "s", 4 * 20 + 16)));
    EXPECT_TRUE(std::isnan(At(arrays, "s", 4 * 20 + 17)));
    EXPECT_EQ(At(arrays, "s", 1), 1); // the samples stay
}

// A unit cube: vertex rows x, y, z and two projection columns; faces wound
// so that their normals point outwards.
void MakeCube(Arrays_Class& arrays)
{
    std::vector<std::string> vertices;
    for (int k = 0; k < 8; ++k)
        for (const int value : { k & 1, (k >> 1) & 1, (k >> 2) & 1, 0, 0 })
            vertices.push_back("i:" + std::to_string(value));
    Make(arrays, "v", { 8, 5 }, vertices);
    const int corners[6][4]
        = { { 0, 2, 3, 1 }, { 4, 5, 7, 6 }, { 0, 1, 5, 4 }, { 2, 6, 7, 3 }, { 0, 4, 6, 2 }, { 1, 3, 7, 5 } };
    std::vector<std::string> faces;
    for (int f = 0; f < 6; ++f) {
        faces.push_back("i:" + std::to_string(f + 1));
        faces.push_back("i:0");
        for (const int corner : corners[f])
            faces.push_back("i:" + std::to_string(corner));
    }
    Make(arrays, "f", { 6, 6 }, faces);
}

TEST(Models, ProjectionAndRotation)
{
    Arrays_Class arrays;
    Make(arrays, "cam", { 6 }, { "i:10", "i:0", "i:0", "i:100", "i:400", "i:300" });
    double x = 0, y = 0;
    ASSERT_EQ(arrays.Project3DPoint("cam", 0, 1, 0, x, y), Done);
    EXPECT_NEAR(x, 410, 1e-9);
    EXPECT_NEAR(y, 300, 1e-9);
    ASSERT_EQ(arrays.Project3DPoint("cam", 0, 0, 1, x, y), Done);
    EXPECT_NEAR(x, 400, 1e-9);
    EXPECT_NEAR(y, 300, 1e-9);
    Make(arrays, "near", { 6 }, { "i:0", "i:0", "i:0", "i:1", "i:0", "i:0" });
    ASSERT_EQ(arrays.Project3DPoint("near", 0, 1e-8, 0, x, y), Done);
    EXPECT_NEAR(x, 1, 1e-9); // distance 0 stands for 1e-8
    Make(arrays, "bad", { 6 }, { "i:0", "s:x" });
    EXPECT_EQ(arrays.Project3DPoint("bad", 0, 0, 0, x, y), ErrorCode::ArrayWrongDataType);
    Make(arrays, "short", { 5 }, {});
    EXPECT_EQ(arrays.Project3DPoint("short", 0, 0, 0, x, y), ErrorCode::ArrayWrongDimension);

    Make(arrays, "p", { 2, 5 }, { "i:1", "i:0", "i:0", "-", "-", "s:x", "i:1", "i:1" });
    ASSERT_EQ(arrays.Project3DArray("p", "cam"), Done);
    EXPECT_EQ(Dump(arrays, "p"), "2x5: i:1 i:0 i:0 f:400 f:310 s:x i:1 i:1 - -");
    ASSERT_EQ(arrays.RotateVertices("p", Pi / 2, 7, 0, 0), Done);
    double point[3] = { 1, 0, 0 };
    model::Rotate(3, Pi / 2, point[0], point[1], point[2]);
    EXPECT_NEAR(At(arrays, "p", 0), point[0], 1e-15);
    EXPECT_NEAR(At(arrays, "p", 1), 1, 1e-15);
    EXPECT_EQ(At(arrays, "p", 2), 0);
    EXPECT_NE(Dump(arrays, "p").find("s:x i:1 i:1 - -"), std::string::npos); // row 1 not asked for
}

TEST(Models, VisibleFacesEdgesAndCentroidsOfACube)
{
    Arrays_Class arrays;
    MakeCube(arrays);
    // A camera in the +x +y +z direction sees the faces x = 1, y = 1, z = 1.
    Make(arrays, "cam", { 6 }, { "i:10", "f:0.6", "f:0.9", "i:200", "i:400", "i:300" });
    int palette[16] = {};
    for (int k = 0; k < 16; ++k)
        palette[k] = 0x010101 * (k * 16);
    ASSERT_EQ(arrays.Project3DArray("v", "cam"), Done);
    ASSERT_EQ(arrays.FindVisibleFaces("v", "cam", "f", "e", 0.5, palette), Done);
    std::string flags;
    for (int f = 0; f < 6; ++f)
        flags += arraytest::Element(*arrays.Find("f")->data, f * 6 + 1) + " ";
    EXPECT_EQ(flags, "i:0 i:1 i:0 i:1 i:0 i:1 ");
    // Three faces of four edges share three edges: nine edges, three counted twice.
    const Arrays_Class::Node* edges = arrays.Find("e");
    ASSERT_EQ(edges->dims, (std::vector<int> { 9, 5 }));
    int shared = 0;
    for (int e = 0; e < 9; ++e)
        shared += edges->data->cells[e * 5 + 2].i == 2;
    EXPECT_EQ(shared, 3);
    // Face 2's colour is palette entry 2 (0x202020), shaded by half.
    EXPECT_EQ(edges->data->cells[3].i, 0x101010);
    EXPECT_EQ(edges->data->cells[4].i, 0x202020);

    // Centroids of a 2 x 2 square on the screen and of a face without area.
    Make(arrays, "sq", { 4, 5 },
        { "i:0", "i:0", "i:0", "i:10", "i:10", "i:0", "i:0", "i:0", "i:12", "i:10", "i:0", "i:0", "i:0", "i:12", "i:12",
            "i:0", "i:0", "i:0", "i:10", "i:12" });
    Make(
        arrays, "sf", { 2, 6 }, { "i:1", "i:1", "i:0", "i:1", "i:2", "i:3", "i:1", "i:1", "i:0", "i:0", "i:1", "i:1" });
    ASSERT_EQ(arrays.ComputeCentroids("sq", "sf", "c"), Done);
    EXPECT_EQ(Dump(arrays, "c"),
        "2x5: f:11.3333333333333 f:10.6666666666667 f:11 f:11 f:2 f:10.6666666666667 f:10 "
        "f:10.6666666666667 f:10 f:0");
    EXPECT_EQ(arrays.ComputeCentroids("sq", "cam", "c"), ErrorCode::ArrayWrongDimension);
}

} // namespace
