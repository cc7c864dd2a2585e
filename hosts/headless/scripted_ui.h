// Dialogs of a headless run: answered from a queue of scripted answers and written to the
// effect log.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "host/host.h"
#include "hosts/headless/effect_log.h"

namespace velk::headless {

// A file dialog's answer: the path, and the filter pair chosen after a '|' ("C:\\a.m3l|2";
// paths hold no '|'). Without it the first pair is chosen, as the dialog opens with it; a pair
// the filter does not have counts as the first. A name without an extension takes the
// dialog's default extension, as the dialog adds it to a typed name. "cancel" (letter case
// aside) and an empty path cancel.
std::optional<host::FileChoice> ReadFileAnswer(std::string_view answer,
                                               const host::FileDialog& dialog);

// The song list editor's answer: "list" and the entries separated by '|' ("list a.mp3|b.mp3";
// "list" alone empties the list) is an OK with those entries; "ok" an OK that keeps `entries`;
// "cancel", anything else and no answer cancel.
std::optional<std::vector<std::string>> ReadListAnswer(std::optional<std::string_view> answer,
                                                       const std::vector<std::string>& entries);

class ScriptedUi : public host::Ui {
  public:
    explicit ScriptedUi(EffectLog& log) : log_(log) {}

    // An answer for the next dialog, whatever kind it is (code-page text): "ok", "yes", "no",
    // "cancel" for message boxes; file dialogs and the colour picker take other texts.
    void QueueAnswer(std::string answer) { answers_.push_back(std::move(answer)); }
    // The next queued answer, taken from the queue; nothing when none is left.
    std::optional<std::string> TakeAnswer();

    // The queued answer when it names one of the box's buttons (letter case aside); with none
    // queued, the first button; with an answer the box does not offer, what closing the box
    // gives (Cancel where there is one, else the last button).
    host::MessageAnswer Ask(std::string_view caption, std::string_view text,
                            host::MessageButtons buttons, host::MessageIcon icon) override;
    // Headless, reading shows no progress.
    void LoadProgress(std::uint32_t /*permille*/) override {}
    // The log names the file exactly as the file system shows it.
    void MessageNamingFile(std::string_view caption, std::string_view before,
                           std::string_view shown_file, std::string_view after) override;
    // The next queued answer is the path the user confirmed (ReadFileAnswer); none queued, or
    // "cancel", cancels.
    std::optional<host::FileChoice> ChooseFile(const host::FileDialog& dialog) override;
    // The song list editor's result is the next queued answer (ReadListAnswer); its Load and
    // Save are not pressed headless.
    std::optional<std::vector<std::string>> EditList(const host::ListEditor& editor) override;

  private:
    host::MessageAnswer Choose(host::MessageButtons buttons);

    EffectLog& log_;
    std::deque<std::string> answers_;
};

}  // namespace velk::headless
