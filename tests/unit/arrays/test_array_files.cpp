#include "tests/unit/arrays/ArrayFixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

using arraytest::Done;
using arraytest::Dump;
using arraytest::Make;

namespace {

class ArrayFiles : public testing::Test {
protected:
    void SetUp() override
    {
        folder = std::filesystem::temp_directory_path() / ("qv_array_files_" + std::to_string(getpid()));
        std::filesystem::create_directories(folder);
        file = (folder / "a.qva").string();
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    std::string Read() const
    {
        std::ifstream in(file, std::ios::binary);
        std::stringstream bytes;
        bytes << in.rdbuf();
        return bytes.str();
    }
    void Write(const std::string& bytes) const
    {
        std::ofstream out(file, std::ios::binary);
        out << bytes;
    }

    std::filesystem::path folder;
    std::string file;
    Arrays_Class arrays;
};

TEST_F(ArrayFiles, WritesOneLinePerSetElement)
{
    Make(arrays, "a", { 2, 2 }, { "i:1", "f:2.5", "-", "s:ab" });
    ASSERT_EQ(arrays.WriteFile("a", file), Done);
    EXPECT_EQ(Read(),
        "2 2 2\r\n0 i 1\r\n1 f 2.500000\r\n3 s 3 \xFA"
        "ab\r\n");
    ASSERT_EQ(arrays.ReadFile("b", file), Done);
    EXPECT_EQ(Dump(arrays, "b"), "2x2: i:1 f:2.5 - s:ab");
}

TEST_F(ArrayFiles, NumbersIgnoreTheLocale)
{
    Make(arrays, "a", { 3 }, { "f:-0.1234567", "f:1e20", "i:-2147483648" });
    ASSERT_EQ(arrays.WriteFile("a", file), Done);
    EXPECT_EQ(Read(), "1 3\r\n0 f -0.123457\r\n1 f 100000000000000000000.000000\r\n2 i -2147483648\r\n");
}

TEST_F(ArrayFiles, TextsRoundTripWithTheirBytes)
{
    const std::string awkward = std::string("  lead\r\nline\0nul ", 17);
    Make(arrays, "a", { 3 }, { "s:" + awkward, "s:" + std::string(6000, 'x'), "s:" });
    ASSERT_EQ(arrays.WriteFile("a", file), Done);
    EXPECT_NE(Read().find("1 s 4998 \xFA"), std::string::npos);
    ASSERT_EQ(arrays.ReadFile("a", file), Done);
    const DArray_Class& store = *arrays.Find("a")->data;
    EXPECT_EQ(*store.cells[0].s, awkward);
    EXPECT_EQ(*store.cells[1].s, std::string(4997, 'x'));
    EXPECT_EQ(*store.cells[2].s, "");
}

TEST_F(ArrayFiles, ASizeOfZeroWritesTheHeaderAndReadsAsAFailure)
{
    Make(arrays, "a", { 0 }, {});
    ASSERT_EQ(arrays.WriteFile("a", file), Done);
    EXPECT_EQ(Read(), "1 0\r\n");
    EXPECT_EQ(arrays.ReadFile("b", file), ErrorCode::ArrayReadFailed);
    EXPECT_EQ(Dump(arrays, "b"), "0:");
    EXPECT_EQ(arrays.WriteFile("none", file), ErrorCode::ArrayNotDefined);
    EXPECT_EQ(arrays.WriteFile("a", (folder / "missing" / "x.qva").string()), ErrorCode::ArrayWriteFailed);
}

// A file, the result of reading it, and the array it leaves.
struct Fixture {
    const char* title;
    std::string bytes;
    ArrayResult status;
    std::string dump;
};

TEST_F(ArrayFiles, ReadingAcceptsOrRefusesFixtures)
{
    const Fixture fixtures[] = {
        { "LineFeedsOnly", "1 3\n0 i 7\n2 f -1.5\n", Done, "3: i:7 - f:-1.5" },
        { "HalfTheLines", "1 4\r\n0 i 1\r\n1 i 2\r\n", Done, "4: i:1 i:2 - -" },
        { "NoMark", "1 2\n1 s 3 abc\n", Done, "2: - s:abc" },
        { "LengthZero", "1 2\n0 i 5\n1 s 0 \xFA\n", ErrorCode::ArrayReadFailed, "2: i:5 -" },
        { "LengthPastTheLimit", "1 2\n0 s 4999 \xFAx\n", ErrorCode::ArrayReadFailed, "2: - -" },
        { "LengthPastTheEnd", "1 2\n0 s 9 \xFAx\n", ErrorCode::ArrayReadFailed, "2: - -" },
        { "BadLetter", "1 2\n0 i 5\n1 x 5\n", ErrorCode::ArrayReadFailed, "2: i:5 -" },
        { "PositionPastTheSizes", "1 2\n2 i 5\n", ErrorCode::ArrayReadFailed, "2: - -" },
        { "NegativePosition", "1 2\n-1 i 5\n", ErrorCode::ArrayReadFailed, "2: - -" },
        { "NotANumber", "1 2\n0 i five\n", ErrorCode::ArrayReadFailed, "2: - -" },
        { "IntegerOverflow", "1 2\n0 i 2147483648\n", ErrorCode::ArrayReadFailed, "2: - -" },
        { "HugeHeader", "2 100000 100000\n0 i 1\n", ErrorCode::ArrayReadFailed, "undefined" },
        { "NoDimensions", "0\n", ErrorCode::ArrayReadFailed, "undefined" },
        { "ShortHeader", "3 2 2", ErrorCode::ArrayReadFailed, "undefined" },
        { "Empty", "", ErrorCode::ArrayReadFailed, "undefined" },
    };
    for (const Fixture& f : fixtures) {
        Arrays_Class fresh;
        Write(f.bytes);
        EXPECT_EQ(fresh.ReadFile("a", file), f.status) << f.title;
        EXPECT_EQ(Dump(fresh, "a"), f.dump) << f.title;
    }
    Arrays_Class fresh;
    EXPECT_EQ(fresh.ReadFile("a", (folder / "none.qva").string()), ErrorCode::ArrayReadFailed);
}

TEST_F(ArrayFiles, OlderLayoutHasNoPositions)
{
    const Fixture fixtures[] = {
        { "AllKinds", "1 4\nf 2.5\ni -3\ns 4 a bc\n0 ignored\n", Done,
            "4: f:2.5 i:-3 s:a bc s:NoValue                       " },
        { "EndsEarly", "1 3\ni 1\ni 2\n", ErrorCode::ArrayReadFailed, "3: i:1 i:2 -" },
        { "NegativeLength", "1 1\ns -1 x\n", ErrorCode::ArrayReadFailed, "1: -" },
        { "LengthPastTheEnd", "1 1\ns 20 x\n", ErrorCode::ArrayReadFailed, "1: -" },
        { "EmptyText", "1 1\ns 0 \n", Done, "1: s:" },
    };
    for (const Fixture& f : fixtures) {
        Arrays_Class fresh;
        Write(f.bytes);
        EXPECT_EQ(fresh.ReadFileOld("a", file), f.status) << f.title;
        EXPECT_EQ(Dump(fresh, "a"), f.dump) << f.title;
    }
}

TEST_F(ArrayFiles, LinesFiles)
{
    Make(arrays, "a", { 5 }, { "i:1", "f:2.5", "s:three", "-", "i:5" });
    ASSERT_EQ(arrays.WriteTextLines("a", file), Done);
    EXPECT_EQ(Read(), "1\r\n2.5\r\nthree\r\n");
    ASSERT_EQ(arrays.ReadTextLines("b", file), Done);
    EXPECT_EQ(Dump(arrays, "b"), "3: s:1 s:2.5 s:three");
    Write("x\ny\r\n\nz");
    ASSERT_EQ(arrays.ReadTextLines("b", file), Done);
    EXPECT_EQ(Dump(arrays, "b"), "4: s:x s:y s: s:z");
    EXPECT_EQ(arrays.ReadTextLines("b", (folder / "none").string()), ErrorCode::ArrayReadFailed);
    Make(arrays, "m", { 2, 2 }, {});
    EXPECT_EQ(arrays.WriteTextLines("m", file), ErrorCode::ArrayWrongDimension);
    EXPECT_EQ(arrays.WriteTextLines("none", file), ErrorCode::ArrayNotDefined);
    EXPECT_EQ(arrays.WriteTextLines("a", (folder / "missing" / "x").string()), ErrorCode::ArrayWriteFailed);
}

TEST(ArrayTexts, JoinAndSplit)
{
    Arrays_Class arrays;
    Make(arrays, "a", { 4 }, { "i:1", "i:2", "i:3" });
    AnsiString text;
    ASSERT_EQ(arrays.ToText("a", text, ""), Done);
    EXPECT_EQ(text, "1\r\n2\r\n3");
    ASSERT_EQ(arrays.ToText("a", text, ", "), Done);
    EXPECT_EQ(text, "1, 2, 3");
    Make(arrays, "m", { 2, 2 }, {});
    EXPECT_EQ(arrays.ToText("m", text, ""), ErrorCode::ArrayWrongDimension);

    const struct {
        const char* text;
        const char* separator;
        const char* dump;
    } splits[] = {
        { "1,2.5,x", ",", "3: i:1 f:2.5 s:x" },
        { "7", ",", "1: i:7" },
        { "", ",", "1: s:" },
        { "a,,b,", ",", "4: s:a s: s:b s:" },
        { "-2147483648;2147483648;1e3;5.0", ";", "4: i:-2147483648 f:2147483648 f:1000 f:5" },
        { "1\r\n2", "\r\n", "2: i:1 i:2" },
        { "1 2", "", "1: s:1 2" },
        { "1<>2<>", "<>", "3: i:1 i:2 s:" },
    };
    for (const auto& split : splits) {
        ASSERT_EQ(arrays.FromString("s", split.text, split.separator), Done);
        EXPECT_EQ(Dump(arrays, "s"), split.dump) << split.text;
    }
}

} // namespace
