#pragma once

#include "platform/Dialogs.h"

#include <memory>

class TInputForm;
class TMessageForm;

// The dialogs of a windowed run: the run-time message form, the input dialog,
// the plain input box, the colour dialog and the printer set-up. The two forms
// live as long as this object (the input history with them).
class QtDialogs : public platform::Dialogs {
public:
    QtDialogs();
    ~QtDialogs() override;

    int ShowMessageForm(const platform::MessageFormRequest& request) override;
    AnsiString AskInput(int x, int y, const AnsiString& prompt, const AnsiString& initial, int width) override;
    AnsiString InputBox(const AnsiString& caption, const AnsiString& prompt, const AnsiString& fallback) override;
    int PromptColor(int preset) override;
    void PrinterSetup() override;
    AnsiString chooseFile(const platform::FileDialogRequest& request) override;

    TMessageForm& MessageForm();
    TInputForm& InputForm();

private:
    std::unique_ptr<TMessageForm> messageForm;
    std::unique_ptr<TInputForm> inputForm;
};
