// A run of the desktop player up to its window: the project asked for in a file dialog when none
// is named, and the exit status and stderr of every start that plays nothing.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <sstream>

#include "base/codepage.h"
#include "document/container.h"
#include "hosts/qt/qt_host.h"
#include "player_run.h"

namespace velk::desktop {
namespace {

// No project appended: the test program is no standalone presentation.
constexpr std::string_view kNoStandalone = "Z:\\no\\such\\player";

std::vector<std::uint8_t> ProjectBytes() {
    Project project;
    project.header.client_width = 100;
    project.header.client_height = 80;
    Page page;
    page.name = "First";
    project.pages.push_back(page);
    return WriteProjectArchive(project, kCurrentProjectVersion, false);
}

class PlayerRun : public testing::Test {
  protected:
    PlayerRun()
        : host(QtHostOptions{.message_box =
                                 [this](const MessageBoxRequest& request) {
                                     messages.push_back(request.text);
                                     return host::MessageAnswer::kOk;
                                 },
                             .profile_path = dir.filePath(QStringLiteral("profile.ini")),
                             .choose_project = [this]() -> std::optional<std::string> {
                                 ++dialogs;
                                 return chosen;
                             }}) {}

    std::string Write(const QString& name, const std::vector<std::uint8_t>& bytes) {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size()));
        return file.fileName().toStdString();
    }

    int Run(std::vector<std::string> presentation) {
        PlayerOptions options;
        options.presentation = std::move(presentation);
        return RunPlayer(host, options, kNoStandalone, PlayerConsole{"velkplayer", err});
    }

    QTemporaryDir dir;
    std::vector<std::string> messages;
    int dialogs = 0;
    std::optional<std::string> chosen;
    std::ostringstream err;
    QtHost host;
};

TEST_F(PlayerRun, WithoutAProjectAFileDialogAsksAndCancellingEndsQuietly) {
    EXPECT_EQ(Run({}), kExitPlayed);
    EXPECT_EQ(dialogs, 1);
    EXPECT_TRUE(messages.empty());  // no "Corrupted Stand Alone file"
    EXPECT_EQ(err.str(), "");
    EXPECT_FALSE(host.Window().Widget().isVisible());
}

TEST_F(PlayerRun, TheChosenProjectIsOpenedAsIfItHadBeenNamed) {
    chosen = dir.filePath(QStringLiteral("chosen.vkd")).toStdString();  // not there
    EXPECT_EQ(Run({}), kExitNothingPlayed);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].starts_with("Cannot find the file\n")) << messages[0];
    EXPECT_NE(messages[0].find("chosen.vkd"), std::string::npos);

    // One chosen in a folder whose name the code page cannot hold is named exactly as chosen.
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("\u0428\u043e\u0443")));
    chosen =
        dir.filePath(QStringLiteral("\u0428\u043e\u0443/\u0141\u00f3d\u017a.vkd")).toStdString();
    messages.clear();
    EXPECT_EQ(Run({}), kExitNothingPlayed);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "Cannot find the file\n" + *chosen);
}

TEST_F(PlayerRun, EveryFailedOpenEndsWithStatusOneAndItsMessageAlsoOnStderr) {
    std::vector<std::uint8_t> truncated = ProjectBytes();
    truncated.resize(truncated.size() / 2);
    const std::vector<std::uint8_t> text{'h', 'e', 'l', 'l', 'o', '\n'};
    QDir(dir.path()).mkdir(QStringLiteral("folder.vkd"));
    struct Case {
        std::string path;
        std::string message;  // what the box says, from its start
    };
    const Case cases[] = {
        {dir.filePath(QStringLiteral("missing.vkd")).toStdString(), "Cannot find the file\n"},
        {dir.filePath(QStringLiteral("folder.vkd")).toStdString(), "Cannot find the file\n"},
        {Write(QStringLiteral("empty.vkd"), {}), "The file "},
        {Write(QStringLiteral("truncated.vkd"), truncated), "The file "},
        {Write(QStringLiteral("text.vkd"), text), "The file "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        messages.clear();
        err.str("");
        EXPECT_EQ(Run({c.path}), kExitNothingPlayed);
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_TRUE(messages[0].starts_with(c.message)) << messages[0];
        // The same words on stderr, on one line.
        std::string line = messages[0];
        std::replace(line.begin(), line.end(), '\n', ' ');
        EXPECT_EQ(err.str(), "velkplayer: " + line + "\n");
        EXPECT_FALSE(host.Window().Widget().isVisible());
    }
    EXPECT_EQ(dialogs, 0);
}

}  // namespace
}  // namespace velk::desktop
