#include "devices/network/NetworkModule.h"

#include "platform/Events.h"

#include <QDeadlineTimer>
#include <QHostInfo>
#include <QTcpSocket>

#include <ctime>
#include <functional>

namespace Smtp {
namespace {

constexpr qint64 BlockSize = 4096;
// Replies are a few hundred bytes; a server that sends more without a line
// end is not speaking SMTP.
constexpr qsizetype MaxReplyBytes = 1 << 20;

class Session {
public:
    Session(MailObserver& o, const bool& s, int timeout)
        : observer(o)
        , stopped(s)
        , timeoutMs(timeout)
    { }

    bool WaitUntil(const std::function<bool()>& done)
    {
        QDeadlineTimer deadline(timeoutMs);
        while (!done()) {
            if (deadline.hasExpired() || stopped || observer.Abandoned()) return false;
            // The run's pump: the socket's events, and the idle work the run set.
            platform::ProcessMessages();
        }
        return true;
    }

    // The code of the next complete reply (its last line has a space after
    // the code), 0 on a time-out or a drop.
    int Reply()
    {
        for (;;) {
            const int code = TakeReply(pending);
            if (code != NoReply) return code;
            if (pending.size() > MaxReplyBytes) return 0; // no server sends lines this long
            if (socket.state() != QAbstractSocket::ConnectedState && socket.bytesAvailable() == 0) return 0;
            if (!WaitUntil(
                    [&] { return socket.bytesAvailable() > 0 || socket.state() != QAbstractSocket::ConnectedState; }))
                return 0;
            pending += socket.readAll();
        }
    }

    int Command(const AnsiString& line)
    {
        socket.write(QByteArray::fromStdString(line + "\r\n"));
        return Reply();
    }

    // Writes the data in blocks, reporting progress as each block leaves.
    bool WriteData(const AnsiString& data)
    {
        const int64_t total = static_cast<int64_t>(data.size());
        int64_t sent = 0;
        while (sent < total) {
            const qint64 n = std::min<qint64>(BlockSize, total - sent);
            socket.write(data.data() + sent, n);
            if (!WaitUntil(
                    [&] { return socket.bytesToWrite() == 0 || socket.state() != QAbstractSocket::ConnectedState; }))
                return false;
            if (socket.state() != QAbstractSocket::ConnectedState) return false;
            sent += n;
            observer.Progress(sent, total);
        }
        return true;
    }

    MailObserver& observer;
    const bool& stopped;
    int timeoutMs;
    QTcpSocket socket;
    QByteArray pending;
};

bool Positive(int code)
{
    return code >= 200 && code < 400;
}

} // namespace

namespace {

Result Deliver(Session& session, const MailSettings& mail)
{
    MailObserver& observer = session.observer;

    // Lookup.
    QHostAddress address;
    if (!address.setAddress(QString::fromLatin1(mail.host.c_str()))) {
        bool done = false;
        QHostInfo found;
        const int id = QHostInfo::lookupHost(QString::fromLatin1(mail.host.c_str()), [&](const QHostInfo& info) {
            found = info;
            done = true;
        });
        if (!session.WaitUntil([&] { return done; })) QHostInfo::abortHostLookup(id);
        for (const QHostAddress& candidate : found.addresses())
            if (candidate.protocol() == QAbstractSocket::IPv4Protocol && address.isNull()) address = candidate;
        if (address.isNull() && !found.addresses().isEmpty()) address = found.addresses().front();
    }
    if (address.isNull()) {
        observer.Status("Server Is Not Found");
        return Result::ConnectFailed;
    }
    observer.Status("Server Has Been Found");

    // Connection and greeting.
    session.socket.connectToHost(address, static_cast<quint16>(mail.port));
    if (!session.WaitUntil([&] {
            return session.socket.state() == QAbstractSocket::ConnectedState
                || session.socket.state() == QAbstractSocket::UnconnectedState;
        })
        || session.socket.state() != QAbstractSocket::ConnectedState) {
        observer.Status("Connection Failed");
        session.socket.abort();
        return Result::ConnectFailed;
    }
    observer.Status("Connected To Server");
    if (session.Reply() != 220) {
        observer.Status("Connection Failed");
        session.socket.abort();
        return Result::ConnectFailed;
    }

    auto fail = [&](const char* status) {
        observer.Status(status);
        session.socket.abort();
        return Result::SendFailed;
    };
    auto failFor
        = [&](int code) { return fail(code == 530 || code == 535 ? "Authentecation Failed" : "Email Failed"); };

    if (mail.from.empty() || (mail.to.empty() && mail.cc.empty() && mail.bcc.empty()))
        return fail("Header Data Is Bad");
    AnsiString message;
    AnsiString missing;
    if (!MailText::Compose(mail, std::time(nullptr), message, missing))
        return fail(("Attatchment:" + missing + " NotFound").c_str());

    const AnsiString me = mail.user.empty() ? QHostInfo::localHostName().toStdString() : mail.user;
    int code = session.Command("EHLO " + me);
    if (!Positive(code)) code = session.Command("HELO " + me);
    if (!Positive(code)) return failFor(code);
    code = session.Command("MAIL FROM:<" + mail.from + ">");
    if (!Positive(code)) return failFor(code);
    for (const auto* list : { &mail.to, &mail.cc, &mail.bcc }) {
        for (const AnsiString& recipient : *list) {
            code = session.Command("RCPT TO:<" + recipient + ">");
            if (!Positive(code)) return failFor(code);
        }
    }
    code = session.Command("DATA");
    if (code != 354) return failFor(code);
    observer.Status("Sending Email");
    if (!session.WriteData(message)) return fail("Email Failed");
    code = session.Command(".");
    if (code != 250) return failFor(code);
    observer.Status("Finished Sending");
    observer.Status("Disconnecting");
    session.Command("QUIT");
    session.socket.disconnectFromHost();
    return Result::Sent;
}

} // namespace

int TakeReply(QByteArray& pending)
{
    for (;;) {
        const qsizetype end = pending.indexOf('\n');
        if (end < 0) return NoReply;
        const QByteArray line = pending.left(end);
        pending.remove(0, end + 1);
        // The last line of a reply has no "-" after its code.
        if (line.size() >= 3 && (line.size() == 3 || line[3] != '-')) return line.left(3).toInt();
    }
}

Result SendOverSocket(const MailSettings& mail, MailObserver& observer, const bool& stopped, int replyTimeoutMs)
{
    Session session(observer, stopped, replyTimeoutMs);
    const Result result = Deliver(session, mail);
    if (result != Result::Sent && observer.Abandoned()) {
        session.socket.abort();
        return Result::SendFailed;
    }
    return result;
}

} // namespace Smtp
