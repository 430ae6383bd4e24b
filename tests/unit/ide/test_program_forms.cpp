#include "ide/TabRecords.h"
#include "interpreter/ProgramFiles.h"
#include "interpreter/ProtectedPrograms.h"
#include "runner/ExecutableImage.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <cstdio>
#include <fstream>
#include <sys/stat.h>

namespace {

std::string Write(const QTemporaryDir& dir, const std::string& name, const std::string& bytes)
{
    const std::string path = dir.path().toStdString() + "/" + name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

std::string Slurp(const std::string& path)
{
    AnsiString bytes;
    ProgramFiles::ReadBytes(path, bytes);
    return bytes;
}

} // namespace

TEST(ProtectedPrograms, GoldenBinaryFile)
{
    // A text whose body (with the end line) is a whole number of blocks gets
    // no padding, so the file is fully determined. The bytes were worked out
    // by hand from the block formula.
    const AnsiString exact = "print 1234\r\n\r\n";
    ASSERT_EQ((exact.size() + 22) % 12, 0u);
    const AnsiString bytes = ProtectedPrograms::BinaryFileBytes(exact, 7);
    const unsigned char golden[] = { 0x51, 0x55, 0x4F, 0x52, 0x56, 0x41, 0x54, 0x49, 0x4E, 0x45, 0x5F, 0x42, 0x49, 0x4E,
        0x41, 0x52, 0x59, 0x5F, 0x46, 0x49, 0x4C, 0x45, 0x6C, 0x71, 0x5A, 0xAE, 0xA2, 0xE2, 0xC4, 0x5A, 0x2D, 0xE1,
        0x96, 0x4B, 0xC0, 0xD4, 0x50, 0x05, 0x4C, 0x61, 0x65, 0x71, 0x05, 0x29, 0x99, 0xE4, 0x81, 0x5D, 0xF1, 0x00,
        0xCB, 0x8A, 0xEC, 0x19, 0xCD, 0x84, 0xDC, 0x89 };
    EXPECT_EQ(bytes, AnsiString(reinterpret_cast<const char*>(golden), sizeof golden));

    AnsiString back = bytes;
    ASSERT_TRUE(ProtectedPrograms::UnscrambleBinaryProgram(back));
    EXPECT_EQ(back, exact + "//---End of BinaryFile");
}

TEST(ProtectedPrograms, PaddingAndRoundTrip)
{
    for (const AnsiString& text :
        { AnsiString(), AnsiString("a"), AnsiString("print \"x\"\r\nend\r\n"), AnsiString(300, '\xE9') }) {
        const AnsiString body = ProtectedPrograms::MakeBody(text, 1234);
        EXPECT_EQ(body.size() % 12, 0u);
        const AnsiString padding = body.substr(text.size() + 22);
        EXPECT_LT(padding.size(), 12u);
        EXPECT_EQ(padding.find_first_not_of("012345678"), AnsiString::npos) << padding;
        AnsiString bytes = ProtectedPrograms::BinaryFileBytes(text, 99);
        EXPECT_EQ(bytes.size(), 22 + body.size());
        ASSERT_TRUE(ProtectedPrograms::UnscrambleBinaryProgram(bytes));
        EXPECT_EQ(bytes.substr(0, text.size() + 22), text + "//---End of BinaryFile");
    }
    // Another 22-character start is plain text, left alone.
    AnsiString plain = "QUORVATINE_BINARY_FILX and more";
    EXPECT_FALSE(ProtectedPrograms::UnscrambleBinaryProgram(plain));
    EXPECT_EQ(plain, "QUORVATINE_BINARY_FILX and more");
    // A body that is not a whole number of blocks is padded with spaces first.
    AnsiString odd = "12345";
    ProtectedPrograms::UnscrambleBlocks(odd);
    EXPECT_EQ(odd.size(), 12u);
}

TEST(ProtectedPrograms, IncludedBinaryFileRunsAsText)
{
    QTemporaryDir dir;
    const std::string path = Write(dir, "lib_.BAS", ProtectedPrograms::BinaryFileBytes("x = 5\r\n", 3));
    AnsiString text;
    bool binary = false;
    ASSERT_EQ(ProgramFiles::ReadProgram(path, text, binary), ProgramFiles::ReadResult::Ok);
    EXPECT_TRUE(binary);
    EXPECT_EQ(text.substr(0, 7 + 22), "x = 5\r\n//---End of BinaryFile");
}

TEST(ExecutableImage, SelfDetectionAndAppendedProgram)
{
    QTemporaryDir dir;
    const std::string plain = Write(dir, "tool", "ELF....no marker here");
    EXPECT_TRUE(ExecutableImage::IsIdeExecutable(plain));
    // The environment's own name is the IDE whatever the file holds.
    const std::string marker = ProtectedPrograms::CompiledProgramMarker();
    const std::string named = Write(dir, "Quorvatine.exe", "ELF" + marker + "xxxxxxxxxxxx");
    EXPECT_TRUE(ExecutableImage::IsIdeExecutable(named));
    // A marker at the first byte does not count.
    EXPECT_TRUE(ExecutableImage::IsIdeExecutable(Write(dir, "first", marker + "x")));
    EXPECT_FALSE(ExecutableImage::IsIdeExecutable(dir.path().toStdString() + "/missing"));

    const std::string source = Write(dir, "env", "ELFbody");
    const std::string target = dir.path().toStdString() + "/prog.Exe";
    chmod(source.c_str(), 0750);
    ASSERT_TRUE(ExecutableImage::CreateExecutable(source, target, "print 1\r\n", 5));
    struct stat info;
    ASSERT_EQ(stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0750u);
    const std::string made = Slurp(target);
    EXPECT_EQ(made.substr(0, 7), "ELFbody");
    EXPECT_EQ(made.substr(7, 22), marker);
    EXPECT_EQ((made.size() - 29) % 12, 0u);
    EXPECT_FALSE(ExecutableImage::IsIdeExecutable(target));
    AnsiString program;
    ASSERT_EQ(ExecutableImage::LoadAppendedProgram(target, program), ExecutableImage::AppendedResult::Found);
    EXPECT_EQ(program.substr(0, 9 + 22), "print 1\r\n//---End of BinaryFile");

    // An executable made from a made one carries one program only.
    const std::string again = dir.path().toStdString() + "/again.Exe";
    ASSERT_TRUE(ExecutableImage::CreateExecutable(target, again, "print 2\r\n", 5));
    const std::string second = Slurp(again);
    EXPECT_EQ(second.find(marker), 7u);
    EXPECT_EQ(second.find(marker, 8), std::string::npos);

    // A target that cannot be created leaves nothing behind.
    EXPECT_FALSE(ExecutableImage::CreateExecutable(source, dir.path().toStdString() + "/no/dir.Exe", "x", 1));
    EXPECT_EQ(ExecutableImage::LoadAppendedProgram(source, program), ExecutableImage::AppendedResult::NoMarker);

    // A pipe named as the target is refused at once (nobody reads it) and
    // stays a pipe.
    const std::string pipe = dir.path().toStdString() + "/pipe.Exe";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_FALSE(ExecutableImage::CreateExecutable(source, pipe, "x", 1));
    ASSERT_EQ(stat(pipe.c_str(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));
}

TEST(ExecutableImage, CopyFileBinary)
{
    QTemporaryDir dir;
    const std::string source = Write(dir, "a", std::string(10000, 'z'));
    const std::string target = dir.path().toStdString() + "/b";
    EXPECT_EQ(ExecutableImage::CopyFileBinary(source, target, 1), 10000);
    EXPECT_EQ(Slurp(target), std::string(10000, 'z'));
    EXPECT_EQ(ExecutableImage::CopyFileBinary(source, target, 0), -2); // exists, no overwrite
    EXPECT_EQ(ExecutableImage::CopyFileBinary(source + "x", target, 1), -1);
    EXPECT_EQ(ExecutableImage::FileAgeAsDateTime(source + "x"), -1);
    EXPECT_GT(ExecutableImage::FileAgeAsDateTime(source), 40000.0);
}

TEST(TabNames, NamesAndDerivedFileNames)
{
    EXPECT_EQ(TabNames::NewTabName({ "NoName.BAS" }, 1), "NoName1.BAS");
    EXPECT_EQ(TabNames::NewTabName({ "NoName.BAS", "NoName1.BAS" }, 2), "NoName2.BAS");
    // Tab 1 closed: the new tab 2 would repeat the name of the remaining tab.
    EXPECT_EQ(TabNames::NewTabName({ "NoName.BAS", "NoName2.BAS" }, 2), "NoName4.BAS");
    EXPECT_EQ(TabNames::BinaryFileName("/d/prog.BAS"), "/d/prog_.BAS");
    EXPECT_EQ(TabNames::BinaryFileName("/d.x/prog"), "/d.x/prog_");
    EXPECT_EQ(TabNames::ExecutableName("/d/prog.bas"), "/d/prog.Exe");
    EXPECT_EQ(TabNames::Caption("/d/prog.bas", true), "*prog.bas");
    EXPECT_TRUE(TabNames::IsUntitled("NoName3.BAS"));
    EXPECT_FALSE(TabNames::IsUntitled("/home/NoName3.BAS"));
}
