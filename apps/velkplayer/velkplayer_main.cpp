// velkplayer: plays a presentation in a window on the desktop. Its project is the one appended
// to the executable (a standalone presentation) or the project file named as first argument.
#include <QApplication>
#include <memory>

#include "base/codepage.h"
#include "hosts/posix/posix_file_system.h"
#include "hosts/qt/qt_host.h"
#include "hosts/qt/single_instance.h"
#include "player/command_line.h"
#include "player/player.h"
#include "player_startup.h"

namespace {

using velk::desktop::QtHost;
using velk::desktop::SingleInstance;

int Run(QApplication& app, int argc, char** argv) {
    QtHost host;
    const std::string command_line = velk::CommandLineFromArgv(argc, argv);
    std::vector<std::string> arguments = velk::ParseCommandLine(command_line);
    velk::LaunchOptions launch = velk::ApplyLaunchPrefix(arguments);
    const std::string own_exe = velk::posix::OwnExecutablePath();
    // The player's folder is the project file's folder: a relative name is made absolute first.
    const std::string project_path =
        launch.project_path.empty() ? "" : velk::posix::AbsoluteWindowsPath(launch.project_path);

    velk::LoadContext ctx{.ui = host.Ui(), .profile = host.Profile()};
    velk::StartupProject project =
        velk::LoadPlayerProject(own_exe, project_path, host.Files(), ctx);

    // A single-instance presentation already running takes this start over.
    SingleInstance instance;
    velk::Player* running = nullptr;
    if (project.ok && project.single_instance && !launch.new_window) {
        const QString name = SingleInstance::ServerName(project.instance_name);
        if (SingleInstance::HandOver(name, command_line)) return 0;
        instance.Listen(name, [&running, &host](std::string handed_over) {
            if (!running) return;
            host.Window().Widget().raise();
            host.Window().Widget().activateWindow();
            running->OnActivation(handed_over);
        });
    }
    if (!project.ok) return 0;

    velk::Player player(host.Services());
    velk::desktop::PlayerAdapter port(player);
    host.Attach(&port);
    running = &player;
    const bool started = player.Start(velk::PlayerStart{.project = std::move(project),
                                                        .arguments = std::move(arguments),
                                                        .launch = std::move(launch),
                                                        .own_executable = own_exe});
    if (!started || player.Ended() || host.Events().Quitting()) return 0;
    host.Window().Show();
    const int code = app.exec();
    running = nullptr;
    return code;
}

}  // namespace

int main(int argc, char** argv) {
    // Qt takes its own options (-platform, -display, ...) out of argv; the rest are the
    // presentation's.
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Quillhaven"));
    QApplication::setApplicationName(QStringLiteral("Velk Player"));
    // The window closes only when the presentation ends, and then the player says so itself.
    QApplication::setQuitOnLastWindowClosed(false);
    return Run(app, argc, argv);
}
