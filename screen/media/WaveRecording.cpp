#include "screen/media/WaveRecording.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSource>
#include <QIODevice>
#include <QMediaDevices>

namespace {

WaveFormat WaveFormatOf(const QAudioFormat& audio)
{
    WaveFormat wave;
    wave.sampleRate = audio.sampleRate();
    wave.channels = audio.channelCount();
    wave.bitsPerSample = audio.bytesPerSample() * 8;
    wave.floatingPoint = audio.sampleFormat() == QAudioFormat::Float;
    return wave;
}

} // namespace

WaveRecording::WaveRecording() = default;

WaveRecording::~WaveRecording()
{
    Stop();
}

bool WaveRecording::Start()
{
    const QAudioDevice device = QMediaDevices::defaultAudioInput();
    if (device.isNull()) return false;
    QAudioFormat wanted;
    wanted.setSampleRate(22050);
    wanted.setChannelCount(1);
    wanted.setSampleFormat(QAudioFormat::Int16);
    // 8-bit wave samples are unsigned, Qt's UInt8 too: every format Qt has
    // maps onto a wave file.
    const QAudioFormat audio = device.isFormatSupported(wanted) ? wanted : device.preferredFormat();
    if (!audio.isValid()) return false;
    format = WaveFormatOf(audio);
    limit = static_cast<qsizetype>(audio.bytesForDuration(qint64(MaxSeconds) * 1000000));
    samples.clear();
    source = std::make_unique<QAudioSource>(device, audio);
    input = source->start();
    if (!input || source->error() != QAudio::NoError) {
        source.reset();
        input = nullptr;
        return false;
    }
    QObject::connect(input, &QIODevice::readyRead, [this] { TakeAvailable(); });
    active = true;
    return true;
}

void WaveRecording::TakeAvailable()
{
    if (!input) return;
    const QByteArray chunk = input->readAll();
    const qsizetype room = limit - samples.size();
    if (room > 0) samples.append(chunk.constData(), std::min(room, chunk.size()));
}

void WaveRecording::Stop()
{
    if (!source) return;
    TakeAvailable();
    source->stop();
    source.reset();
    input = nullptr;
    active = false;
}

bool WaveRecording::Save(const AnsiString& path) const
{
    return WaveFile::Write(path, format, std::string_view(samples.constData(), static_cast<size_t>(samples.size())));
}
