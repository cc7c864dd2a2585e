#include "hosts/headless/scripted_ui.h"

#include <algorithm>
#include <vector>

#include "base/codepage.h"

namespace velk::host {
namespace {

std::vector<MessageAnswer> Offered(MessageButtons buttons) {
    switch (buttons) {
        case MessageButtons::kOk:
            return {MessageAnswer::kOk};
        case MessageButtons::kOkCancel:
            return {MessageAnswer::kOk, MessageAnswer::kCancel};
        case MessageButtons::kYesNo:
            return {MessageAnswer::kYes, MessageAnswer::kNo};
        case MessageButtons::kYesNoCancel:
            return {MessageAnswer::kYes, MessageAnswer::kNo, MessageAnswer::kCancel};
    }
    return {MessageAnswer::kOk};
}

}  // namespace

std::optional<std::string> ScriptedUi::TakeAnswer() {
    if (answers_.empty()) return std::nullopt;
    std::string answer = std::move(answers_.front());
    answers_.pop_front();
    return answer;
}

MessageAnswer ScriptedUi::Ask(std::string_view caption, std::string_view text,
                              MessageButtons buttons) {
    const std::vector<MessageAnswer> offered = Offered(buttons);
    MessageAnswer chosen = offered.front();
    if (auto answer = TakeAnswer()) {
        const auto named = std::find_if(offered.begin(), offered.end(), [&](MessageAnswer a) {
            return EqualsIgnoreCase(*answer, AnswerName(a));
        });
        if (named != offered.end()) {
            chosen = *named;
        } else {
            const bool has_cancel =
                std::find(offered.begin(), offered.end(), MessageAnswer::kCancel) != offered.end();
            chosen = has_cancel ? MessageAnswer::kCancel : offered.back();
        }
    }
    log_.MessageBox(caption, text, AnswerName(chosen));
    return chosen;
}

}  // namespace velk::host
