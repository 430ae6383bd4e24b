#include "devices/audio/AudioToneModule.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QCoreApplication>
#include <QIODevice>
#include <QMediaDevices>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <thread>

namespace {

// An endless square wave of 16-bit mono samples.
class SquareWave : public QIODevice {
public:
    SquareWave(double frequency, int sampleRate)
        : halfPeriod(sampleRate / (2.0 * frequency))
    { }

protected:
    qint64 readData(char* data, qint64 maxSize) override
    {
        const qint64 samples = maxSize / 2;
        for (qint64 k = 0; k < samples; ++k) {
            const int16_t value = static_cast<int64_t>(position / halfPeriod) % 2 == 0 ? 8000 : -8000;
            std::memcpy(data + 2 * k, &value, 2);
            position += 1.0;
        }
        return samples * 2;
    }
    qint64 writeData(const char*, qint64) override { return -1; }
    qint64 bytesAvailable() const override { return 4096 + QIODevice::bytesAvailable(); }

private:
    double halfPeriod;
    double position = 0;
};

class AudioToneOutput : public ToneOutput {
public:
    explicit AudioToneOutput(AudioToneWait waitMs)
        : wait(waitMs)
    { }

    void Play(double frequency, int64_t ms, Delays::Pump pump, const bool* stop) override
    {
        if (frequency <= 0 || !QCoreApplication::instance()) {
            wait(ms, pump, stop);
            return;
        }
        const QAudioDevice device = QMediaDevices::defaultAudioOutput();
        QAudioFormat format;
        format.setSampleRate(48000);
        format.setChannelCount(1);
        format.setSampleFormat(QAudioFormat::Int16);
        if (device.isNull() || !device.isFormatSupported(format) || frequency > format.sampleRate() / 2.0) {
            wait(ms, pump, stop);
            return;
        }
        SquareWave wave(frequency, format.sampleRate());
        wave.open(QIODevice::ReadOnly);
        QAudioSink sink(device, format);
        if (pump == Delays::Pump::Yes) {
            // The sink pulls its samples while the events are processed.
            sink.start(&wave);
            wait(ms, Delays::Pump::Yes, stop);
        } else {
            // No events: push the samples from here while the time runs.
            QIODevice* output = sink.start();
            const auto end = std::chrono::steady_clock::now()
                + std::chrono::milliseconds(std::min<int64_t>(ms, 1'000'000'000'000));
            QByteArray samples;
            for (;;) {
                const auto now = std::chrono::steady_clock::now();
                if (!output || now >= end || (stop && *stop)) break;
                const qsizetype room = sink.bytesFree() & ~qsizetype(1);
                if (room > 0) {
                    samples.resize(room);
                    const qint64 made = wave.read(samples.data(), room);
                    if (made > 0) output->write(samples.data(), made);
                }
                // The last sleep ends at the deadline, not up to a refill later.
                std::this_thread::sleep_for(
                    std::min<std::chrono::steady_clock::duration>(end - now, std::chrono::milliseconds(5)));
            }
        }
        sink.stop();
    }

private:
    AudioToneWait wait;
};

} // namespace

extern "C" __attribute__((visibility("default"))) ToneOutput* QvMakeAudioToneOutput(AudioToneWait wait)
{
    return new AudioToneOutput(wait);
}
