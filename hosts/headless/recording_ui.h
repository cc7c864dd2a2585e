// A Ui that answers every message box at once and remembers what it was shown; file dialogs and
// the song list editor answer as the test sets them.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "host/host.h"

namespace velk::headless {

struct ShownMessage {
    std::string caption;
    std::string text;
    host::MessageIcon icon = host::MessageIcon::kNone;
    bool operator==(const ShownMessage&) const = default;
};

class RecordingUi : public host::Ui {
  public:
    // Remembers the box and answers with its first button.
    host::MessageAnswer Ask(std::string_view caption, std::string_view text,
                            host::MessageButtons buttons, host::MessageIcon icon) override {
        messages_.push_back({std::string(caption), std::string(text), icon});
        switch (buttons) {
            case host::MessageButtons::kOk:
            case host::MessageButtons::kOkCancel:
                return host::MessageAnswer::kOk;
            case host::MessageButtons::kYesNo:
            case host::MessageButtons::kYesNoCancel:
                return host::MessageAnswer::kYes;
        }
        return host::MessageAnswer::kOk;
    }
    void LoadProgress(std::uint32_t permille) override { progress_.push_back(permille); }
    // Takes the next of `file_answers` (none left: cancels) and keeps the dialog.
    std::optional<host::FileChoice> ChooseFile(const host::FileDialog& dialog) override {
        file_dialogs.push_back(dialog);
        if (file_answers.empty()) return std::nullopt;
        std::optional<host::FileChoice> answer = std::move(file_answers.front());
        file_answers.pop_front();
        return answer;
    }
    // What `edit_list` does with the editor; without it the editor is cancelled.
    std::optional<std::vector<std::string>> EditList(const host::ListEditor& editor) override {
        return edit_list ? edit_list(editor) : std::nullopt;
    }
    const std::vector<ShownMessage>& Messages() const { return messages_; }
    // Every progress report of project reading, in order.
    const std::vector<std::uint32_t>& Progress() const { return progress_; }
    // Just the texts, in order.
    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const auto& m : messages_) texts.push_back(m.text);
        return texts;
    }
    void Clear() {
        messages_.clear();
        progress_.clear();
    }

    // The answers to the next file dialogs, and every file dialog shown.
    std::deque<std::optional<host::FileChoice>> file_answers;
    std::vector<host::FileDialog> file_dialogs;
    std::function<std::optional<std::vector<std::string>>(const host::ListEditor&)> edit_list;

  private:
    std::vector<ShownMessage> messages_;
    std::vector<std::uint32_t> progress_;
};

}  // namespace velk::headless
