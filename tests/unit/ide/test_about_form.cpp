#include "devices/QelmBridge.h"
#include "ide/AboutForm.h"
#include "ide/AboutInfo.h"
#include "ide/DurnixEditForm.h"
#include "ide/IdeDialogs.h"
#include "platform/AnsiText.h"
#include "tests/support/QtTestApplication.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

bool IsVersion(const AnsiString& text)
{
    return QRegularExpression("^\\d+(\\.\\d+)+$").match(platform::toQString(text)).hasMatch();
}

TEST(AboutInfo, NamesTheLibrariesWithTheVersionsTheyReport)
{
    const std::vector<AboutInfo::Library> libraries = AboutInfo::RunningLibraries();
    ASSERT_GE(libraries.size(), 3u);
    EXPECT_EQ(libraries[0].name, "Qt");
    EXPECT_EQ(libraries[0].version, qVersion());
    EXPECT_EQ(libraries[1].name, "libjpeg-turbo");
    EXPECT_TRUE(IsVersion(libraries[1].version)) << libraries[1].version;
    EXPECT_EQ(libraries[2].name, "hidapi");
    EXPECT_EQ(libraries[2].through, "libqelm.so");
    // These tests never play media: GStreamer is not in the process to name.
    for (const AboutInfo::Library& library : libraries)
        EXPECT_NE(library.name, "GStreamer");
}

TEST(AboutInfo, HidapiIsAskedThroughTheBoardLibrary)
{
    devices::QelmBridge bridge;
    EXPECT_EQ(bridge.HidLibraryVersion(), "");
    bridge.LoadOnFirstCall(QFileInfo(QV_IDE_EXECUTABLE).path().toStdString());
    EXPECT_TRUE(IsVersion(bridge.HidLibraryVersion())) << bridge.HidLibraryVersion();
    EXPECT_TRUE(bridge.Loaded());
}

TEST(AboutInfo, LinesSayWhatIsMissingAndHowALibraryIsReached)
{
    EXPECT_EQ(AboutInfo::LibraryLines(
                  { { "Qt", "6.4.2", "" }, { "hidapi", "0.13.1", "libqelm.so" }, { "hidapi", "", "libqelm.so" } }),
        (std::vector<AnsiString> {
            "Qt 6.4.2", "hidapi 0.13.1 (through libqelm.so)", "hidapi: not loaded (through libqelm.so)" }));
}

// What the box showed while it was open.
struct Seen {
    TAboutForm* box = nullptr;
    bool modal = false;
    QString text;
    QPoint centre;
};

// Triggers the Help menu's entry and, once the box is up, records it and
// presses `key` in it. A box that does not close is closed after a while, so
// that a fault fails the test instead of hanging it.
Seen ShowAndPress(QAction& about, int key)
{
    Seen seen;
    QTimer::singleShot(0, [&] {
        seen.box = dynamic_cast<TAboutForm*>(QApplication::activeModalWidget());
        if (!seen.box) return;
        seen.modal = seen.box->isModal() && seen.box->isVisible();
        for (const QLabel* label : seen.box->findChildren<QLabel*>())
            seen.text += label->text() + "\n";
        seen.centre = seen.box->frameGeometry().center();
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : seen.box;
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(target, &press);
    });
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] {
        if (QWidget* open = QApplication::activeModalWidget()) open->close();
    });
    guard.start(10000);
    about.trigger();
    EXPECT_TRUE(guard.isActive()) << "the box stayed open";
    return seen;
}

class AboutFormTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TestApplication();
        IdePaths paths = IdePaths::ForExecutable(folder.path().toStdString() + "/quorvatine");
        paths.settingsFile = folder.path().toStdString() + "/Quorvatine.INI";
        editor = std::make_unique<TDurnixEditForm>(paths, dialogs);
        editor->setGeometry(200, 150, 900, 700);
        editor->show();
        about = editor->Action("&About Quorvatine");
    }

    QTemporaryDir folder;
    ScriptedIdeDialogs dialogs;
    std::unique_ptr<TDurnixEditForm> editor;
    QAction* about = nullptr;
};

TEST_F(AboutFormTest, HelpAboutShowsTheBoxModallyOverTheEditor)
{
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(about->isEnabled());
    EXPECT_TRUE(editor->windowTitle().startsWith(AboutInfo::programTitle)) << editor->windowTitle().toStdString();

    // The environment's own box, made at start-up, closed with Enter.
    TAboutForm box;
    AboutForm = &box;
    const Seen entered = ShowAndPress(*about, Qt::Key_Return);
    EXPECT_EQ(entered.box, &box);
    EXPECT_TRUE(entered.modal);
    EXPECT_TRUE(entered.text.contains("Quorvatine IDE V4.2.1")) << entered.text.toStdString();
    EXPECT_TRUE(entered.text.contains(QString("Qt ") + qVersion())) << entered.text.toStdString();
    EXPECT_TRUE(entered.text.contains("libjpeg-turbo ")) << entered.text.toStdString();
    EXPECT_LE((entered.centre - editor->frameGeometry().center()).manhattanLength(), 2);
    EXPECT_FALSE(box.isVisible());
    EXPECT_EQ(box.result(), QDialog::Accepted);

    // Shown again, Esc closes it.
    const Seen escaped = ShowAndPress(*about, Qt::Key_Escape);
    EXPECT_EQ(escaped.box, &box);
    EXPECT_FALSE(box.isVisible());
    EXPECT_EQ(box.result(), QDialog::Rejected);
    AboutForm = nullptr;
}

TEST_F(AboutFormTest, AnEditorWithoutTheEnvironmentStillShowsABox)
{
    ASSERT_EQ(AboutForm, nullptr);
    const Seen seen = ShowAndPress(*about, Qt::Key_Escape);
    EXPECT_NE(seen.box, nullptr);
    EXPECT_TRUE(seen.modal);
    EXPECT_TRUE(seen.text.contains("Quorvatine IDE V4.2.1"));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

} // namespace
