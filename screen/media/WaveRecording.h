#pragma once

#include "base/Values.h"
#include "screen/media/WaveFile.h"

#include <QByteArray>

#include <memory>

class QAudioSource;
class QIODevice;

// Wave audio from the default input, kept in memory until it is saved. The
// format is 16-bit mono at 22050 Hz when the device takes it, else the
// device's preferred one. At most MaxSeconds are kept: a recording left
// running does not eat the memory; what comes later is dropped.
class WaveRecording {
public:
    static constexpr int MaxSeconds = 600;

    WaveRecording();
    ~WaveRecording();
    WaveRecording(const WaveRecording&) = delete;
    WaveRecording& operator=(const WaveRecording&) = delete;

    // False when there is no input device or it cannot be started.
    bool Start();
    // Stops taking sound; what was kept stays.
    void Stop();
    bool Active() const { return active; }
    // Writes what was kept as a wave file; false when it cannot be written.
    bool Save(const AnsiString& path) const;

    const WaveFormat& Format() const { return format; }
    const QByteArray& Samples() const { return samples; }

private:
    void TakeAvailable();

    std::unique_ptr<QAudioSource> source;
    QIODevice* input = nullptr;
    WaveFormat format;
    QByteArray samples;
    qsizetype limit = 0;
    bool active = false;
};
