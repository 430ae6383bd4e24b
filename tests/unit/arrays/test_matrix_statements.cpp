#include "tests/support/RecordingScreen.h"

#include "interpreter/Durnix_class.h"
#include "interpreter/ProgramFiles.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// The array statements and functions as programs see them, on a recording
// screen: what they print, draw and raise.

namespace {

struct Outcome {
    std::string printed;
    int error = 0; // 0 when the program ran to its end
    std::vector<std::string> lines; // the "line ..." calls
};

Outcome RunProgram(const std::string& program)
{
    RecordingScreen screen;
    Outcome outcome;
    {
        Durnix_Class run(screen);
        if (!run.Run(ProgramFiles::NormaliseLineEnds(program))) outcome.error = run.expression.lastErrorNumber;
    }
    outcome.printed = screen.printed;
    for (const std::string& call : screen.calls)
        if (call.rfind("line ", 0) == 0) outcome.lines.push_back(call);
    return outcome;
}

// The console pads a ";" separator to the next multiple of eight columns; the
// tables write it as a tab.
std::string ExpandTabs(const std::string& text)
{
    std::string out;
    size_t column = 0;
    for (const char c : text) {
        if (c == '\t') {
            do {
                out += ' ';
            } while (++column % 8 != 0);
            continue;
        }
        out += c;
        column = c == '\n' ? 0 : column + 1;
    }
    return out;
}

struct Case {
    const char* title;
    const char* program;
    const char* printed;
    int error = 0;
};

void PrintTo(const Case& c, std::ostream* os)
{
    *os << c.title;
}

class ArrayPrograms : public testing::TestWithParam<Case> { };

TEST_P(ArrayPrograms, PrintAndRaise)
{
    const Case& c = GetParam();
    const Outcome outcome = RunProgram(c.program);
    EXPECT_EQ(outcome.printed, ExpandTabs(c.printed));
    EXPECT_EQ(outcome.error, c.error);
}

INSTANTIATE_TEST_SUITE_P(Statements, ArrayPrograms,
    testing::Values(Case { "ConstantFillsTheSizes", "dim a[3]\nmconstant a, 1\nprint msum(a); mcount(a)\n", "3\t3\n" },
        Case { "ScaleByIntegerOrDouble",
            "dim a[2]\na[0] = 1\na[1] = 2\nmscale a, 2\nprint mtostring(a, \" \"); mtype(a[0])\nmscale a, 2.5\n"
            "print mtostring(a, \" \"); mtype(a[0])\n",
            "2 4\t105\n5 10\t102\n" },
        Case { "TransposeOfAVector", "dim v[3]\nmtranspose v, t\n", "", 69 },
        Case { "CopyAndAdd", "dim a[2]\na[0] = 5\na[1] = \"x\"\nmcopy a, b\nmadd a, b\nprint mtostring(b, \",\")\n",
            "10,xx\n" },
        Case { "AddOfDifferentShapes", "dim a[2]\ndim b[3]\nmadd a, b\n", "", 68 },
        Case { "RecordsByRow",
            "dim r[3, 2]\nr[0, 0] = \"name\"\nr[0, 1] = 5\nr[1, 0] = \"bob\"\nr[1, 1] = 7\nobjectget r, 1\nprint name\n"
            "name = \"al\"\nobjectput r, 2\nprint r[2, 0]; mtype(r[2, 1])\n",
            "bob\nal\t0\n" },
        Case { "RecordRowZero", "dim r[2, 2]\nobjectget r, 0\n", "", 62 },
        Case { "RecordRowPastTheEnd", "dim r[2, 2]\nrecordput r, 2\n", "", 62 },
        Case { "SplitAtLineEndsByDefault", "mfromstring s, \"a\" + crlf() + \"2\"\nprint maxdim(s, 1); mtype(s[1])\n",
            "2\t105\n" },
        Case { "SortDescending",
            "dim a[3]\na[0] = 3\na[1] = 1\na[2] = 2\nmsort a, 1, 1\nprint mtostring(a, \" \")\n"
            "msortr a\nprint mtostring(a, \" \")\n",
            "3 2 1\n1 2 3\n" },
        Case { "SortRowsByAColumn",
            "dim m[3, 2]\nm[0, 0] = 3\nm[1, 0] = 1\nm[2, 0] = 2\nm[0, 1] = \"c\"\nm[1, 1] = \"a\"\nm[2, 1] = \"b\"\n"
            "msortc m, 0\nprint m[0, 1]; m[1, 1]; m[2, 1]\n",
            "a\tb\tc\n" },
        Case { "DeterminantAndInverse",
            "dim m[2, 2]\nm[0, 0] = 4\nm[0, 1] = 7\nm[1, 0] = 2\nm[1, 1] = 6\nmdet m, d\nminvert m, r, e\n"
            "print d; e; r[0, 0]; r[1, 1]\n",
            "10\t10\t0.6\t0.4\n" },
        Case { "DeterminantOfAVector", "dim v[4]\nmdet v, d\n", "", 70 },
        Case { "ProductOfVectors", "dim a[2]\ndim b[2]\nmmultiply a, b, c\n", "", 70 },
        Case { "DiagonalNeedsAMatrix", "dim v[2]\nmdiagonal v, 1\n", "", 69 },
        Case { "Fits",
            "dim p[2, 3]\np[0, 0] = 1\np[0, 1] = 2\np[0, 2] = 3\np[1, 0] = 3\np[1, 1] = 5\np[1, 2] = 7\n"
            "mregression p, b, a\nprint b; a; corrcoef(p)\n",
            "2\t1\t1\n" },
        Case { "ExponentialFitOfZero",
            "dim p[2, 2]\np[0, 0] = 1\np[0, 1] = 2\np[1, 0] = 0\np[1, 1] = 1\nmexpfit p, b, a\n", "", 71 },
        Case { "PolynomialThroughALine",
            "dim p[2, 3]\np[0, 0] = 0\np[0, 1] = 1\np[0, 2] = 2\np[1, 0] = 1\np[1, 1] = 3\np[1, 2] = 5\n"
            "dim c[1]\nc[0] = \"x\"\nmpolyfit p, c\nprint round(c[0] * 1000); round(c[1] * 1000); maxdim(c, 1)\n",
            "1000\t2000\t2\n" },
        Case { "PolynomialOfSameXs",
            "dim p[2, 3]\np[1, 0] = 1\np[1, 1] = 3\np[1, 2] = 5\ndim c[1]\nc[0] = 1\nmpolyfit p, c\n"
            "print c[0]; c[1]\n",
            "0\t0\n" },
        Case { "PolynomialDegreeTooHigh", "dim p[2, 3]\ndim c[1]\nc[0] = 3\nmpolyfit p, c\n", "", 71 },
        Case { "PolynomialNeedsAVector", "dim p[2, 3]\ndim c[1, 1]\nmpolyfit p, c\n", "", 70 },
        Case { "TransformOfTooFewRows", "dim s[7, 16]\nmfft s\n", "", 70 },
        Case { "ProjectionIntoVariables",
            "ge3dto2dv 0, 1, 0, 10, 0, 0, 100, 400, 300, u, v\nprint u; v\n"
            "ge3dto2dv 0, 0, 0, 0, 0, 0, 1, 0, 0, u, v\nprint u; v\n",
            "410\t300\n0\t0\n" },
        Case { "RotationAboutZ", "gerotvz 1, 0, 0, 1.5707963267948966, a, b, c\nprint round(a * 1000); b; c\n",
            "0\t1\t0\n" },
        Case { "RotationNeedsVariables", "gerotvx 1, 0, 0, 1, 2, b, c\n", "", 52 },
        Case { "CameraPointIntoVariables",
            "dim cam[6]\ncam[0] = 10\ncam[1] = 0\ncam[2] = 0\ncam[3] = 100\ncam[4] = 400\ncam[5] = 300\n"
            "ge3dto2dva 0, 1, 0, cam, x, y\nprint x; y\n",
            "410\t300\n" }));

INSTANTIATE_TEST_SUITE_P(Functions, ArrayPrograms,
    testing::Values(Case { "WeightedStatistics",
                        "dim w[2, 3]\nw[0, 0] = 1\nw[0, 1] = 2\nw[0, 2] = 3\nw[1, 0] = 1\nw[1, 1] = 1\nw[1, 2] = 2\n"
                        "print average(w); sum(w); count(w); max(w); min(w); range(w)\n",
                        "2.25\t9\t4\t3\t1\t2\n" },
        Case { "SpreadAndMedian",
            "mfromstring v, \"2,4,4,4,5,5,7,9\", \",\"\nprint variance(v); stddev(v); median(v); mvariance(v); "
            "mstddev(v)\n",
            "4\t2\t4.5\t4\t2\n" },
        Case { "EveryElement",
            "dim m[2, 2]\nm[0, 0] = 1\nm[0, 1] = \"a\"\nm[1, 1] = 2.5\n"
            "print msum(m); maverage(m); mmin(m); mmax(m); mcount(m); mrange(m)\n",
            "3.5\t1.75\t1\t2.5\t2\t1.5\n" },
        Case {
            "Dimensions", "dim m[2, 5, 3]\nprint mdim(m); mdim(none); maxdim(m, 2); maxdim(m, 9)\n", "3\t0\t5\t3\n" },
        Case { "MaxdimOfASizeOfZero", "dim m[0]\nprint maxdim(m, 1)\n", "", 63 },
        Case { "JoinedTexts",
            "mfromstring v, \"1;b c;2.5\", \";\"\nprint mtostring(v) = \"1\" + crlf() + \"b c\" + crlf() + \"2.5\"; "
            "mtostring(v, 0); mtocommatext(v)\n",
            "1\t10b c02.5\t1,\"b c\",2.5\n" },
        Case { "UnsetElementHasNoType", "dim a[2]\nprint mtype(a[1])\n", "0\n" },
        Case { "TypeNeedsABracket", "dim a[2]\nprint mtype(a)\n", "", 64 },
        Case { "TypeNeedsIntegerIndexes", "dim a[2]\nprint mtype(a[0.5])\n", "", 65 },
        Case { "StatisticOfAnUndefinedArray", "print sum(x)\n", "", 72 },
        Case { "StatisticOfAValue", "print sum(5)\n", "", 63 },
        Case { "MedianOfAMatrix", "dim m[2, 2]\nprint median(m)\n", "", 70 },
        Case { "CorrelationOfAVector", "dim v[3]\nprint corrcoef(v)\n", "", 70 }));

TEST(PlotXY, DrawsScaledSegmentsAndWritesTheRangesBack)
{
    const char* points = "dim d[2, 3]\nd[0, 0] = 0\nd[0, 1] = 1\nd[0, 2] = 2\nd[1, 0] = 0\nd[1, 1] = 4\nd[1, 2] = 2\n";
    const std::vector<std::string> expected { "line 200,500,400,100,2,1", "line 400,100,600,300,2,1" };
    Outcome outcome
        = RunProgram(std::string("dim p[6]\nmconstant p, -1\n") + points + "mplotxy p, d\nprint mtostring(p, \" \")\n");
    EXPECT_EQ(outcome.lines, expected);
    EXPECT_EQ(outcome.printed, "-1 -1 -1 -1 -1 -1 0 2 0 4 200 -100\n");

    outcome = RunProgram("mfromstring xs, \"0,1,2\", \",\"\nmfromstring ys, \"0,4,2\", \",\"\ndim p[1]\n"
                         "mplotxy p, xs, ys\n");
    EXPECT_EQ(outcome.lines, expected);

    // Equal ys make no range, unless the parameters give one.
    outcome
        = RunProgram("mfromstring xs, \"0,10\", \",\"\nmfromstring ys, \"5,5\", \",\"\ndim p[2]\nmplotxy p, xs, ys\n");
    EXPECT_EQ(outcome.error, 71);
    outcome = RunProgram("mfromstring xs, \"0,10\", \",\"\nmfromstring ys, \"5,5\", \",\"\n"
                         "mfromstring p, \"-1,-1,-1,-1,-7,0,,,0,10\", \",\"\nmplotxy p, xs, ys\n");
    EXPECT_EQ(outcome.lines, (std::vector<std::string> { "line 200,300,600,300,0,1" }));

    // A reversed x range mirrors; one point draws nothing but writes back.
    outcome = RunProgram(std::string("mfromstring p, \"-1,-1,-1,-1,-1,-1,2,0\", \",\"\n") + points + "mplotxy p, d\n");
    EXPECT_EQ(outcome.lines.front(), "line 600,500,400,100,2,1");
    outcome = RunProgram("dim d[2, 1]\nmfromstring p, \"-1,-1,-1,-1,-1,-1,0,1,0,1\", \",\"\nmplotxy p, d\n"
                         "print maxdim(p, 1); p[10]\n");
    EXPECT_TRUE(outcome.lines.empty());
    EXPECT_EQ(outcome.printed, ExpandTabs("12\t400\n"));

    // A text among the data is plotted at 0, and with two operands takes
    // part in the range.
    outcome = RunProgram("dim d[2, 2]\nd[0, 0] = \"t\"\nd[0, 1] = 4\nd[1, 0] = 1\nd[1, 1] = 2\ndim p[1]\nmplotxy p, d\n"
                         "print p[6]\n");
    EXPECT_EQ(outcome.printed, "0\n");
}

TEST(PlotXY, ErrorsLeaveNoTrace)
{
    const struct {
        const char* program;
        int error;
    } cases[] = {
        { "dim p[1]\ndim d[3]\nmplotxy p, d\n", 69 },
        { "dim p[1]\ndim d[2, 2, 2]\nmplotxy p, d\n", 69 },
        { "dim p[1]\ndim xs[3]\ndim ys[4]\nmconstant xs, 1\nxs[1] = 2\nmconstant ys, 1\nys[1] = 2\nmplotxy p, xs, ys\n",
            71 },
        { "dim p[1]\ndim xs[2]\ndim ys[2, 1]\nmplotxy p, xs, ys\n", 70 },
        { "dim p[1]\ndim d[2, 0]\nmplotxy p, d\n", 71 },
        { "dim p[2, 2]\ndim d[2, 2]\nmplotxy p, d\n", 70 },
        { "dim p[1]\nmplotxy p\n", 30 },
    };
    for (const auto& c : cases) {
        const Outcome outcome = RunProgram(std::string(c.program) + "print maxdim(p, 1)\n");
        EXPECT_EQ(outcome.error, c.error) << c.program;
        EXPECT_TRUE(outcome.lines.empty()) << c.program;
    }
    // Nothing was appended to the parameters before the error.
    const Outcome outcome
        = RunProgram("dim p[1]\ndim xs[2]\ndim ys[3]\nonerror h\nmplotxy p, xs, ys\nend\nh:\nprint maxdim(p, 1)\n"
                     "end\n");
    EXPECT_EQ(outcome.printed, "1\n");
}

TEST(ModelStatements, EdgesAndSurfacesDrawThroughTheScreen)
{
    const char* cube
        = "dim v[3, 5]\nv[0, 3] = 10\nv[0, 4] = 10\nv[1, 3] = 30\nv[1, 4] = 10\nv[2, 3] = 10\nv[2, 4] = 30\n"
          "dim e[2, 4]\ne[0, 0] = 0\ne[0, 1] = 1\ne[0, 3] = 4\ne[1, 0] = 1\ne[1, 1] = 2\ne[1, 3] = 12\n";
    Outcome outcome = RunProgram(std::string(cube) + "geplotedges v, e, 3, -2\ngeplotedges v, e\n");
    EXPECT_EQ(outcome.lines,
        (std::vector<std::string> {
            "line 10,10,30,10,3,4", "line 30,10,10,30,3,12", "line 10,10,30,10,0,-1", "line 30,10,10,30,0,-1" }));
    outcome = RunProgram(std::string(cube)
        + "dim f[1, 5]\nf[0, 0] = 2\nf[0, 1] = 1\nf[0, 2] = 0\nf[0, 3] = 1\nf[0, 4] = 2\n"
          "geplotsurfaces v, f\n");
    EXPECT_EQ(outcome.lines,
        (std::vector<std::string> { "line 10,10,30,10,1,2", "line 30,10,10,30,1,2", "line 10,30,10,10,1,2" }));
}

} // namespace
