// A Ui that answers every message box at once and remembers what it was shown.
#pragma once

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
    const std::vector<ShownMessage>& Messages() const { return messages_; }
    // Just the texts, in order.
    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const auto& m : messages_) texts.push_back(m.text);
        return texts;
    }
    void Clear() { messages_.clear(); }

  private:
    std::vector<ShownMessage> messages_;
};

}  // namespace velk::headless
