// The effect log of a headless run: one line per thing the presentation did that a user would
// notice, stamped with the virtual time. Tests compare it byte for byte, so everything in it is
// deterministic: UTF-8 text, escaped quotes and line breaks, numbers formatted without regard
// to the C locale.
//
//   t=<ms> msgbox "<caption>" "<text>" -> <answer>
//   t=<ms> filedialog <open|save> "<title>" "<filter>" -> "<path>" <filter index> | cancel
//   t=<ms> listedit "<entries|...>" -> list "<entries|...>" | cancel   the song list editor
//   t=<ms> page "<name>"
//   t=<ms> end
//   t=<ms> run "<file>" "<params>"  a program or document started
//   t=<ms> var <name>=<value>        strings in quotes, numbers as %d or %.15g
//   t=<ms> tooltip "<text>" at <x>,<y>  the tooltip bubble showed (screen position)
//   t=<ms> tooltip hidden            a showing bubble went away
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/host.h"
#include "hosts/headless/virtual_clock.h"
#include "player/player.h"

namespace velk::headless {

// Code-page text as UTF-8 with '\\', '"', line feeds, carriage returns and tabs written as
// escapes and other control characters as \xHH.
std::string EscapeLogText(std::string_view code_page_text);
// The same escapes for text that is UTF-8 already (a file as the user knows it).
std::string EscapeUtf8LogText(std::string_view utf8);

const char* AnswerName(host::MessageAnswer answer);
// "warning", "error", ... as the log names a box's icon; empty for none.
const char* IconName(host::MessageIcon icon);

class EffectLog {
  public:
    // `write` receives each line with its '\n'.
    using Writer = std::function<void(std::string_view line)>;
    EffectLog(const VirtualClock& clock, Writer write) : clock_(clock), write_(std::move(write)) {}

    // A box with an icon names it after the text: msgbox "Caption" "Text" warning -> ok
    void MessageBox(std::string_view caption, std::string_view text, host::MessageIcon icon,
                    std::string_view answer);
    // A box whose text names a file: `before` and `after` code-page text, the file in UTF-8.
    void MessageBoxNamingFile(std::string_view caption, std::string_view before,
                              std::string_view shown_file, std::string_view after,
                              std::string_view answer);
    // A file dialog and the path it gave with the filter pair chosen, or "cancel".
    void FileDialog(const host::FileDialog& dialog, const std::optional<host::FileChoice>& choice);
    // The song list editor with the entries it opened with, and the entries at OK or "cancel".
    void ListEditor(const std::vector<std::string>& entries,
                    const std::optional<std::vector<std::string>>& edited);
    void Page(std::string_view name);
    void End();
    void Run(std::string_view file, std::string_view parameters);
    void Mci(std::string_view command, std::string_view reply);
    void Video(std::string_view object, std::string_view verb, std::string_view argument);
    void Speak(std::string_view text);
    void Speech(std::string_view what);
    void Tooltip(std::string_view text, Point top_left);
    void TooltipHidden();
    // Every variable, in the order given (the player gives them by name).
    void Variables(const std::vector<VariableValue>& variables);

  private:
    void Line(const std::string& effect);

    const VirtualClock& clock_;
    Writer write_;
};

// Page changes and the end of the presentation go into the log.
class LoggingObserver : public host::Observer {
  public:
    explicit LoggingObserver(EffectLog& log) : log_(log) {}
    void PageShown(std::string_view name) override { log_.Page(name); }
    void Ended() override { log_.End(); }
    void MciCommand(std::string_view command, std::string_view reply) override {
        log_.Mci(command, reply);
    }
    void VideoEvent(std::string_view object, std::string_view verb,
                    std::string_view argument) override {
        log_.Video(object, verb, argument);
    }
    void Speak(std::string_view text) override { log_.Speak(text); }
    void SpeechControl(std::string_view what) override { log_.Speech(what); }

  private:
    EffectLog& log_;
};

// Programs are not started: each launch goes into the log and succeeds.
class RecordingLauncher : public host::ProcessLauncher {
  public:
    explicit RecordingLauncher(EffectLog& log) : log_(log) {}
    bool Run(std::string_view file, std::string_view parameters) override {
        log_.Run(file, parameters);
        return true;
    }

  private:
    EffectLog& log_;
};

// The tooltip bubble is not drawn anywhere: its showing and hiding go into the log.
class RecordingTooltip : public host::TooltipWindow {
  public:
    explicit RecordingTooltip(EffectLog& log) : log_(log) {}
    void ShowTooltip(Point top_left, const Surface& /*pixels*/, std::string_view text) override {
        log_.Tooltip(text, top_left);
    }
    void HideTooltip() override { log_.TooltipHidden(); }

  private:
    EffectLog& log_;
};

}  // namespace velk::headless
