// A Ui that answers every message box at once and remembers what it was shown.
#pragma once

#include <string>
#include <vector>

#include "host/host.h"

namespace velk::host {

struct ShownMessage {
    std::string caption;
    std::string text;
    bool operator==(const ShownMessage&) const = default;
};

class RecordingUi : public Ui {
  public:
    // Remembers the box and answers with its first button.
    MessageAnswer Ask(std::string_view caption, std::string_view text,
                      MessageButtons buttons) override {
        messages_.push_back({std::string(caption), std::string(text)});
        switch (buttons) {
            case MessageButtons::kOk:
            case MessageButtons::kOkCancel:
                return MessageAnswer::kOk;
            case MessageButtons::kYesNo:
            case MessageButtons::kYesNoCancel:
                return MessageAnswer::kYes;
        }
        return MessageAnswer::kOk;
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

}  // namespace velk::host
