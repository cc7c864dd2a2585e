#include <gtest/gtest.h>

#include <QThread>

#include "hosts/qt/qt_ui.h"
#include "message_box_clicker.h"

namespace velk::desktop {
namespace {

using host::MessageAnswer;
using host::MessageButtons;

TEST(QtUi, QMessageBoxShowsTheTextAndIconAndMapsEachAnswer) {
    struct Case {
        MessageButtons buttons;
        QMessageBox::StandardButton click;  // NoButton: Escape / the close box
        MessageAnswer expected;
        host::MessageIcon icon = host::MessageIcon::kNone;
        QMessageBox::Icon shown = QMessageBox::NoIcon;
    };
    const Case cases[] = {
        {MessageButtons::kOk, QMessageBox::Ok, MessageAnswer::kOk},
        {MessageButtons::kOk, QMessageBox::NoButton, MessageAnswer::kOk,
         host::MessageIcon::kWarning, QMessageBox::Warning},
        {MessageButtons::kOkCancel, QMessageBox::Ok, MessageAnswer::kOk, host::MessageIcon::kError,
         QMessageBox::Critical},
        {MessageButtons::kOkCancel, QMessageBox::NoButton, MessageAnswer::kCancel},
        {MessageButtons::kYesNo, QMessageBox::No, MessageAnswer::kNo},
        // A question without an icon of its own shows none.
        {MessageButtons::kYesNo, QMessageBox::NoButton, MessageAnswer::kNo},
        {MessageButtons::kYesNo, QMessageBox::Yes, MessageAnswer::kYes,
         host::MessageIcon::kQuestion, QMessageBox::Question},
        {MessageButtons::kOk, QMessageBox::Ok, MessageAnswer::kOk, host::MessageIcon::kInformation,
         QMessageBox::Information},
        {MessageButtons::kYesNoCancel, QMessageBox::Yes, MessageAnswer::kYes},
        {MessageButtons::kYesNoCancel, QMessageBox::NoButton, MessageAnswer::kCancel},
    };
    QtUi ui;
    for (const Case& c : cases) {
        MessageBoxClicker clicker(c.click);
        // Code-page bytes: e-acute and the euro sign.
        EXPECT_EQ(ui.Ask("Velk Player", "Caf\xE9 costs 3 \x80\n<b>not bold</b>", c.buttons, c.icon),
                  c.expected)
            << static_cast<int>(c.buttons) << " " << c.click;
        ASSERT_TRUE(clicker.Seen().has_value());
        EXPECT_EQ(clicker.Seen()->caption, QString::fromUtf8("Velk Player"));
        EXPECT_EQ(clicker.Seen()->text,
                  QString::fromUtf8("Caf\u00E9 costs 3 \u20AC\n<b>not bold</b>"));
        EXPECT_EQ(clicker.Seen()->icon, c.shown);
    }
}

TEST(QtUi, AnInjectedFunctionTakesTheBoxInUtf8) {
    std::vector<MessageBoxRequest> seen;
    QtUi ui([&seen](const MessageBoxRequest& request) {
        seen.push_back(request);
        return MessageAnswer::kNo;
    });
    EXPECT_EQ(ui.Ask("T\xEEtle", "Do you want to continue?", MessageButtons::kYesNo,
                     host::MessageIcon::kQuestion),
              MessageAnswer::kNo);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].caption, "T\u00EEtle");
    EXPECT_EQ(seen[0].text, "Do you want to continue?");
    EXPECT_EQ(seen[0].buttons, MessageButtons::kYesNo);
    EXPECT_EQ(seen[0].icon, host::MessageIcon::kQuestion);

    // A file's native name keeps characters the code page lacks.
    ui.MessageNamingFile("Velk Player", "Cannot find the file\n", "/tmp/\u0428\u043e\u0443/a.vkd",
                         " \xE9");
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[1].text, "Cannot find the file\n/tmp/\u0428\u043e\u0443/a.vkd \u00E9");
    EXPECT_EQ(seen[1].buttons, MessageButtons::kOk);
}

TEST(QtUi, AProgressWindowShowsOnlyWhenReadingTakesLong) {
    QtUi ui;
    // A quick reading: nothing shows, and nothing is left behind.
    ui.LoadProgress(0);
    ui.LoadProgress(500);
    ASSERT_NE(ui.ProgressWindow(), nullptr);
    EXPECT_FALSE(ui.ProgressWindow()->isVisible());
    ui.LoadProgress(1000);
    EXPECT_EQ(ui.ProgressWindow(), nullptr);

    // A slow one: past half a second with most of it still to do, the window is up.
    ui.LoadProgress(0);
    QThread::msleep(600);
    ui.LoadProgress(300);
    ASSERT_NE(ui.ProgressWindow(), nullptr);
    EXPECT_TRUE(ui.ProgressWindow()->isVisible());
    EXPECT_EQ(ui.ProgressWindow()->value(), 300);
    ui.LoadProgress(1000);
    EXPECT_EQ(ui.ProgressWindow(), nullptr);
}

}  // namespace
}  // namespace velk::desktop
