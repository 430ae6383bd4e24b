#pragma once

#include "base/Values.h"
#include "devices/CommConfigRecord.h"

#include <QDialog>

class QComboBox;

// The dialog of a serial port's line settings: baud rate, data bits, parity,
// stop bits and flow control.
class TCommConfigForm : public QDialog {
public:
    TCommConfigForm(const LineProperties& line, const AnsiString& portName, QWidget* parent = nullptr);
    // The settings as the dialog shows them.
    LineProperties Line() const;

    QComboBox* baudBox;
    QComboBox* dataBitsBox;
    QComboBox* parityBox;
    QComboBox* stopBitsBox;
    QComboBox* flowBox;

private:
    LineProperties original;
};

// Makes the dialog what the serial component's ConfigDialog shows. A test
// can answer the dialog from `answer` (called once it is set up; its result
// replaces the user's).
void InstallCommConfigDialog();
using CommConfigAnswer = bool (*)(TCommConfigForm& form);
void SetCommConfigAnswerForTests(CommConfigAnswer answer);
