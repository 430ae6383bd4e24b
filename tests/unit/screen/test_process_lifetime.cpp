#include "ide/ProcessLifetime.h"
#include "screen/ScreenForm.h"
#include "screen/ScreenWidgets.h"

#include <QCoreApplication>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

// A screen after a run that ended with `status`, shown as a window leaves it.
struct ScreenAfterRun {
    std::unique_ptr<TScreenForm> form = std::make_unique<TScreenForm>();
    ScreenAfterRun()
    {
        form->SetDesktopSize(QSize(1024, 768));
        form->PrepareForRun();
        form->AfterRun();
    }
};

// Waits for the end as the runner does, doing `action` once the wait has
// started; a wait that outlasts the watchdog fails the test.
int endAfter(TScreenForm* form, int status, std::function<void()> action)
{
    QTimer::singleShot(0, std::move(action));
    bool timedOut = false;
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [&] {
        timedOut = true;
        form->hide();
    });
    watchdog.start(10000);
    const int ended = ProcessLifetime::EndWhenScreenCloses(*form, status);
    EXPECT_FALSE(timedOut);
    return ended;
}

} // namespace

TEST(ProcessLifetime, ClosingTheScreenAfterARunEndsWithItsStatus)
{
    struct Case {
        const char* how;
        void (*close)(TScreenForm&);
    };
    const Case cases[] = {
        { "close box", [](TScreenForm& form) { form.close(); } },
        { "Stop button", [](TScreenForm& form) { form.HoltProgram->click(); } },
        { "destroyed from outside", [](TScreenForm& form) { form.WindowDestroyed(); } },
    };
    for (const Case& way : cases) {
        for (int status : { 0, 1 }) {
            ScreenAfterRun screen;
            TScreenForm* form = screen.form.get();
            EXPECT_EQ(endAfter(form, status, [form, &way] { way.close(*form); }), status) << way.how;
            EXPECT_FALSE(form->isVisible()) << way.how;
        }
    }
}

TEST(ProcessLifetime, MinimisingDoesNotEndItAndDeletingDoes)
{
    ScreenAfterRun screen;
    TScreenForm* form = screen.form.get();
    bool stillShownAfterMinimising = false;
    EXPECT_EQ(endAfter(form, 1,
                  [&] {
                      form->showMinimized();
                      QCoreApplication::processEvents();
                      stillShownAfterMinimising = true;
                      screen.form.reset();
                  }),
        1);
    EXPECT_TRUE(stillShownAfterMinimising);
}

TEST(ProcessLifetime, AScreenClosedDuringTheRunEndsAtOnce)
{
    ScreenAfterRun screen;
    screen.form->close();
    EXPECT_EQ(ProcessLifetime::EndWhenScreenCloses(*screen.form, 1), 1);
}

// A window destroyed by another program ends the run even when the program
// asked to be asked first, and ends a pending input.
TEST(ProcessLifetime, ADestroyedWindowStopsTheRunWhateverTheCloseMode)
{
    TScreenForm form;
    form.SetDesktopSize(QSize(1024, 768));
    form.PrepareForRun();
    form.closeMode = 2;
    QTimer::singleShot(0, [&form] {
        form.InputEditBox_0->setText("partial");
        form.WindowDestroyed();
    });
    EXPECT_EQ(form.InputLine("? "), "partial");
    EXPECT_TRUE(form.stopped);
    EXPECT_FALSE(form.TakeCloseRequest());
    EXPECT_FALSE(form.isVisible());
}
