#include "tests/support/RecordingScreen.h"

#include "interpreter/Durnix_class.h"
#include "interpreter/ProgramFiles.h"
#include "platform/Dialogs.h"
#include "platform/MessageBoxes.h"
#include "support/FileNames.h"

#include <gtest/gtest.h>

#include <cfenv>
#include <dirent.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

// Files and processes seen from outside a run: descriptors left behind, names
// found without letter case, masks, dialogs answered by a script, programs
// found in the current folder.

namespace {

namespace fs = std::filesystem;

// Each test works in a new empty folder, which it leaves as the current one
// for the run and removes afterwards.
class FilesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        previous = fs::current_path();
        char pattern[] = "/tmp/quorvatine-files-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        folder = pattern;
        fs::current_path(folder);
        platform::setMessageBoxes(&boxes);
    }
    void TearDown() override
    {
        platform::setMessageBoxes(nullptr);
        platform::setDialogs(nullptr);
        fs::current_path(previous);
        fs::remove_all(folder);
    }

    // Runs program; returns what it printed.
    std::string Run(const std::string& program, int* errorNumber = nullptr)
    {
        RecordingScreen screen;
        {
            Durnix_Class run(screen);
            run.Run(ProgramFiles::NormaliseLineEnds(program));
            if (errorNumber) *errorNumber = run.expression.lastErrorNumber;
        }
        return screen.printed;
    }

    static int OpenDescriptors()
    {
        int count = 0;
        DIR* directory = ::opendir("/proc/self/fd");
        while (const dirent* entry = ::readdir(directory))
            count += entry->d_name[0] != '.';
        ::closedir(directory);
        return count;
    }

    fs::path previous;
    fs::path folder;
    platform::RecordingMessageBoxes boxes;
};

TEST_F(FilesTest, RunLeavesNoDescriptorBehindHoweverItEnds)
{
    const int before = OpenDescriptors();
    const char* endings[] = {
        "a = filecreate(\"a\")\nb = fileopen(\"a\", 2)\nend\n",
        "for k = 1 to 40\nh = filecreate(\"f\" + tostring(k))\nnext k\nx = undefined\n",
        "h = filecreate(\"a\")\nprint fileclose(h)\nh = filecreate(\"b\")\nterminate\n",
    };
    for (const char* program : endings) {
        Run(program);
        EXPECT_EQ(OpenDescriptors(), before) << program;
    }
}

TEST_F(FilesTest, OpenedDescriptorsAreNotInheritedByChildren)
{
    const std::string printed
        = Run("h = filecreate(\"x\")\n"
              "print spawn(\"sh\", \"-c \" + tobyte(34) + \"test -e /proc/self/fd/\" + tostring(h)"
              " + \" && exit 5 || exit 6\" + tobyte(34), 0)\n");
    EXPECT_EQ(printed, "6\n");
}

TEST_F(FilesTest, BareProgramNameIsFoundInTheCurrentFolderBeforePath)
{
    {
        std::ofstream script("true");
        script << "#!/bin/sh\nexit 4\n";
    }
    ::chmod("true", 0755);
    EXPECT_EQ(Run("print spawn(\"TRUE\", \"\", 0), spawn(\"./true\", \"\", 0)\n"), "44\n");
}

TEST_F(FilesTest, AmbiguousLetterCaseKeepsTheNameAsGiven)
{
    std::ofstream("Data.txt") << "upper";
    std::ofstream("data.TXT") << "lower";
    EXPECT_EQ(*FileNames::Resolve("DATA.txt"), "DATA.txt");
    EXPECT_EQ(*FileNames::Resolve("Data.txt"), "Data.txt");
    std::ofstream("only.Txt") << "x";
    EXPECT_EQ(*FileNames::Resolve("ONLY.txt"), "only.Txt");
    EXPECT_EQ(*FileNames::Resolve("\\tmp\\"), "/tmp/");
    EXPECT_FALSE(FileNames::Resolve("c:\\x").has_value());
}

TEST(FileMasks, WindowsWildcards)
{
    struct Case {
        const char* name;
        const char* masks;
        bool matches;
    } cases[] = {
        { "a.txt", "*.*", true },
        { "noext", "*.*", true },
        { "noext", "*.", true },
        { "a.txt", "*.", false },
        { "A.TXT", "*.txt", true },
        { "a.txt.bak", "*.txt", false },
        { "ab.c", "?.c", false },
        { "a.c", "?.c", true },
        { "readme", "read*.*", true },
        { "x.bmp", "*.txt; *.bmp", true },
        { "x.bmp", "", false },
        { "aaaaaaaaaaaaaaaaaaaaaaaaaaaaab", "*a*a*a*a*a*a*a*a*c", false },
    };
    for (const Case& c : cases)
        EXPECT_EQ(FileNames::MatchesMasks(c.name, c.masks), c.matches) << c.name << " / " << c.masks;
}

TEST_F(FilesTest, DialogsAreAskedThroughTheInstalledInterface)
{
    platform::ScriptedDialogs dialogs;
    dialogs.answers = { "/x/chosen.bas", "", "/pics/robot.bmp", "/some/folder" };
    platform::setDialogs(&dialogs);
    const std::string printed = Run("print fileprompt(\"start.pas|Pascal|*.pas;*.pp\"), \"/\", filesave(3), \"/\", "
                                    "promptbmp(\"r\"), \"/\", dirprompt(), \"/\", fileprompt()\n");
    EXPECT_EQ(printed,
        "/x/chosen.bas//"
        "/pics/robot//some/folder/\n");
    ASSERT_EQ(dialogs.requests.size(), 5u);
    const auto& open = dialogs.requests[0];
    EXPECT_EQ(open.kind, platform::FileDialogKind::Open);
    EXPECT_EQ(open.title, "Quorvatine--File Open");
    EXPECT_EQ(open.initialName, "start.pas");
    EXPECT_EQ(open.filter, "Pascal|*.pas;*.pp");
    const auto& save = dialogs.requests[1];
    EXPECT_EQ(save.kind, platform::FileDialogKind::Save);
    EXPECT_EQ(save.title, "Quorvatine--Save File");
    EXPECT_EQ(save.filterIndex, 3);
    EXPECT_EQ(save.initialName, "");
    EXPECT_EQ(dialogs.requests[2].initialName, "r.Bmp");
    EXPECT_EQ(dialogs.requests[2].title, "Quorvatine--Open Picture");
    EXPECT_EQ(dialogs.requests[3].kind, platform::FileDialogKind::Folder);
    EXPECT_EQ(dialogs.requests[3].title, "Quorvatine--Select Folder");
    EXPECT_EQ(dialogs.requests[3].initialName, FileNames::CurrentFolder());
    EXPECT_EQ(dialogs.requests[4].filterIndex, 1);
    EXPECT_EQ(dialogs.requests[4].filter, "Durnix (*.BAS)|*.BAS|Text Files (*.TXT)|*.TXT|All Files (*.*)|*.*");
    EXPECT_EQ(fs::current_path(), folder);
}

// A real dialog runs widget code that may leave floating-point conditions
// raised; the call must still give the chosen name, not its catch result.
class DialogsRaisingConditions : public platform::ScriptedDialogs {
public:
    AnsiString chooseFile(const platform::FileDialogRequest& request) override
    {
        std::feraiseexcept(FE_INVALID | FE_DIVBYZERO);
        return ScriptedDialogs::chooseFile(request);
    }
};

TEST_F(FilesTest, ConditionsRaisedByTheDialogAreNotTheFunctionsFailure)
{
    DialogsRaisingConditions dialogs;
    dialogs.answers = { "/x/a.txt" };
    platform::setDialogs(&dialogs);
    EXPECT_EQ(Run("print fileprompt()\n"), "/x/a.txt\n");
}

TEST(FileDialogFilters, WindowsFiltersBecomeQtNameFilters)
{
    const auto filters = platform::QtNameFilters("Text|*.txt;*.TXT|All Files (*.*)|*.*");
    ASSERT_EQ(filters.size(), 2u);
    EXPECT_EQ(filters[0], "Text (*.txt *.TXT)");
    EXPECT_EQ(filters[1], "All Files (*.*) (*.*)");
    EXPECT_TRUE(platform::QtNameFilters("").empty());
}

} // namespace
