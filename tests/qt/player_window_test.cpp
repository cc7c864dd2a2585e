// The real player in the desktop host: its window, its picture and its messages.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <fstream>

#include "base/win_path.h"
#include "document/command_vocabulary.h"
#include "document/container.h"
#include "hosts/posix/posix_file_system.h"
#include "hosts/qt/qt_host.h"
#include "player/command_line.h"
#include "player_startup.h"

namespace velk::desktop {
namespace {

constexpr std::uint32_t kRed = 0x0000FF;  // COLORREF

// A captionless 380 x 200 presentation: a red page with a shape on it.
Project TinyProject() {
    Project project;
    project.header.title = "Caf\xE9 show";
    project.header.client_width = 380;
    project.header.client_height = 200;
    project.header.has_caption = 0;
    Page page;
    page.name = "First";
    page.background_colour = kRed;
    Object shape;
    shape.kind = 7;
    shape.name = "Box";
    shape.rect = {40, 30, 140, 90};
    shape.colour1 = 0x00FF00;
    page.objects.push_back(shape);
    project.pages.push_back(page);
    return project;
}

class PlayerWindow : public testing::Test {
  protected:
    PlayerWindow()
        : host(QtHostOptions{.message_box =
                                 [this](const MessageBoxRequest& request) {
                                     messages.push_back(request);
                                     return host::MessageAnswer::kOk;
                                 },
                             .profile_path = dir.filePath(QStringLiteral("profile.ini")),
                             .choose_project = {}}),
          player(host.Services()),
          port(player) {
        host.Attach(&port);
    }

    bool Start(Project project) {
        StartupProject startup;
        startup.ok = true;
        startup.source_path =
            NativeToWindowsPath(dir.filePath(QStringLiteral("show.vkd")).toStdString());
        startup.load = LoadResult{LoadStatus::kLoaded, std::move(project)};
        PlayerStart start{
            .project = std::move(startup), .arguments = {}, .launch = {}, .own_executable = {}};
        return player.Start(std::move(start));
    }

    QTemporaryDir dir;
    std::vector<MessageBoxRequest> messages;
    QtHost host;
    Player player;
    PlayerAdapter port;
};

TEST_F(PlayerWindow, ShowsThePlayersBackBufferInAClientAreaOfTheHeaderSize) {
    ASSERT_TRUE(Start(TinyProject()));
    host.Window().Show();
    QWidget& widget = host.Window().Widget();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget));
    EXPECT_EQ(widget.size(), QSize(380, 200));
    EXPECT_EQ(host.Window().WindowSize(), (Size{380, 200}));
    EXPECT_EQ(widget.windowTitle(), QString::fromUtf8("Caf\u00E9 show"));

    const QImage shot = widget.grab().toImage();
    const Surface& buffer = player.BackBuffer();
    ASSERT_EQ(buffer.Width(), 380);
    ASSERT_EQ(buffer.Height(), 200);
    ASSERT_EQ(shot.size(), QSize(380, 200));
    int wrong = 0;
    for (int y = 0; y < 200; ++y) {
        for (int x = 0; x < 380; ++x) wrong += (shot.pixel(x, y) & 0xFFFFFF) != buffer.At(x, y);
    }
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(shot.pixel(5, 5) & 0xFFFFFF, 0xFF0000u);    // the red page
    EXPECT_NE(shot.pixel(90, 60) & 0xFFFFFF, 0xFF0000u);  // the shape over it
}

// A project handed over by a second start replaces the shown one in the same window: the window
// takes each new project's size, and every pixel it shows is the new project's.
TEST_F(PlayerWindow, ASwitchToAProjectOfAnotherSizeResizesTheWindowAndShowsOnlyTheNewProject) {
    ASSERT_TRUE(Start(TinyProject()));
    host.Window().Show();
    QWidget& widget = host.Window().Widget();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget));
    struct Case {
        const char* file;
        Size size;
        std::uint32_t colour;  // COLORREF
    };
    for (const Case& next :
         {Case{"small.vkd", {200, 120}, 0xFF0000}, Case{"large.vkd", {420, 260}, 0x00FFFF}}) {
        SCOPED_TRACE(next.file);
        Project project = TinyProject();
        project.header.client_width = static_cast<std::uint32_t>(next.size.width);
        project.header.client_height = static_cast<std::uint32_t>(next.size.height);
        project.pages[0].background_colour = next.colour;
        project.pages[0].objects.clear();
        const QString file = dir.filePath(QString::fromLatin1(next.file));
        const auto archive = WriteProjectArchive(project, kCurrentProjectVersion, true);
        ASSERT_TRUE(host.Files().WriteFile(NativeToWindowsPath(file.toStdString()), archive));
        player.OnActivation("\"" + NativeToWindowsPath(file.toStdString()) + "\"");
        const QSize size(next.size.width, next.size.height);
        QElapsedTimer waited;
        waited.start();
        while (widget.size() != size && waited.elapsed() < 5000) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        }
        ASSERT_EQ(widget.size(), size);
        EXPECT_EQ(host.Window().WindowSize(), next.size);

        const QImage shot = widget.grab().toImage();
        ASSERT_EQ(shot.size(), size);
        const Bgrx page = BgrxFromColorRef(next.colour);
        int wrong = 0;
        for (int y = 0; y < size.height(); ++y) {
            for (int x = 0; x < size.width(); ++x) wrong += (shot.pixel(x, y) & 0xFFFFFF) != page;
        }
        EXPECT_EQ(wrong, 0);
    }
}

TEST_F(PlayerWindow, EscapeEndsThePresentationAndClosesTheWindow) {
    ASSERT_TRUE(Start(TinyProject()));
    host.Window().Show();
    QWidget& widget = host.Window().Widget();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget));
    QTest::keyClick(&widget, Qt::Key_Return);
    EXPECT_FALSE(player.Ended());  // Enter ends nothing
    QTest::keyClick(&widget, Qt::Key_Escape);
    EXPECT_TRUE(player.Ended());
    EXPECT_FALSE(widget.isVisible());
    EXPECT_TRUE(host.Events().Quitting());
}

TEST_F(PlayerWindow, ItsTimersFireOnTheirOwnAndCanEndThePresentation) {
    Project project = TinyProject();
    // ExitTimer 300: the presentation ends by itself after 300 ms.
    ActionRecord exit_timer;
    exit_timer.code = kCmdExitTimer;
    exit_timer.target = "300";
    project.pages[0].entry_actions.records.push_back(exit_timer);
    ASSERT_TRUE(Start(std::move(project)));
    host.Window().Show();
    QElapsedTimer waited;
    waited.start();
    while (!player.Ended() && waited.elapsed() < 10000) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }
    EXPECT_TRUE(player.Ended());
    EXPECT_FALSE(host.Window().Widget().isVisible());
    EXPECT_TRUE(host.Events().Quitting());
}

// The project as velkplayer gets it: argv in UTF-8, read as a code-page command line.
std::string ProjectPathFromArgv(const std::string& argument, host::FileSystem& files) {
    const std::vector<std::string> arguments = {argument};
    return posix::AbsoluteWindowsPath(ParseCommandLine(CommandLineOf(arguments, files)).at(0));
}

// A project in a folder whose name the code page cannot hold opens; a missing one is named in
// the box exactly as the user typed it, whatever the code page holds.
TEST_F(PlayerWindow, AProjectNamedOutsideTheCodePageOpensAndMessagesNameItNatively) {
    const QString folder = QStringLiteral("\u0428\u043e\u0443 \U0001F600");
    ASSERT_TRUE(QDir(dir.path()).mkdir(folder));
    const std::string show = dir.filePath(folder + QStringLiteral("/show.vkd")).toStdString();
    const std::vector<std::uint8_t> archive =
        WriteProjectArchive(TinyProject(), kCurrentProjectVersion, true);
    std::ofstream(show, std::ios::binary)
        .write(reinterpret_cast<const char*>(archive.data()),
               static_cast<std::streamsize>(archive.size()));

    LoadContext ctx{.ui = host.Ui(), .profile = host.Profile()};
    const StartupProject opened = LoadPlayerProject(
        "Z:\\no\\such\\player", ProjectPathFromArgv(show, host.Files()), host.Files(), ctx);
    EXPECT_TRUE(opened.ok);
    EXPECT_EQ(opened.load.project.header.title, "Caf\xE9 show");
    EXPECT_TRUE(messages.empty());

    const std::string missing =
        dir.filePath(folder + QStringLiteral("/gon\u00E9 \u0141\u00f3d\u017a.vkd")).toStdString();
    const StartupProject project = LoadPlayerProject(
        "Z:\\no\\such\\player", ProjectPathFromArgv(missing, host.Files()), host.Files(), ctx);
    EXPECT_FALSE(project.ok);
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages[0].caption, "Velk Player");
    EXPECT_EQ(messages[0].text, "Cannot find the file\n" + missing);
}

}  // namespace
}  // namespace velk::desktop
