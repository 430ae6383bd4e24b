#include "tests/unit/media/MediaFiles.h"

#include "screen/media/WaveFile.h"

#include "platform/Events.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>

#include <cmath>
#include <cstdio>

namespace {

bool MakeClip(const std::string& path, int width, int height)
{
    const QString tool = QStandardPaths::findExecutable("gst-launch-1.0");
    if (tool.isEmpty()) return false;
    QProcess process;
    process.start(tool,
        { "-q", "videotestsrc", "num-buffers=20", "!",
            QString("video/x-raw,width=%1,height=%2,framerate=10/1").arg(width).arg(height), "!", "jpegenc", "!",
            "avimux", "!", "filesink", QString("location=%1").arg(QString::fromStdString(path)) });
    const bool ok
        = process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    return ok;
}

} // namespace

AnsiString SineSamples(int frequency, int sampleRate, int milliseconds)
{
    AnsiString samples;
    const int count = sampleRate * milliseconds / 1000;
    for (int k = 0; k < count; ++k) {
        const auto value = static_cast<int16_t>(8000 * std::sin(2 * M_PI * frequency * k / sampleRate));
        samples.push_back(static_cast<char>(value & 0xFF));
        samples.push_back(static_cast<char>((value >> 8) & 0xFF));
    }
    return samples;
}

MediaFiles& MediaFiles::Get()
{
    static MediaFiles files;
    return files;
}

std::string MediaFiles::Path(const std::string& name) const
{
    return folder.filePath(QString::fromStdString(name)).toStdString();
}

MediaFiles::MediaFiles()
{
    tone = Path("tone.wav");
    WaveFormat format;
    format.sampleRate = 8000;
    WaveFile::Write(tone, format, SineSamples(440, 8000, 400));
    longTone = Path("long_tone.wav");
    WaveFile::Write(longTone, format, SineSamples(440, 8000, 5000));
    clip = Path("clip.avi");
    tinyClip = Path("tiny.avi");
    haveClips = MakeClip(clip, 64, 48) && MakeClip(tinyClip, 32, 16);
    garbage = Path("garbage.wav");
    if (FILE* file = std::fopen(garbage.c_str(), "wb")) {
        std::fputs("this is no sound at all, only some text that no decoder takes", file);
        std::fclose(file);
    }
    missing = Path("missing.wav");
}

bool WaitUntil(const std::function<bool()>& done, int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() >= ms) return done();
        platform::WaitForEvents(10);
    }
    return true;
}
