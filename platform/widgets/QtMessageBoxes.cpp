#include "platform/widgets/QtMessageBoxes.h"

#include "platform/AnsiText.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include <vector>

namespace platform {

namespace {

struct ButtonChoice {
    QMessageBox::StandardButton button;
    int answer;
};

// The buttons of each Windows button set, left to right; the default-button
// flag picks one of them by position.
const std::vector<ButtonChoice> buttonSets[6] = {
    { { QMessageBox::Ok, MessageAnswer::Ok } },
    { { QMessageBox::Ok, MessageAnswer::Ok }, { QMessageBox::Cancel, MessageAnswer::Cancel } },
    { { QMessageBox::Abort, MessageAnswer::Abort }, { QMessageBox::Retry, MessageAnswer::Retry },
        { QMessageBox::Ignore, MessageAnswer::Ignore } },
    { { QMessageBox::Yes, MessageAnswer::Yes }, { QMessageBox::No, MessageAnswer::No },
        { QMessageBox::Cancel, MessageAnswer::Cancel } },
    { { QMessageBox::Yes, MessageAnswer::Yes }, { QMessageBox::No, MessageAnswer::No } },
    { { QMessageBox::Retry, MessageAnswer::Retry }, { QMessageBox::Cancel, MessageAnswer::Cancel } },
};

struct IconChoice {
    int flag;
    QMessageBox::Icon icon;
};

const IconChoice icons[] = {
    { MessageFlags::IconError, QMessageBox::Critical },
    { MessageFlags::IconQuestion, QMessageBox::Question },
    { MessageFlags::IconWarning, QMessageBox::Warning },
    { MessageFlags::IconInformation, QMessageBox::Information },
};

QMessageBox::Icon iconOf(int flags)
{
    for (const IconChoice& choice : icons) {
        if ((flags & 0xF0) == choice.flag) return choice.icon;
    }
    return QMessageBox::NoIcon;
}

// Texts compose their lines with CR LF; the box wants plain line feeds.
QString boxText(const AnsiString& text)
{
    return toQString(text).replace(QLatin1String("\r\n"), QLatin1String("\n"));
}

} // namespace

int QtMessageBoxes::show(const AnsiString& text, const AnsiString& caption, int flags)
{
    int set = flags & 0x0F;
    if (set > 5) set = 0;
    const std::vector<ButtonChoice>& buttons = buttonSets[set];

    QMessageBox box(
        iconOf(flags), boxText(caption), boxText(text), QMessageBox::NoButton, QApplication::activeWindow());
    for (const ButtonChoice& choice : buttons)
        box.addButton(choice.button);
    // The default is the button whose answer a box without a user gives, so
    // both implementations agree.
    int answerByDefault = defaultAnswer(flags);
    for (const ButtonChoice& choice : buttons) {
        if (choice.answer == answerByDefault) box.setDefaultButton(choice.button);
    }

    QMessageBox::StandardButton chosen = static_cast<QMessageBox::StandardButton>(box.exec());
    for (const ButtonChoice& choice : buttons) {
        if (choice.button == chosen) return choice.answer;
    }
    // Closed without a button (Esc or the close box): the set's cancel answer
    // when it has one, otherwise its default.
    for (const ButtonChoice& choice : buttons) {
        if (choice.answer == MessageAnswer::Cancel) return choice.answer;
    }
    return defaultAnswer(flags);
}

} // namespace platform
