#include "devices/SmtpClient.h"
#include "interpreter/Durnix_class.h"
#include "interpreter/RunHooks.h"
#include "interpreter/RunScreen.h"
#include "interpreter/statements/StatementTable.h"
#include "support/FloatText.h"

// sendemail settings, body [, show]: one message over SMTP from two
// one-dimensional arrays; a failed connection is error 91, any later failure
// error 90.

namespace {

constexpr int SettingsCount = 8;
constexpr int DefaultPort = 25;

// Element k of a one-dimensional array as text; an element never set is "".
AnsiString ElementText(const Arrays_Class::Node& array, int k, bool* isInteger = nullptr, int* integer = nullptr)
{
    Value value;
    if (!Arrays_Class::ReadElement(array, &k, 1, value)) return "";
    if (isInteger) *isInteger = value.tag == Tag::Int;
    if (integer && value.tag == Tag::Int) *integer = value.i;
    if (value.tag == Tag::Int) return std::to_string(value.i);
    if (value.tag == Tag::Float) return FloatToStr(value.f);
    if (value.tag == Tag::String) return value.s;
    return "";
}

void SendEmail(Durnix_Class& d)
{
    d.SetParamDefaults(3, 1, 'i');
    d.paramType[0] = '1';
    d.paramType[1] = '1';
    int given = 0;
    d.ParseParamsWithNames(2, 3, given);
    const Arrays_Class::Node* settings = d.arrays.Find(d.paramText[0]);
    const Arrays_Class::Node* body = d.arrays.Find(d.paramText[1]);
    if (!settings || !body) d.RaiseError(ErrorCode::ArrayNotDefined);
    // An optional ninth element is the port of this message.
    const int count = d.arrays.DimSize(d.paramText[0], 0);
    if (count != SettingsCount && count != SettingsCount + 1) d.RaiseError(ErrorCode::ArrayWrongDimension);
    const bool show = d.paramInt[2] != 0;

    MailSettings mail;
    mail.user = MailText::SingleLine(ElementText(*settings, 0));
    mail.host = MailText::SingleLine(ElementText(*settings, 1));
    mail.from = MailText::SingleLine(ElementText(*settings, 2));
    mail.to = MailText::Lines(ElementText(*settings, 3));
    mail.cc = MailText::Lines(ElementText(*settings, 4));
    mail.bcc = MailText::Lines(ElementText(*settings, 5));
    mail.subject = MailText::SingleLine(ElementText(*settings, 6));
    mail.attachments = MailText::Lines(ElementText(*settings, 7));
    mail.port = DefaultPort;
    if (count > SettingsCount) {
        bool isInteger = false;
        int port = 0;
        ElementText(*settings, SettingsCount, &isInteger, &port);
        if (isInteger && port >= 1 && port <= 65535) mail.port = port;
    }
    const int lines = d.arrays.DimSize(d.paramText[1], 0);
    for (int k = 0; k < lines; ++k)
        mail.body.push_back(ElementText(*body, k));

    EmailWindow& window = RunHooks::Email();
    if (show) window.Show();
    const Smtp::Result result = Smtp::Send(mail, window, d.screen.stopped, d.mailReplyTimeoutMs);
    window.Close();
    if (result == Smtp::Result::ConnectFailed) d.RaiseError(ErrorCode::EmailHostUnreachable);
    if (result == Smtp::Result::SendFailed) d.RaiseError(ErrorCode::EmailNotSent);
}

const StatementEntry entries[] = {
    { StatementCode::Sendemail, SendEmail },
};

} // namespace

const StatementFamily mailStatements = { entries, static_cast<int>(std::size(entries)) };
