// velkplayer: plays a presentation in a window on the desktop. Its project is the one appended
// to the executable (a standalone presentation), the project file named on the command line, or
// one chosen in a file dialog. player_options.h says how the player's options and the
// presentation's arguments are told apart.
#include <QApplication>
#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "hosts/posix/posix_file_system.h"
#include "hosts/qt/qt_host.h"
#include "player_options.h"
#include "player_run.h"

namespace {

using velk::PlayerOptions;

std::string ProgramName(const char* argv0) {
    const std::string path = argv0 ? argv0 : "velkplayer";
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::vector<std::string> ArgumentsOf(int argc, char** argv) {
    return std::vector<std::string>(argv + std::min(argc, 1), argv + argc);
}

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// Answers what needs no window: help, version, a refused option. Nothing when the player is to
// play.
std::optional<int> AnswerWithoutWindow(const PlayerOptions& options, const std::string& program) {
    switch (options.action) {
        case PlayerOptions::Action::kPlay:
            return std::nullopt;
        case PlayerOptions::Action::kHelp:
            std::cout << velk::UsageText(program);
            return velk::kExitPlayed;
        case PlayerOptions::Action::kVersion:
            std::cout << velk::VersionText(program);
            return velk::kExitPlayed;
        case PlayerOptions::Action::kRefuse:
            std::cerr << program << ": " << options.error << '\n'
                      << velk::UsageLine(program) << '\n';
            return velk::kExitBadOption;
    }
    return std::nullopt;
}

void ReportNoDisplay(const std::string& program) {
    std::cerr << program
              << ": no display to show the presentation on: set DISPLAY (X11) or "
                 "WAYLAND_DISPLAY, or choose a Qt platform with -platform\n";
}

// Qt ends the process with abort() when it cannot open the display it was given; the player
// says so and ends with its own status instead. Only in force while QApplication starts.
void FailedDisplayHandler(QtMsgType type, const QMessageLogContext& /*context*/,
                          const QString& message) {
    std::cerr << message.toStdString() << '\n';
    if (type != QtFatalMsg) return;
    std::cerr << "The display could not be opened: the presentation cannot be shown.\n"
              << std::flush;
    std::_Exit(velk::kExitNothingPlayed);
}

}  // namespace

int main(int argc, char** argv) {
    const std::string program = ProgramName(argc > 0 ? argv[0] : nullptr);
    // Help, version and bad options are answered before Qt starts: they need no display.
    const std::vector<std::string> given = ArgumentsOf(argc, argv);
    if (auto code = AnswerWithoutWindow(velk::ParsePlayerOptions(given), program)) return *code;
    const velk::DisplayEnvironment environment{
        Environment("QT_QPA_PLATFORM"), Environment("DISPLAY"), Environment("WAYLAND_DISPLAY")};
    if (!velk::NamesADisplay(environment, given)) {
        ReportNoDisplay(program);
        return velk::kExitNothingPlayed;
    }

    const QtMessageHandler previous = qInstallMessageHandler(FailedDisplayHandler);
    QApplication app(argc, argv);
    qInstallMessageHandler(previous);
    QApplication::setOrganizationName(QStringLiteral("Quillhaven"));
    QApplication::setApplicationName(QStringLiteral("Velk Player"));
    // The window closes only when the presentation ends, and then the player says so itself.
    QApplication::setQuitOnLastWindowClosed(false);

    // Qt took its own options (-platform, -display, ...) out of argv; the rest is read again.
    const PlayerOptions options = velk::ParsePlayerOptions(ArgumentsOf(argc, argv));
    if (auto code = AnswerWithoutWindow(options, program)) return *code;
    velk::desktop::QtHost host;
    return velk::RunPlayer(host, options, velk::posix::OwnExecutablePath(),
                           velk::PlayerConsole{program, std::cerr});
}
