#include "screen/ScreenDialogs.h"

#include "platform/widgets/QtDialogs.h"

#include "platform/AnsiText.h"
#include "platform/gui/Colors.h"
#include "screen/InputForm.h"
#include "screen/MessageForm.h"
#include "screen/ScreenPrinter.h"

#include <QColorDialog>
#include <QInputDialog>
#include <QPageSetupDialog>
#include <QPrinter>

QtDialogs::QtDialogs() = default;
QtDialogs::~QtDialogs() = default;

TMessageForm& QtDialogs::MessageForm()
{
    if (!messageForm) messageForm = std::make_unique<TMessageForm>();
    return *messageForm;
}

TInputForm& QtDialogs::InputForm()
{
    if (!inputForm) inputForm = std::make_unique<TInputForm>();
    return *inputForm;
}

int QtDialogs::ShowMessageForm(const platform::MessageFormRequest& request)
{
    TMessageForm& form = MessageForm();
    form.Fill(request);
    form.exec();
    return form.result;
}

AnsiString QtDialogs::AskInput(int x, int y, const AnsiString& prompt, const AnsiString& initial, int width)
{
    return InputForm().AskInput(x, y, prompt, initial, width);
}

AnsiString QtDialogs::InputBox(const AnsiString& caption, const AnsiString& prompt, const AnsiString& fallback)
{
    bool ok = false;
    const QString text = QInputDialog::getText(nullptr, platform::toQString(caption), platform::toQString(prompt),
        QLineEdit::Normal, platform::toQString(fallback), &ok);
    return ok ? platform::fromQString(text) : fallback;
}

int QtDialogs::PromptColor(int preset)
{
    const QColor chosen = QColorDialog::getColor(platform::toQColor(preset));
    return chosen.isValid() ? platform::fromQColor(chosen) : preset;
}

void QtDialogs::PrinterSetup()
{
    QPrinter* printer = ScreenPrinter();
    if (!printer) return;
    QPageSetupDialog dialog(printer);
    dialog.exec();
}

AnsiString QtDialogs::chooseFile(const platform::FileDialogRequest& request)
{
    return platform::QtChooseFile(request);
}
