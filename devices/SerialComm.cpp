#include "devices/SerialComm.h"

#include "devices/ComPortMap.h"
#include "platform/Application.h"
#include "platform/Events.h"
#include "platform/Waits.h"

#include <QCoreApplication>
#include <QSerialPort>

#include <algorithm>
#include <chrono>
#include <cstdio>

namespace {

bool ApplyDataBits(QSerialPort& port, int byteSize)
{
    // Outside 4..8 the size is 8; a 4-bit word has no Linux counterpart and
    // the device refuses it.
    if (byteSize < 4 || byteSize > 8) byteSize = 8;
    if (byteSize == 4) return false;
    return port.setDataBits(static_cast<QSerialPort::DataBits>(byteSize));
}

QSerialPort::Parity ParityOf(TParity parity)
{
    switch (parity) {
    case TParity::pOdd:
        return QSerialPort::OddParity;
    case TParity::pEven:
        return QSerialPort::EvenParity;
    case TParity::pMark:
        return QSerialPort::MarkParity;
    case TParity::pSpace:
        return QSerialPort::SpaceParity;
    default:
        return QSerialPort::NoParity;
    }
}

// One and a half stop bits exist only with 5-bit words, where a UART sends
// 1.5 when asked for two; Linux has no other way to ask for them.
QSerialPort::StopBits StopBitsOf(TStopBits stopBits)
{
    return stopBits == TStopBits::sbOne ? QSerialPort::OneStop : QSerialPort::TwoStop;
}

QSerialPort::FlowControl FlowOf(TStreamProtocol protocol)
{
    switch (protocol) {
    case TStreamProtocol::spXonXoff:
        return QSerialPort::SoftwareControl;
    case TStreamProtocol::spHardware:
        return QSerialPort::HardwareControl;
    default:
        return QSerialPort::NoFlowControl;
    }
}

} // namespace

TqzComm::TqzComm()
{
    logPrefix = "qzComm: ";
}

TqzComm::~TqzComm()
{
    Close();
}

bool TqzComm::IsHandleValid() const
{
    return port != nullptr && port->isOpen();
}

void TqzComm::SetComPortNo(int number)
{
    if (number == comPortNo) return;
    const bool wasOpen = Active();
    if (wasOpen) Close();
    comPortNo = number;
    if (wasOpen) Open();
    DoNotify(PortNotify::DeviceChanged);
}

bool TqzComm::ApplySettings()
{
    if (!IsHandleValid()) return true;
    bool ok = port->setBaudRate(BaudRate) && ApplyDataBits(*port, ByteSize);
    ok = ok && port->setParity(ParityOf(Parity));
    ok = ok && port->setStopBits(StopBitsOf(StopBits));
    ok = ok && port->setFlowControl(FlowOf(StreamProtocol));
    return ok;
}

void TqzComm::Open()
{
    Close();
    received = 0;
    sent = 0;
    const AnsiString name = GetPortName();
    const std::string path = ComPortPath(comPortNo);
    AnsiString reason;
    if (path.empty()) {
        reason = "No serial port is known by that number.";
    } else {
        // The port reports on the application's event loop.
        platform::RequireApplication();
        port = std::make_unique<QSerialPort>();
        port->setPortName(QString::fromStdString(path));
        port->setReadBufferSize(std::max(1, BufferInSize));
        if (!port->open(QIODevice::ReadWrite)) {
            reason = port->errorString().toStdString();
        } else if (!ApplySettings()) {
            reason = "The device refused the line settings.";
        }
    }
    if (!reason.empty()) {
        if (port) port->close();
        port.reset();
        char text[512];
        std::snprintf(text, sizeof text, "Device \"%s\" Open Error !!!\r%s", name.c_str(), reason.c_str());
        DoFatalErrors(PortFatal::SerialOpen, 0, text);
        return;
    }
    handle = 0;
    QObject::connect(port.get(), &QSerialPort::readyRead, port.get(), [this] { Recount(); });
    QObject::connect(port.get(), &QSerialPort::errorOccurred, port.get(), [this](QSerialPort::SerialPortError error) {
        // A device that went away (a hang-up, an unplugged adapter) fails its
        // reads and writes and ends the port; a line the device lacks is no
        // failure.
        if (error == QSerialPort::ResourceError || error == QSerialPort::ReadError || error == QSerialPort::WriteError)
            DeviceFailed();
    });
    Logging(0, "The port " + name + " succesful opened");
    Recount();
    DoNotify(PortNotify::Opened);
}

void TqzComm::DeviceFailed()
{
    // Called from inside the port's own signal: the port object is released
    // once control is back in the event loop.
    const AnsiString message = "Device \"" + GetPortName() + "\" failed: " + port->errorString().toStdString();
    Halt(Release::Later);
    DoFatalErrors(PortFatal::SerialOpen, 0, message);
}

void TqzComm::Halt(Release release)
{
    if (!port) return;
    DoNotify(PortNotify::Halting);
    QSerialPort* closing = port.release();
    closing->disconnect();
    closing->close();
    if (release == Release::Later && QCoreApplication::instance())
        closing->deleteLater();
    else
        delete closing;
    waitingCount = 0;
    handle = -1;
}

void TqzComm::Close()
{
    if (!port) return;
    Halt(Release::Now);
    Logging(0, "The port succesful closed");
}

void TqzComm::Recount()
{
    waitingCount = IsHandleValid() ? static_cast<int>(port->bytesAvailable()) : 0;
}

void TqzComm::WaitSlice(int ms)
{
    if (ms < 1) ms = 1;
    if (QCoreApplication::instance())
        platform::WaitForEvents(ms);
    else if (port)
        port->waitForReadyRead(ms);
    if (port && port->isOpen() && port->bytesToWrite() > 0) port->flush();
    Recount();
}

void TqzComm::WriteBytes(const char* data, size_t length)
{
    const long long limit = std::max(1, BufferOutSize);
    while (length > 0 && IsHandleValid()) {
        const long long room = limit - port->bytesToWrite();
        if (room <= 0) {
            if (Stopped()) return;
            WaitSlice(1);
            continue;
        }
        const size_t chunk = std::min(length, static_cast<size_t>(room));
        const qint64 written = port->write(data, static_cast<qint64>(chunk));
        if (written <= 0) return;
        sent += written;
        data += written;
        length -= static_cast<size_t>(written);
        port->flush();
    }
}

void TqzComm::SendChar(uint8_t byte)
{
    if (!IsHandleValid()) return;
    const char c = static_cast<char>(byte);
    WriteBytes(&c, 1);
}

void TqzComm::SendString(const AnsiString& text)
{
    if (!IsHandleValid() || text.empty()) return;
    WriteBytes(text.data(), text.size());
}

int TqzComm::GetNotYetSend() const
{
    return IsHandleValid() ? static_cast<int>(port->bytesToWrite()) : 0;
}

int TqzComm::GetReadyForRead() const
{
    return IsHandleValid() ? static_cast<int>(port->bytesAvailable()) : 0;
}

AnsiString TqzComm::ReadString()
{
    if (!IsHandleValid()) return {};
    const QByteArray bytes = port->readAll();
    received += bytes.size();
    Recount();
    return AnsiString(bytes.constData(), static_cast<size_t>(bytes.size()));
}

AnsiString TqzComm::Read(int n)
{
    if (!IsHandleValid() || n <= 0 || port->bytesAvailable() < n) return {};
    const QByteArray bytes = port->read(n);
    received += bytes.size();
    Recount();
    return AnsiString(bytes.constData(), static_cast<size_t>(bytes.size()));
}

bool TqzComm::WaitForBytes(int n, int ms)
{
    const auto deadline = platform::DeadlineAfterMs(std::max(0, ms));
    const auto settled = [this, n] {
        if (port && port->isOpen() && port->bytesToWrite() > 0) port->flush();
        Recount();
        return !IsHandleValid() || port->bytesAvailable() >= n || Stopped();
    };
    if (QCoreApplication::instance()) {
        platform::WaitUntil(deadline, settled, { .slice = std::chrono::milliseconds(5) });
    } else {
        // Without an event loop the port reads only while it is waited on.
        while (!settled()) {
            const auto left = deadline - platform::WaitClock::now();
            if (left <= platform::WaitClock::duration::zero()) break;
            port->waitForReadyRead(
                static_cast<int>(std::min<int64_t>(std::chrono::ceil<std::chrono::milliseconds>(left).count(), 5)));
        }
    }
    return IsHandleValid() && port->bytesAvailable() >= n;
}

bool TqzComm::SetStateDTR(bool on)
{
    if (!IsHandleValid()) return false;
    const bool ok = port->setDataTerminalReady(on);
    if (!ok) port->clearError();
    return ok;
}

bool TqzComm::SetStateRTS(bool on)
{
    if (!IsHandleValid()) return false;
    const bool ok = port->setRequestToSend(on);
    if (!ok) port->clearError();
    return ok;
}

int TqzComm::GetStateModemSignals()
{
    if (!IsHandleValid()) return 0;
    const QSerialPort::PinoutSignals pins = port->pinoutSignals();
    if (port->error() != QSerialPort::NoError) {
        port->clearError();
        return 0;
    }
    int bits = 0;
    if (pins & QSerialPort::ClearToSendSignal) bits |= ModemSignal::CTS;
    if (pins & QSerialPort::DataSetReadySignal) bits |= ModemSignal::DSR;
    if (pins & QSerialPort::RingIndicatorSignal) bits |= ModemSignal::Ring;
    if (pins & QSerialPort::DataCarrierDetectSignal) bits |= ModemSignal::RLSD;
    return bits;
}

void TqzComm::ClearDeviceInput()
{
    if (!IsHandleValid()) return;
    port->clear(QSerialPort::Input);
    Recount();
}

void TqzComm::ClearDeviceOutput()
{
    if (IsHandleValid()) port->clear(QSerialPort::Output);
}

void TqzComm::ClearDeviceBuffers()
{
    if (!IsHandleValid()) return;
    port->clear(QSerialPort::AllDirections);
    Recount();
}

int TqzComm::GetDeviceIndex() const
{
    std::vector<DeviceListEntry> list;
    GetPortList(list);
    for (size_t k = 0; k < list.size(); ++k)
        if (list[k].number == comPortNo) return static_cast<int>(k);
    return -1;
}

void TqzComm::SetDeviceIndex(int index)
{
    std::vector<DeviceListEntry> list;
    GetPortList(list);
    if (index >= 0 && static_cast<size_t>(index) < list.size()) SetComPortNo(list[static_cast<size_t>(index)].number);
}

void TqzComm::GetDeviceList(std::vector<DeviceListEntry>& target) const
{
    GetPortList(target);
}
