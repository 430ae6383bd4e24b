#include "devices/widgets/CommConfigForm.h"

#include "devices/CommConfigDialog.h"
#include "platform/AnsiText.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>

#include <atomic>

namespace {

constexpr int baudRates[]
    = { 110, 300, 600, 1200, 2400, 4800, 9600, 14400, 19200, 38400, 56000, 57600, 115200, 128000, 256000 };
constexpr const char* parityNames[] = { "None", "Odd", "Even", "Mark", "Space" };
constexpr const char* stopBitNames[] = { "1", "1.5", "2" };
constexpr const char* flowNames[] = { "None", "Xon / Xoff", "Hardware" };

std::atomic<CommConfigAnswer> testAnswer { nullptr };

QComboBox* Choices(QWidget* parent, std::initializer_list<const char*> names, int current)
{
    auto* box = new QComboBox(parent);
    for (const char* name : names)
        box->addItem(QString::fromLatin1(name));
    box->setCurrentIndex(current);
    return box;
}

bool EditLine(LineProperties& line, const AnsiString& portName)
{
    TCommConfigForm form(line, portName);
    const CommConfigAnswer answer = testAnswer;
    const bool accepted = answer ? answer(form) : form.exec() == QDialog::Accepted;
    if (accepted) line = form.Line();
    return accepted;
}

} // namespace

TCommConfigForm::TCommConfigForm(const LineProperties& line, const AnsiString& portName, QWidget* parent)
    : QDialog(parent)
    , original(line)
{
    setWindowTitle(platform::toQString(portName + " Properties"));
    auto* layout = new QFormLayout(this);
    baudBox = new QComboBox(this);
    // Any rate may be typed; the list offers the usual ones.
    baudBox->setEditable(true);
    for (const int rate : baudRates)
        baudBox->addItem(QString::number(rate));
    baudBox->setCurrentText(QString::number(line.BaudRate));
    dataBitsBox = Choices(this, { "4", "5", "6", "7", "8" }, std::clamp(line.ByteSize, 4, 8) - 4);
    parityBox = new QComboBox(this);
    for (const char* name : parityNames)
        parityBox->addItem(QString::fromLatin1(name));
    parityBox->setCurrentIndex(static_cast<int>(line.Parity));
    stopBitsBox = new QComboBox(this);
    for (const char* name : stopBitNames)
        stopBitsBox->addItem(QString::fromLatin1(name));
    stopBitsBox->setCurrentIndex(static_cast<int>(line.StopBits));
    flowBox = new QComboBox(this);
    for (const char* name : flowNames)
        flowBox->addItem(QString::fromLatin1(name));
    flowBox->setCurrentIndex(static_cast<int>(line.StreamProtocol));
    layout->addRow(tr("&Bits per second:"), baudBox);
    layout->addRow(tr("&Data bits:"), dataBitsBox);
    layout->addRow(tr("&Parity:"), parityBox);
    layout->addRow(tr("&Stop bits:"), stopBitsBox);
    layout->addRow(tr("&Flow control:"), flowBox);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addRow(buttons);
}

LineProperties TCommConfigForm::Line() const
{
    LineProperties line = original;
    bool ok = false;
    // A rate that is no positive number keeps the one the port had.
    const int rate = baudBox->currentText().trimmed().toInt(&ok);
    if (ok && rate > 0) line.BaudRate = rate;
    line.ByteSize = dataBitsBox->currentIndex() + 4;
    line.Parity = static_cast<TParity>(parityBox->currentIndex());
    line.StopBits = static_cast<TStopBits>(stopBitsBox->currentIndex());
    line.StreamProtocol = static_cast<TStreamProtocol>(flowBox->currentIndex());
    return line;
}

void InstallCommConfigDialog()
{
    SetCommConfigEditor(EditLine);
}

void SetCommConfigAnswerForTests(CommConfigAnswer answer)
{
    testAnswer = answer;
}
