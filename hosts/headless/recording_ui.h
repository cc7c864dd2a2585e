// A Ui that answers every message box at once and remembers what it was shown.
#pragma once

#include <cstdint>
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

  private:
    std::vector<ShownMessage> messages_;
    std::vector<std::uint32_t> progress_;
};

}  // namespace velk::headless
