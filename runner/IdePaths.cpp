#include "runner/IdePaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <unistd.h>

namespace {
constexpr const char* settingsName = "Quorvatine.INI";
}

IdePaths IdePaths::ForExecutable(const AnsiString& executable)
{
    IdePaths paths;
    paths.executable = executable;
    const size_t slash = executable.find_last_of('/');
    paths.programFolder = slash == AnsiString::npos ? AnsiString("./") : executable.substr(0, slash + 1);
    paths.settingsFile = paths.programFolder + settingsName;
    if (::access(paths.programFolder.c_str(), W_OK) != 0) {
        const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
        if (!folder.isEmpty()) {
            QDir().mkpath(folder);
            paths.settingsFile = QFile::encodeName(folder).toStdString() + "/" + settingsName;
        }
    }
    return paths;
}

AnsiString IdePaths::RunningExecutable()
{
    char buffer[4096];
    const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n > 0) return AnsiString(buffer, static_cast<size_t>(n));
    return QFile::encodeName(QCoreApplication::applicationFilePath()).toStdString();
}
