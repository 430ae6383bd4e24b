#include "devices/ToneOutput.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QCoreApplication>
#include <QIODevice>
#include <QMediaDevices>

#include <algorithm>
#include <cstring>

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
    void Play(double frequency, int64_t ms, Delays::Pump pump, const bool* stop) override
    {
        if (frequency <= 0 || !QCoreApplication::instance()) {
            Delays::WaitMs(ms, pump, stop);
            return;
        }
        const QAudioDevice device = QMediaDevices::defaultAudioOutput();
        QAudioFormat format;
        format.setSampleRate(48000);
        format.setChannelCount(1);
        format.setSampleFormat(QAudioFormat::Int16);
        if (device.isNull() || !device.isFormatSupported(format) || frequency > format.sampleRate() / 2.0) {
            Delays::WaitMs(ms, pump, stop);
            return;
        }
        SquareWave wave(frequency, format.sampleRate());
        wave.open(QIODevice::ReadOnly);
        QAudioSink sink(device, format);
        sink.start(&wave);
        // The sink pulls samples from the event loop: it needs events even when
        // the program asked for none.
        Delays::WaitMs(ms, Delays::Pump::Yes, stop);
        (void)pump;
        sink.stop();
    }
};

} // namespace

std::unique_ptr<ToneOutput> MakeAudioToneOutput()
{
    return std::make_unique<AudioToneOutput>();
}
