#include "FunctionCases.h"

// ParseFunctionArgs on its own: the text after the function name, read by a
// signature into the argument slots.

namespace {

// Parses text (which starts with "(") with the given row; gives "n=COUNT" or
// "error N", and describes each slot as "type:int/float/text".
std::string Parse(const std::string& text, int minArgs, int maxArgs, int defaultArg, const char* signature,
    std::string* slots = nullptr)
{
    EngineHarness engine;
    engine.expression.trapFlag = 1;
    engine.variables.SetInt("v", 3);
    const int sizes[] = { 2, 3 };
    engine.arrays.Define("grid", 2, sizes);
    engine.arrays.Define("row", 1, sizes);
    Expression_Class& ex = engine.Attach(text + "\r\n");
    try {
        ex.NextToken();
        const int count = ex.ParseFunctionArgs(minArgs, maxArgs, defaultArg, signature, 200);
        if (slots) {
            slots->clear();
            for (int k = 0; k < maxArgs; ++k) {
                const char type = ex.argType[k] == 0 ? '0' : ex.argType[k];
                *slots += std::string(1, type) + ":" + std::to_string(ex.argInt[k]) + "/" + FloatToStr(ex.argFloat[k])
                    + "/" + ex.argText[k] + " ";
            }
        }
        return "n=" + std::to_string(count);
    } catch (const RunTimeError& error) {
        return "error " + std::to_string(error.number);
    }
}

} // namespace

TEST(SignatureArguments, SlotsDefaultsAndTypes)
{
    std::string slots;
    EXPECT_EQ(Parse("(2.5, 7, \"x\", 1.5)", 1, 5, -1, "nizzs", &slots), "n=4");
    EXPECT_EQ(slots, "f:2/2.5/ i:7/7/ s:-1/-1/x f:1/1.5/1.5 s:-1/-1/ ");

    EXPECT_EQ(Parse("(\"t\", , 3e10)", 1, 3, 0, "snn", &slots), "n=3");
    EXPECT_EQ(slots, "s:0/0/t 0:0/0/ f:2147483647/30000000000/ ");

    EXPECT_EQ(Parse("()", 0, 3, 1, "n0z", &slots), "n=0");
    EXPECT_EQ(slots, "n:1/1/ 0:1/1/ z:1/1/ ");

    EXPECT_EQ(Parse("(v, 4)", 1, 2, 0, "vn", &slots), "n=2");
    EXPECT_EQ(slots, "v:0/0/v i:4/4/ ");
}

TEST(SignatureArguments, Errors)
{
    const struct {
        const char* text;
        int minArgs;
        int maxArgs;
        const char* signature;
        const char* expected;
    } cases[] = {
        { "()", 1, 2, "sn", "error 30" },
        { "(, 2)", 1, 2, "sn", "error 30" },
        { "(\"a\")", 2, 2, "sn", "error 30" },
        { "(\"a\", \"b\")", 1, 2, "sn", "error 31" },
        { "(1)", 1, 2, "sn", "error 32" },
        { "(1, 2, 3)", 1, 2, "nn", "error 1" },
        { "(1 2)", 1, 2, "nn", "error 1" },
        { "(5)", 1, 1, "v", "error 52" },
        { "(5)", 1, 1, "a", "error 63" },
        { "(1)", 0, 0, "", "error 1" },
        { "(nothing)", 1, 1, "A", "error 72" },
        { "(row)", 1, 1, "2", "error 69" },
        { "(grid)", 1, 1, "1", "error 70" },
        { "(grid, row, nothing)", 3, 3, "2Aa", "n=3" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(Parse(c.text, c.minArgs, c.maxArgs, 0, c.signature), c.expected) << c.text;
}
