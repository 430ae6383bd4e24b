#pragma once

#include "base/Values.h"

#include <vector>

// Every message box of the system goes through this one interface, so that a
// windowed run shows real boxes, the headless runner prints them and tests
// record and answer them.
namespace platform {

// Button sets, icons and default buttons use the Windows message-box flag
// values, as BASIC programs pass them (mb_ok, mb_error, mb_button2 ...).
namespace MessageFlags {
constexpr int Ok = 0;
constexpr int OkCancel = 1;
constexpr int AbortRetryIgnore = 2;
constexpr int YesNoCancel = 3;
constexpr int YesNo = 4;
constexpr int RetryCancel = 5;
constexpr int IconError = 16;
constexpr int IconQuestion = 32;
constexpr int IconWarning = 48;
constexpr int IconInformation = 64;
constexpr int DefaultButton2 = 256;
constexpr int DefaultButton3 = 512;
} // namespace MessageFlags

// The answers, with the Windows values.
namespace MessageAnswer {
constexpr int Ok = 1;
constexpr int Cancel = 2;
constexpr int Abort = 3;
constexpr int Retry = 4;
constexpr int Ignore = 5;
constexpr int Yes = 6;
constexpr int No = 7;
} // namespace MessageAnswer

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // Shows text under caption and returns the button chosen.
    virtual int show(const AnsiString& text, const AnsiString& caption, int flags) = 0;
};

// The answer a box gives when nobody is there to press a button: its default.
int defaultAnswer(int flags);

// The boxes in use; a headless implementation until a GUI installs its own.
MessageBoxes& messageBoxes();
void setMessageBoxes(MessageBoxes* boxes);

// Writes "CAPTION: TEXT" to standard error and answers with the default button.
class HeadlessMessageBoxes : public MessageBoxes {
public:
    int show(const AnsiString& text, const AnsiString& caption, int flags) override;
};

// Keeps every box for a test to inspect and answers with the default button, or
// with the answers queued in `answers` (first to last).
class RecordingMessageBoxes : public MessageBoxes {
public:
    struct Shown {
        AnsiString text;
        AnsiString caption;
        int flags;
    };
    std::vector<Shown> shown;
    std::vector<int> answers;
    int show(const AnsiString& text, const AnsiString& caption, int flags) override;
};

} // namespace platform
