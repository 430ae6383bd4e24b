#include "platform/ProcessStart.h"
#include "platform/AnsiText.h"
#include "platform/Events.h"

#include <QFile>
#include <QProcess>
#include <QStringList>

namespace platform {

namespace {
ChildOutput childOutput = ChildOutput::Discarded;
bool startAllowed = true;
} // namespace

void setProgramStartAllowed(bool allowed)
{
    startAllowed = allowed;
}

void setChildOutput(ChildOutput output)
{
    childOutput = output;
}

int64_t startProgram(const AnsiString& program, const AnsiString& parameters, StartMode mode, const bool& stopped)
{
    if (!startAllowed) return -1;
    // The process object outlives this call when the run stops while the child
    // still runs: deleting it would kill the child. It deletes itself once
    // the child has ended.
    auto* process = new QProcess;
    process->setProgram(QFile::decodeName(program.c_str()));
    process->setArguments(QProcess::splitCommand(toQString(parameters)));
    process->setStandardInputFile(QProcess::nullDevice());
    if (childOutput == ChildOutput::Discarded) {
        process->setStandardOutputFile(QProcess::nullDevice());
        process->setStandardErrorFile(QProcess::nullDevice());
    } else {
        process->setProcessChannelMode(QProcess::ForwardedChannels);
    }

    if (mode == StartMode::NoWait) {
        qint64 id = -1;
        const bool started = process->startDetached(&id);
        delete process;
        return started ? id : -1;
    }

    process->start(QIODevice::NotOpen);
    if (!process->waitForStarted(-1)) {
        delete process;
        return -1;
    }
    while (!process->waitForFinished(20)) {
        if (process->state() == QProcess::NotRunning) break;
        ProcessMessages();
        if (stopped) {
            QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
            return -1;
        }
    }
    const int64_t result = process->exitStatus() == QProcess::NormalExit ? process->exitCode() : -1;
    delete process;
    return result;
}

} // namespace platform
