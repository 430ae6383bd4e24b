#include "devices/MailMessage.h"
#include "devices/SmtpClient.h"
#include "ide/EmailForm.h"
#include "tests/support/QtTestApplication.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <map>
#include <sys/stat.h>
#include <unistd.h>

// The e-mail service against a scripted SMTP peer in this test (it records the
// transcript), never a real mail server.

namespace {

// Answers each command with the reply the script gives for its first word
// (250 for any other), the greeting first; `dropInData` closes the
// connection as soon as message data arrives.
class ScriptedPeer : public QObject {
public:
    std::map<std::string, std::string> replies;
    std::string greeting = "220 test ready\r\n";
    bool dropInData = false;
    bool silent = false;
    // Called with each command's first word before it is answered.
    std::function<void(const std::string&)> onCommand;
    std::string transcript;
    std::string data;

    ScriptedPeer()
    {
        server.listen(QHostAddress::LocalHost, 0);
        connect(&server, &QTcpServer::newConnection, this, [this] {
            QTcpSocket* socket = server.nextPendingConnection();
            if (silent) return;
            socket->write(greeting.c_str());
            connect(socket, &QIODevice::readyRead, this, [this, socket] { Read(socket); });
        });
    }
    int Port() const { return server.serverPort(); }

private:
    void Read(QTcpSocket* socket)
    {
        pending += socket->readAll().toStdString();
        for (;;) {
            const size_t end = pending.find("\r\n");
            if (end == std::string::npos) return;
            const std::string line = pending.substr(0, end);
            pending.erase(0, end + 2);
            if (inData) {
                if (dropInData) {
                    socket->abort();
                    return;
                }
                if (line == ".") {
                    inData = false;
                    socket->write("250 queued\r\n");
                } else {
                    data += line + "\r\n";
                }
                continue;
            }
            transcript += line + "\n";
            const std::string word = line.substr(0, line.find_first_of(" :"));
            if (onCommand) onCommand(word);
            if (word == "DATA") {
                inData = true;
                socket->write("354 go ahead\r\n");
                continue;
            }
            const auto found = replies.find(word);
            socket->write(found != replies.end() ? found->second.c_str() : "250 ok\r\n");
            if (word == "QUIT") socket->disconnectFromHost();
        }
    }

    QTcpServer server;
    std::string pending;
    bool inData = false;
};

class RecordingObserver : public MailObserver {
public:
    std::vector<AnsiString> statuses;
    int64_t lastSent = 0, lastTotal = 0;
    void Status(const AnsiString& text) override { statuses.push_back(text); }
    void Progress(int64_t sent, int64_t total) override
    {
        lastSent = sent;
        lastTotal = total;
    }
};

MailSettings Mail(int port)
{
    MailSettings mail;
    mail.user = "tester";
    mail.host = "127.0.0.1";
    mail.from = "me@example.org";
    mail.to = { "a@example.org" };
    mail.cc = { "b@example.org" };
    mail.bcc = { "c@example.org" };
    mail.subject = "Hello";
    mail.body = { "line one", ".starts with a dot", "" };
    mail.port = port;
    return mail;
}

class MailTest : public testing::Test {
protected:
    void SetUp() override { TestApplication(); }
    bool stopped = false;
    RecordingObserver observer;
};

} // namespace

TEST_F(MailTest, SendsTheCommandSequenceAndMessage)
{
    ScriptedPeer peer;
    ASSERT_EQ(Smtp::Send(Mail(peer.Port()), observer, stopped, 2000), Smtp::Result::Sent);
    EXPECT_EQ(peer.transcript,
        "EHLO tester\nMAIL FROM:<me@example.org>\nRCPT TO:<a@example.org>\nRCPT TO:<b@example.org>\n"
        "RCPT TO:<c@example.org>\nDATA\nQUIT\n");
    EXPECT_NE(peer.data.find("From: me@example.org\r\nTo: a@example.org\r\nCc: b@example.org\r\nSubject: Hello\r\n"
                             "MIME-Version: 1.0\r\n"),
        std::string::npos)
        << peer.data;
    EXPECT_EQ(peer.data.find("c@example.org"), std::string::npos); // Bcc stays out of the headers
    EXPECT_NE(peer.data.find("\r\n..starts with a dot\r\n"), std::string::npos);
    EXPECT_EQ(observer.statuses,
        (std::vector<AnsiString> {
            "Server Has Been Found", "Connected To Server", "Sending Email", "Finished Sending", "Disconnecting" }));
    EXPECT_EQ(observer.lastSent, observer.lastTotal);
}

TEST_F(MailTest, HeloWhenEhloIsRefusedAndFailures)
{
    struct Case {
        const char* name;
        std::map<std::string, std::string> replies;
        Smtp::Result result;
        AnsiString lastStatus;
    };
    const Case cases[] = {
        { "helo", { { "EHLO", "502 no\r\n" } }, Smtp::Result::Sent, "Disconnecting" },
        { "rcpt 550", { { "RCPT", "550 no such user\r\n" } }, Smtp::Result::SendFailed, "Email Failed" },
        { "auth", { { "MAIL", "530 authentication required\r\n" } }, Smtp::Result::SendFailed,
            "Authentecation Failed" },
    };
    for (const Case& test : cases) {
        ScriptedPeer peer;
        peer.replies = test.replies;
        RecordingObserver seen;
        EXPECT_EQ(Smtp::Send(Mail(peer.Port()), seen, stopped, 2000), test.result) << test.name;
        EXPECT_EQ(seen.statuses.back(), test.lastStatus) << test.name;
    }
}

TEST_F(MailTest, ConnectionFailures)
{
    int freePort = 0;
    {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost, 0);
        freePort = probe.serverPort();
    }
    EXPECT_EQ(Smtp::Send(Mail(freePort), observer, stopped, 2000), Smtp::Result::ConnectFailed);
    EXPECT_EQ(observer.statuses.back(), "Connection Failed");

    ScriptedPeer silent;
    silent.silent = true;
    RecordingObserver seen;
    EXPECT_EQ(Smtp::Send(Mail(silent.Port()), seen, stopped, 300), Smtp::Result::ConnectFailed);

    ScriptedPeer dropping;
    dropping.dropInData = true;
    RecordingObserver dropped;
    EXPECT_EQ(Smtp::Send(Mail(dropping.Port()), dropped, stopped, 2000), Smtp::Result::SendFailed);

    MailSettings noRecipient = Mail(dropping.Port());
    noRecipient.to.clear();
    noRecipient.cc.clear();
    noRecipient.bcc.clear();
    ScriptedPeer peer;
    noRecipient.port = peer.Port();
    RecordingObserver bad;
    EXPECT_EQ(Smtp::Send(noRecipient, bad, stopped, 2000), Smtp::Result::SendFailed);
    EXPECT_EQ(bad.statuses.back(), "Header Data Is Bad");
}

TEST_F(MailTest, AttachmentsTravelAsBase64AndMissingOnesFail)
{
    const std::string path = testing::TempDir() + "attach.bin";
    std::string bytes;
    for (int k = 0; k < 300; ++k)
        bytes += static_cast<char>(k & 0xFF);
    std::ofstream(path, std::ios::binary) << bytes;
    ScriptedPeer peer;
    MailSettings mail = Mail(peer.Port());
    mail.attachments = { path };
    ASSERT_EQ(Smtp::Send(mail, observer, stopped, 2000), Smtp::Result::Sent);
    EXPECT_NE(peer.data.find("filename=\"attach.bin\""), std::string::npos);
    const std::string encoded = MailText::Base64(bytes);
    EXPECT_NE(peer.data.find(encoded), std::string::npos);
    std::remove(path.c_str());

    ScriptedPeer other;
    mail.port = other.Port();
    RecordingObserver seen;
    EXPECT_EQ(Smtp::Send(mail, seen, stopped, 2000), Smtp::Result::SendFailed);
    EXPECT_EQ(seen.statuses.back(), "Attatchment:" + path + " NotFound");
}

TEST(MailText, EncodingsAndSettings)
{
    EXPECT_EQ(MailText::Base64("Man"), "TWFu\r\n");
    EXPECT_EQ(MailText::Base64("Ma"), "TWE=\r\n");
    EXPECT_EQ(MailText::QuotedPrintable("caf\xe9 = ok"), "caf=E9 =3D ok");
    EXPECT_EQ(MailText::SingleLine("a\r\nb"), "ab");
    EXPECT_EQ(MailText::Lines("a\r\n\r\nb\n"), (std::vector<AnsiString> { "a", "b" }));
    MailSettings mail;
    mail.from = "x";
    mail.to = { "y" };
    mail.subject = "Gr\xfc\xdf";
    mail.body = { "na\xefve" };
    AnsiString message, missing;
    ASSERT_TRUE(MailText::Compose(mail, 0, message, missing));
    EXPECT_NE(message.find("Date: Thu, 01 Jan 1970 00:00:00 +0000\r\n"), AnsiString::npos);
    EXPECT_NE(message.find("Subject: =?windows-1252?Q?Gr=FC=DF?=\r\n"), AnsiString::npos);
    EXPECT_NE(message.find("Content-Transfer-Encoding: quoted-printable\r\n\r\nna=EFve"), AnsiString::npos);
}

TEST(EmailForm, ProgressLineAndActivation)
{
    TestApplication();
    EXPECT_EQ(TEmailForm::ProgressLine(1500, 6000), "1500 bytes out of 6000 transferred (25%)");
    EXPECT_EQ(TEmailForm::ProgressLine(0, 0), "0 bytes out of 0 transferred (0%)");
    TEmailForm form;
    EXPECT_EQ(form.windowTitle(), "Email Status");
    form.Status("Sending Email");
    form.Progress(10, 20);
    EXPECT_TRUE(form.ProgressVisible());
    form.Show();
    EXPECT_EQ(form.ProgressText(), ""); // each activation starts with an empty progress line
    EXPECT_EQ(form.StatusText(), "Sending Email");
    form.Close();
    EXPECT_FALSE(form.ProgressVisible());
}

// Closing the window while the message goes out gives the message up as a
// failed send, also while the connection is still being made.
TEST_F(MailTest, ClosingTheWindowAbandonsTheMessage)
{
    TEmailForm form;
    ScriptedPeer peer;
    peer.onCommand = [&](const std::string& word) {
        if (word == "RCPT") form.close();
    };
    form.Show();
    EXPECT_EQ(Smtp::Send(Mail(peer.Port()), form, stopped, 2000), Smtp::Result::SendFailed);
    EXPECT_EQ(peer.transcript.find("DATA"), std::string::npos);

    ScriptedPeer silent;
    silent.silent = true;
    form.Show();
    EXPECT_FALSE(form.Abandoned());
    QTimer::singleShot(100, &form, [&] { form.close(); });
    EXPECT_EQ(Smtp::Send(Mail(silent.Port()), form, stopped, 5000), Smtp::Result::SendFailed);

    form.Show(); // shown again: a new message goes out normally
    ScriptedPeer good;
    EXPECT_EQ(Smtp::Send(Mail(good.Port()), form, stopped, 2000), Smtp::Result::Sent);
    form.Close();
    EXPECT_FALSE(form.Abandoned()); // the program's own close abandons nothing
}

TEST(MailReplies, TakenWholeFromTheReceivedBytes)
{
    QByteArray pending("250-mail.test\r\n250-SIZE 100\r\n250 HELP\r\n354 go\r\n22");
    EXPECT_EQ(Smtp::TakeReply(pending), 250); // the continuation lines belong to it
    EXPECT_EQ(Smtp::TakeReply(pending), 354);
    EXPECT_EQ(Smtp::TakeReply(pending), Smtp::NoReply); // "22" is not complete yet
    pending += "0\n";
    EXPECT_EQ(Smtp::TakeReply(pending), 220);
    pending = "xyz nonsense\r\na\r\n";
    EXPECT_EQ(Smtp::TakeReply(pending), 0); // no number: a failure code, not a hang
    EXPECT_EQ(Smtp::TakeReply(pending), Smtp::NoReply); // a line too short for a code is dropped
    EXPECT_TRUE(pending.isEmpty());
}

TEST(MailText, AnAttachmentThatIsNoRegularFileIsMissing)
{
    // A pipe nobody writes would block the composing for ever, a device
    // never end; both are reported as the missing attachment.
    char folder[] = "/tmp/qv-mail-pipe-XXXXXX";
    ASSERT_NE(::mkdtemp(folder), nullptr);
    const AnsiString pipe = AnsiString(folder) + "/pipe";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    for (const AnsiString& path : { pipe, AnsiString("/dev/zero") }) {
        MailSettings mail;
        mail.from = "x";
        mail.to = { "y" };
        mail.attachments = { path };
        AnsiString message, missing;
        EXPECT_FALSE(MailText::Compose(mail, 0, message, missing)) << path;
        EXPECT_EQ(missing, path);
    }
    ::unlink(pipe.c_str());
    ::rmdir(folder);
}
