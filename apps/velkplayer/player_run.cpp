#include "player_run.h"

#include <QApplication>
#include <string>
#include <vector>

#include "base/codepage.h"
#include "hosts/posix/posix_file_system.h"
#include "hosts/qt/single_instance.h"
#include "player/command_line.h"
#include "player/player.h"
#include "player_startup.h"

namespace velk {
namespace {

using desktop::QtHost;
using desktop::SingleInstance;

// Start-up messages go to their box and to stderr, so that a script that started the player
// learns why nothing played.
class EchoingUi : public host::Ui {
  public:
    EchoingUi(host::Ui& shown, const PlayerConsole& console) : shown_(shown), console_(console) {}

    host::MessageAnswer Ask(std::string_view caption, std::string_view text,
                            host::MessageButtons buttons, host::MessageIcon icon) override {
        Echo(Cp1252ToUtf8(text));
        return shown_.Ask(caption, text, buttons, icon);
    }
    void MessageNamingFile(std::string_view caption, std::string_view before,
                           std::string_view shown_file, std::string_view after) override {
        Echo(Cp1252ToUtf8(before) + std::string(shown_file) + Cp1252ToUtf8(after));
        shown_.MessageNamingFile(caption, before, shown_file, after);
    }

  private:
    // The message on one line of stderr (UTF-8).
    void Echo(std::string line) const {
        while (!line.empty() && line.back() == '\n') line.pop_back();
        for (char& c : line) {
            if (c == '\n') c = ' ';
        }
        console_.err << console_.program << ": " << line << '\n' << std::flush;
    }
    void LoadProgress(std::uint32_t permille) override { shown_.LoadProgress(permille); }

    host::Ui& shown_;
    const PlayerConsole& console_;
};

// Whether the start-up produced a project to play. Every failure but an empty archive layer has
// shown its message already.
bool Playable(const StartupProject& project, const PlayerConsole& console) {
    if (!project.ok) return false;
    if (project.load.status == LoadStatus::kLoaded) return true;
    if (project.load.status == LoadStatus::kNothingLoaded) {
        console.err << console.program << ": " << Cp1252ToUtf8(project.source_path)
                    << ": the project holds nothing to play\n";
    }
    return false;
}

// Starts the player and runs the window until the presentation ends; `running` points to the
// player meanwhile, for a second instance's hand-over.
int Play(QtHost& host, const PlayerOptions& options, PlayerStart start, Player*& running) {
    Player player(host.Services());
    desktop::PlayerAdapter port(player);
    host.Attach(&port);
    host.Window().SetScaling(options.scale, options.smooth);
    running = &player;
    const bool started = player.Start(std::move(start));
    int code = kExitNothingPlayed;
    if (started && (player.Ended() || host.Events().Quitting())) {
        code = kExitPlayed;  // a presentation that ended while it started has played
    } else if (started) {
        if (options.fullscreen) host.Window().ToggleFullscreen();
        host.Window().Show();
        code = QApplication::exec();
    }
    running = nullptr;
    host.Attach(nullptr);
    return code;
}

}  // namespace

int RunPlayer(QtHost& host, const PlayerOptions& options, std::string_view own_exe_path,
              const PlayerConsole& console) {
    std::vector<std::string> presentation = options.presentation;
    if (presentation.empty() && !IsStandalone(own_exe_path, host.Files())) {
        auto chosen = host.Ui().ChooseProjectFile();
        if (!chosen) return kExitPlayed;  // the user chose not to play anything
        presentation.push_back(std::move(*chosen));
    }
    const std::string command_line = CommandLineOf(presentation, host.Files());
    std::vector<std::string> arguments = ParseCommandLine(command_line);
    LaunchOptions launch = ApplyLaunchPrefix(arguments);
    // The player's folder is the project file's folder: a relative name is made absolute first.
    const std::string project_path =
        launch.project_path.empty() ? "" : posix::AbsoluteWindowsPath(launch.project_path);

    EchoingUi ui(host.Ui(), console);
    LoadContext ctx{.ui = ui, .profile = host.Profile()};
    StartupProject project = LoadPlayerProject(own_exe_path, project_path, host.Files(), ctx);
    if (!Playable(project, console)) return kExitNothingPlayed;

    // A single-instance presentation already running takes this start over.
    SingleInstance instance;
    Player* running = nullptr;
    if (project.single_instance && !launch.new_window) {
        const QString name = SingleInstance::ServerName(project.instance_name);
        if (SingleInstance::HandOver(name, presentation)) return kExitPlayed;
        instance.Listen(name, [&running, &host](std::vector<std::string> handed_over) {
            if (!running) return;
            host.Window().Widget().raise();
            host.Window().Widget().activateWindow();
            // Read here as this instance reads its own arguments: its file system learns the
            // exact names behind their code-page form.
            running->OnActivation(CommandLineOf(handed_over, host.Files()));
        });
    }
    return Play(host, options,
                PlayerStart{.project = std::move(project),
                            .arguments = std::move(arguments),
                            .launch = std::move(launch),
                            .own_executable = std::string(own_exe_path)},
                running);
}

}  // namespace velk
