#include "tests/support/PtyPeer.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>

namespace {

// The real-robot link end to end: the headless runner runs a program with
// COM1 on a pseudo-terminal, and a scripted robot answers on its master.
struct RunnerResult {
    std::string output;
    std::string errors;
    int status = -1;
};

RunnerResult RunHeadless(const PtyPeer& peer, const std::string& program)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("robot.bas");
    std::ofstream(path.toStdString()) << program;
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QUORVATINE_COM1", QString::fromStdString(peer.SlavePath()));
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    process.setProcessEnvironment(environment);
    process.start(QV_IDE_EXECUTABLE, { "--headless", path });
    process.waitForFinished(60000);
    RunnerResult result;
    result.output = process.readAllStandardOutput().toStdString();
    result.errors = process.readAllStandardError().toStdString();
    result.status = process.exitCode();
    return result;
}

std::string Reply(int bumper, int feel, int line, int value)
{
    return std::string { static_cast<char>(bumper), static_cast<char>(feel), static_cast<char>(line),
        static_cast<char>(value >> 8), static_cast<char>(value & 0xFF) };
}

std::string Requests(PtyPeer& peer)
{
    std::string text;
    for (const std::string& request : peer.Requests())
        text += request + " ";
    return text;
}

TEST(RealRobot, CommandsRepliesAndQueries)
{
    PtyPeer peer;
    peer.ServeRobot({ Reply(0, 0, 0, 0), Reply(0, 0, 0, 0), Reply(1, 22, 3, 0), Reply(0, 0, 0, 0), Reply(0, 0, 0, 0),
        Reply(0, 5, 0, 300), Reply(0, 0, 0, 0), Reply(0, 0, 0, 0), Reply(65, 66, 67, 0x4445) });
    const RunnerResult result = RunHeadless(peer,
        "print rcommand(1, 2)\n"
        "rcommport 1\n"
        "rpen 1\n"
        "rlocate 100, 120\n"
        "rforward 300\n"
        "print rfeel()\n"
        "rturn 270\n"
        "rturn -190\n"
        "print rcompass()\n"
        "rspeed 300\n"
        "rcommport 0\n"
        "rforward 2\n"
        "rcommport 1\n"
        "rpen 0\n"
        "print rcommand(7, 8)\n");
    EXPECT_EQ(result.status, 0) << result.errors;
    EXPECT_EQ(result.output, "\n22\n300\nABCDE\n");
    EXPECT_EQ(Requests(peer), "129,1 3,100 6,44 13,90 12,170 24,0 36,44 129,0 7,8 ");
}

TEST(RealRobot, SilentRobotTimesOut)
{
    PtyPeer peer;
    peer.ServeRobot({});
    const RunnerResult result = RunHeadless(peer,
        "rcommport 1\nsettimeout 200\nrlocate 100, 100\n"
        "print rcompass(), \" \", rchargelevel(), \" [\", rcommand(1, 1), \"]\"\n"
        "rforward 10\nprint \"not here\"\n");
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.output, "-1 -1 []\n");
    EXPECT_NE(result.errors.find("Serial Communications Has Timed Out"), std::string::npos) << result.errors;
}

TEST(RealRobot, AShortReplyDoesNotShiftTheNextOne)
{
    PtyPeer peer;
    peer.ServeRobot({ Reply(0, 0, 0, 0), std::string("\x01\x02\x03", 3), Reply(0, 0, 0, 777) });
    const RunnerResult result
        = RunHeadless(peer, "rcommport 1\nsettimeout 300\nrlocate 100, 100\nprint rcompass()\nprint rcompass()\n");
    EXPECT_EQ(result.output, "-1\n777\n");
}

TEST(RealRobot, AnUnmappedPortIsError93)
{
    PtyPeer peer;
    const RunnerResult result = RunHeadless(peer, "rcommport 2\n");
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.errors.find("The Specified Comm Port Is not Valid"), std::string::npos) << result.errors;
}

} // namespace
