#include "devices/MailMessage.h"
#include "platform/RegularFiles.h"

#include <array>
#include <fstream>
#include <iterator>
#include <limits>
#include <optional>
#include <sstream>
#include <utility>

namespace MailText {
namespace {

constexpr size_t MaxPlainLine = 998;

bool IsAscii(const AnsiString& text)
{
    for (unsigned char c : text)
        if (c >= 128 || (c < 32 && c != '\t' && c != '\r' && c != '\n')) return false;
    return true;
}

AnsiString Join(const std::vector<AnsiString>& items, const char* separator)
{
    AnsiString out;
    for (size_t k = 0; k < items.size(); ++k) {
        if (k) out += separator;
        out += items[k];
    }
    return out;
}

// RFC 5322 date in English whatever the user's locale.
AnsiString DateHeader(std::time_t now)
{
    static constexpr const char* days[] = { "Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat" };
    static constexpr const char* months[]
        = { "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec" };
    std::tm utc {};
    gmtime_r(&now, &utc);
    char text[64];
    std::snprintf(text, sizeof text, "%s, %02d %s %04d %02d:%02d:%02d +0000", days[utc.tm_wday], utc.tm_mday,
        months[utc.tm_mon], utc.tm_year + 1900, utc.tm_hour, utc.tm_min, utc.tm_sec);
    return text;
}

// A header text with bytes beyond ASCII becomes one encoded word.
AnsiString HeaderText(const AnsiString& text)
{
    if (IsAscii(text)) return text;
    static constexpr char hex[] = "0123456789ABCDEF";
    AnsiString out = "=?windows-1252?Q?";
    for (unsigned char c : text) {
        if (c == ' ')
            out += '_';
        else if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))
            out += static_cast<char>(c);
        else {
            out += '=';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out + "?=";
}

AnsiString BodyText(const std::vector<AnsiString>& lines, AnsiString& encoding)
{
    AnsiString text = Join(lines, "\r\n");
    bool plain = IsAscii(text);
    for (const AnsiString& line : lines)
        plain = plain && line.size() <= MaxPlainLine;
    encoding = plain ? "7bit" : "quoted-printable";
    return plain ? text : QuotedPrintable(text);
}

AnsiString BaseName(const AnsiString& path)
{
    const size_t slash = path.find_last_of('/');
    return slash == AnsiString::npos ? path : path.substr(slash + 1);
}

// Lines that begin with "." get one more, so that none ends the data early.
AnsiString DotStuffed(const AnsiString& text)
{
    AnsiString out;
    out.reserve(text.size() + 16);
    bool lineStart = true;
    for (char c : text) {
        if (lineStart && c == '.') out += '.';
        out += c;
        lineStart = c == '\n';
    }
    return out;
}

} // namespace

AnsiString SingleLine(const AnsiString& text)
{
    AnsiString out;
    for (char c : text)
        if (c != '\r' && c != '\n') out += c;
    return out;
}

std::vector<AnsiString> Lines(const AnsiString& text)
{
    std::vector<AnsiString> lines;
    AnsiString line;
    for (size_t k = 0; k <= text.size(); ++k) {
        if (k == text.size() || text[k] == '\n' || text[k] == '\r') {
            if (!line.empty()) lines.push_back(line);
            line.clear();
        } else {
            line += text[k];
        }
    }
    return lines;
}

AnsiString Base64(const AnsiString& bytes)
{
    static constexpr char table[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    AnsiString out;
    out.reserve(bytes.size() * 4 / 3 + bytes.size() / 57 * 2 + 8);
    size_t lineLength = 0;
    for (size_t k = 0; k < bytes.size(); k += 3) {
        const unsigned b0 = static_cast<unsigned char>(bytes[k]);
        const unsigned b1 = k + 1 < bytes.size() ? static_cast<unsigned char>(bytes[k + 1]) : 0;
        const unsigned b2 = k + 2 < bytes.size() ? static_cast<unsigned char>(bytes[k + 2]) : 0;
        out += table[b0 >> 2];
        out += table[((b0 & 3) << 4) | (b1 >> 4)];
        out += k + 1 < bytes.size() ? table[((b1 & 15) << 2) | (b2 >> 6)] : '=';
        out += k + 2 < bytes.size() ? table[b2 & 63] : '=';
        lineLength += 4;
        if (lineLength == 76) {
            out += "\r\n";
            lineLength = 0;
        }
    }
    if (lineLength) out += "\r\n";
    return out;
}

AnsiString QuotedPrintable(const AnsiString& text)
{
    static constexpr char hex[] = "0123456789ABCDEF";
    AnsiString out;
    size_t column = 0;
    auto put = [&](const AnsiString& piece) {
        if (column + piece.size() > 75) {
            out += "=\r\n";
            column = 0;
        }
        out += piece;
        column += piece.size();
    };
    for (size_t k = 0; k < text.size(); ++k) {
        const unsigned char c = static_cast<unsigned char>(text[k]);
        if (c == '\r' && k + 1 < text.size() && text[k + 1] == '\n') {
            out += "\r\n";
            column = 0;
            ++k;
            continue;
        }
        const bool lineEndNext = k + 1 == text.size() || text[k + 1] == '\r';
        if ((c >= 33 && c <= 126 && c != '=') || ((c == ' ' || c == '\t') && !lineEndNext))
            put(AnsiString(1, static_cast<char>(c)));
        else
            put(AnsiString { '=', hex[c >> 4], hex[c & 15] });
    }
    return out;
}

bool Compose(const MailSettings& mail, std::time_t now, AnsiString& message, AnsiString& missing)
{
    std::vector<std::pair<AnsiString, AnsiString>> files;
    for (const AnsiString& path : mail.attachments) {
        // A pipe, socket or device is no attachment: it would block or never end.
        std::optional<AnsiString> bytes = platform::ReadRegularFile(path, std::numeric_limits<size_t>::max());
        if (!bytes) {
            missing = path;
            return false;
        }
        files.emplace_back(BaseName(path), std::move(*bytes));
    }
    AnsiString out;
    out += "Date: " + DateHeader(now) + "\r\n";
    out += "From: " + mail.from + "\r\n";
    out += "To: " + Join(mail.to, ", ") + "\r\n";
    if (!mail.cc.empty()) out += "Cc: " + Join(mail.cc, ", ") + "\r\n";
    out += "Subject: " + HeaderText(mail.subject) + "\r\n";
    out += "MIME-Version: 1.0\r\n";
    AnsiString encoding;
    const AnsiString body = BodyText(mail.body, encoding);
    const AnsiString textHeaders
        = "Content-Type: text/plain; charset=windows-1252\r\nContent-Transfer-Encoding: " + encoding + "\r\n";
    if (files.empty()) {
        out += textHeaders + "\r\n" + body + "\r\n";
    } else {
        const AnsiString boundary = "----=_QuorvatineMailPart_" + std::to_string(now);
        out += "Content-Type: multipart/mixed; boundary=\"" + boundary + "\"\r\n\r\n";
        out += "This is a multi-part message in MIME format.\r\n";
        out += "--" + boundary + "\r\n" + textHeaders + "\r\n" + body + "\r\n";
        for (const auto& [name, bytes] : files) {
            out += "--" + boundary + "\r\n";
            out += "Content-Type: application/octet-stream; name=\"" + name + "\"\r\n";
            out += "Content-Transfer-Encoding: base64\r\n";
            out += "Content-Disposition: attachment; filename=\"" + name + "\"\r\n\r\n";
            out += Base64(bytes);
        }
        out += "--" + boundary + "--\r\n";
    }
    message = DotStuffed(out);
    return true;
}

} // namespace MailText
