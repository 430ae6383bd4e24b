#include "devices/TunePlayer.h"
#include "devices/audio/AudioToneModule.h"
#include "tests/support/RunHarness.h"
#include "tests/unit/ports/PortsFixture.h"

#include <dlfcn.h>

#include <chrono>
#include <memory>

namespace {

std::string Steps(const std::string& music)
{
    std::vector<std::string> steps;
    for (const TuneStep& step : ParseTune(music)) {
        char text[64];
        if (step.frequency > 0)
            std::snprintf(text, sizeof text, "%g/%lld", step.frequency, static_cast<long long>(step.milliseconds));
        else
            std::snprintf(text, sizeof text, "rest/%lld", static_cast<long long>(step.milliseconds));
        steps.push_back(text);
    }
    return Joined(steps);
}

TEST(TunePlayer, ParsesMusicTexts)
{
    struct Case {
        const char* music;
        const char* steps;
    };
    const Case cases[] = {
        { "CDE", "523.25/125 587.33/125 659.26/125" },
        { "T2000 C4", "523.25/500" },
        { "T0 C", "523.25/0" },
        // The octave is limited to 6: A of octave 6 is index 81.
        { "S9 A", "3520/125" },
        { "S A", "880/125" },
        { "S0 C S6 B", "32.703/125 3951.1/125" },
        { "F#2", "739.99/500" },
        { "E# B#", "659.26/125 987.77/125" },
        { "P4 C", "rest/250 523.25/250" },
        { "c#d", "554.37/125 587.33/125" },
        { "C2 C0 C", "523.25/500 523.25/500 523.25/500" },
        // Digit runs saturate instead of wrapping.
        { "C99999999999999999999", "523.25/0" },
        { "T99999999999999999999 C1", "523.25/2147483647" },
        { "S2 G G#", "196/125 207.65/125" },
        { "S3 G G#", "391.99/125 415.31/125" },
        { "HIJ 12 !? S T", "" },
        { "", "" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(Steps(c.music), c.steps) << c.music;
}

TEST(TunePlayer, FrequencyTableKeepsItsTwoOddEntries)
{
    EXPECT_FLOAT_EQ(TuneFrequency(0), 32.703f);
    EXPECT_FLOAT_EQ(TuneFrequency(9), 55.0f);
    EXPECT_FLOAT_EQ(TuneFrequency(42), 369.99f);
    EXPECT_FLOAT_EQ(TuneFrequency(43), 391.99f);
    EXPECT_FLOAT_EQ(TuneFrequency(44), 415.31f);
    EXPECT_FLOAT_EQ(TuneFrequency(45), 440.0f);
    EXPECT_FLOAT_EQ(TuneFrequency(57), 880.0f);
    EXPECT_FLOAT_EQ(TuneFrequency(83), 3951.1f);
}

using ToneStatements = PortsTest;

TEST_F(ToneStatements, PlayTonesRestsAndTunes)
{
    const RunResult result = RunProgram("playsong \"CD\"\n"
                                        "sound 440, 200\n"
                                        "sound 0, 150\n"
                                        "sound 440, 500, 0\n"
                                        "sound 440.5, 99.9\n"
                                        "speaker 0\n"
                                        "sound 440, 200\n"
                                        "speaker 1\n"
                                        "sound -3, 20\n"
                                        "playsong\n");
    ASSERT_EQ(result.ended, 1) << result.output;
    EXPECT_EQ(Joined(tones),
        "523.25/125 587.33/125 440/200 rest/150 440/500~ 440.5/99 rest/200 rest/20 "
        "880/125 932.33/125 987.77/125 523.25/125 554.37/125 587.33/125 622.25/125 659.26/125 "
        "698.46/125 739.99/125 783.99/125 830.61/125");
}

TEST_F(ToneStatements, ArgumentErrors)
{
    struct Case {
        const char* program;
        int error;
    };
    const Case cases[] = {
        { "sound 440", 30 },
        { "sound \"a\", 10", 31 },
        { "sound 1, 2, 3, 4", 0 },
        { "playsong 5", 32 },
        { "speaker \"x\"", 31 },
    };
    for (const Case& c : cases) {
        const RunResult result = RunProgram(c.program);
        EXPECT_EQ(result.ended, 0) << c.program;
        EXPECT_EQ(result.errorNumber, c.error) << c.program;
    }
}

} // namespace

namespace {

using RobotColourStatements = PortsTest;

// rinvisible reads its colours like serout's neighbours read numbers, and the
// robot then passes through them.
TEST_F(RobotColourStatements, InvisibleColoursLetTheRobotPass)
{
    const std::string boxedIn = "rlocate 400, 300\nerectangle 340, 240, 460, 360, 3, 4\n";
    EXPECT_EQ(RunProgram(boxedIn + "rforward 100\n").errorNumber, 79);
    const RunResult passing = RunProgram(boxedIn + "rinvisible 4.7, 9\nrforward 100\nprint \"through\"\n");
    EXPECT_EQ(passing.output, "through\n");
    struct Case {
        const char* program;
        int error;
    };
    const Case cases[] = {
        { "rinvisible 1", 80 },
        { "rlocate 400, 300\nrinvisible", 30 },
        { "rlocate 400, 300\nrinvisible \"red\"", 31 },
        { "rlocate 400, 300\nrinvisible 1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16", 0 },
    };
    for (const Case& c : cases)
        EXPECT_EQ(RunProgram(c.program).errorNumber, c.error) << c.program;
}

} // namespace

// Tones come from a module loaded at run time: a missing entry point would
// silence every tone without a word, and a tone must last its time whether or
// not the machine has an audio output.
TEST(AudioModule, GivesATonePlayerThatLastsItsTime)
{
    void* module = dlopen(QV_AUDIO_MODULE, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(module, nullptr) << dlerror();
    const auto entry = reinterpret_cast<MakeAudioToneOutputEntry>(dlsym(module, audioModuleEntry));
    ASSERT_NE(entry, nullptr);
    std::unique_ptr<ToneOutput> output(entry(&Delays::WaitMs));
    const auto start = std::chrono::steady_clock::now();
    output->Play(440, 60, Delays::Pump::No, nullptr);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(55));
}
