#include "platform/widgets/QtMessageBoxes.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

using namespace platform;

namespace {

struct BoxCase {
    int flags;
    std::vector<QMessageBox::StandardButton> buttons;
    QMessageBox::StandardButton defaultButton;
    QMessageBox::Icon icon;
};

} // namespace

// Each box is answered by clicking its default button.
TEST(QtMessageBoxes, ShowTheWindowsButtonSetsIconsAndDefaults)
{
    using SB = QMessageBox;
    const BoxCase cases[] = {
        { MessageFlags::Ok, { SB::Ok }, SB::Ok, SB::NoIcon },
        { MessageFlags::OkCancel | MessageFlags::IconQuestion | MessageFlags::DefaultButton2, { SB::Ok, SB::Cancel },
            SB::Cancel, SB::Question },
        { MessageFlags::AbortRetryIgnore | MessageFlags::IconError | MessageFlags::DefaultButton3,
            { SB::Abort, SB::Retry, SB::Ignore }, SB::Ignore, SB::Critical },
        { MessageFlags::YesNoCancel | MessageFlags::IconWarning, { SB::Yes, SB::No, SB::Cancel }, SB::Yes,
            SB::Warning },
        { MessageFlags::YesNo | MessageFlags::IconInformation | MessageFlags::DefaultButton2, { SB::Yes, SB::No },
            SB::No, SB::Information },
        { MessageFlags::RetryCancel, { SB::Retry, SB::Cancel }, SB::Retry, SB::NoIcon },
    };
    QtMessageBoxes boxes;
    for (const BoxCase& c : cases) {
        bool inspected = false;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            inspected = true;
            EXPECT_EQ(box->text(), "line one\nline two");
            EXPECT_EQ(box->windowTitle(), QString::fromUtf8("Caption \u00e9"));
            EXPECT_EQ(box->icon(), c.icon);
            EXPECT_EQ(box->buttons().size(), static_cast<qsizetype>(c.buttons.size()));
            for (QMessageBox::StandardButton b : c.buttons)
                EXPECT_NE(box->button(b), nullptr) << c.flags;
            ASSERT_NE(box->defaultButton(), nullptr);
            box->defaultButton()->click();
        });
        int answer = boxes.show("line one\r\nline two", "Caption \xe9", c.flags);
        EXPECT_TRUE(inspected) << c.flags;
        EXPECT_EQ(answer, defaultAnswer(c.flags)) << c.flags;
    }
}
