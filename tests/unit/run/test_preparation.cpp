#include "tests/support/RunHarness.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

// A scratch folder that becomes the current directory for one test.
class IncludeFolder : public testing::Test {
protected:
    void SetUp() override
    {
        previous = std::filesystem::current_path();
        folder = std::filesystem::temp_directory_path() / ("qv_include_" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
        std::filesystem::current_path(folder);
    }
    void TearDown() override
    {
        std::filesystem::current_path(previous);
        std::filesystem::remove_all(folder);
    }
    void Write(const char* name, const char* text) { std::ofstream(folder / name, std::ios::binary) << text; }

    std::filesystem::path previous;
    std::filesystem::path folder;
};

} // namespace

TEST_F(IncludeFolder, IncludedSubsAndLabelsAreFoundAndEachFileIsReadOnce)
{
    Write("lib.bas", "sub twice(n)\nreturn n * 2\nhello:\nprint \"hello\"\nreturn\n");
    RunResult result = RunProgram("#include \"LIB.BAS\", \"lib.bas\"\n#include \"Lib.Bas\"\ncall twice(21)\n"
                                  "print twice__Result\ngosub hello\n");
    EXPECT_EQ(result.output, "42\nhello\n");
    EXPECT_EQ(result.ended, 1);
}

TEST_F(IncludeFolder, ProgramRunningOffItsEndStopsAtTheIncludedText)
{
    Write("lib.bas", "print \"never\"\n");
    RunResult result = RunProgram("#include \"lib.bas\"\nprint \"main\"\n");
    EXPECT_EQ(result.output, "main\n");
    EXPECT_EQ(result.outcome, 0);
}

TEST_F(IncludeFolder, NestedIncludesExpandToo)
{
    Write("a.bas", "#include \"b.bas\"\nsub fa()\nreturn 1\n");
    Write("b.bas", "sub fb()\nreturn 2\n");
    RunResult result = RunProgram("#include \"a.bas\"\ncall fa()\ncall fb()\nprint fa__Result + fb__Result\n");
    EXPECT_EQ(result.output, "3\n");
}

TEST_F(IncludeFolder, MissingIncludeFailsBeforeTheFirstStatement)
{
    RunResult result = RunProgram("print \"first\"\n#include \"missing.bas\"\n");
    EXPECT_EQ(result.output, "");
    EXPECT_EQ(result.errorNumber, 85);
    EXPECT_EQ(result.outcome, 2);
}

TEST_F(IncludeFolder, IncludeNameMustBeText)
{
    RunResult result = RunProgram("#include 5\n");
    EXPECT_EQ(result.errorNumber, 32);
}

TEST(Preparation, EmptyProgramEnds)
{
    RunResult result = RunProgram("");
    EXPECT_EQ(result.ended, 1);
    EXPECT_EQ(result.outcome, 0);
}

TEST(Preparation, UnknownCharacterIsASyntaxError)
{
    RunResult result = RunProgram("print 1\n?\n");
    EXPECT_EQ(result.output, "1\n");
    EXPECT_EQ(result.errorNumber, 0);
    EXPECT_EQ(result.outcome, 2);
}
