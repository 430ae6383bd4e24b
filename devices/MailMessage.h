#pragma once

#include "base/Values.h"

#include <ctime>
#include <vector>

// One e-mail as a program describes it, and its text on the wire.
struct MailSettings {
    AnsiString user; // the name given in EHLO/HELO; the host's name when empty
    AnsiString host;
    AnsiString from;
    std::vector<AnsiString> to;
    std::vector<AnsiString> cc;
    std::vector<AnsiString> bcc;
    AnsiString subject;
    std::vector<AnsiString> attachments; // file names
    std::vector<AnsiString> body; // lines
    int port = 25;
};

namespace MailText {

// A single-line setting: CR and LF removed.
AnsiString SingleLine(const AnsiString& text);
// A list setting: one entry per line, blank lines skipped.
std::vector<AnsiString> Lines(const AnsiString& text);

// The message as sent after DATA (headers, body, attachments as base64
// parts), CR LF line ends, dot-stuffed, without the final ".". False with
// `missing` set when an attachment cannot be read.
bool Compose(const MailSettings& mail, std::time_t now, AnsiString& message, AnsiString& missing);

AnsiString Base64(const AnsiString& bytes);
AnsiString QuotedPrintable(const AnsiString& text);

} // namespace MailText
