#include "hosts/headless/scripted_ui.h"

#include <algorithm>
#include <vector>

#include "base/codepage.h"

namespace velk::headless {
namespace {

std::vector<host::MessageAnswer> Offered(host::MessageButtons buttons) {
    switch (buttons) {
        case host::MessageButtons::kOk:
            return {host::MessageAnswer::kOk};
        case host::MessageButtons::kOkCancel:
            return {host::MessageAnswer::kOk, host::MessageAnswer::kCancel};
        case host::MessageButtons::kYesNo:
            return {host::MessageAnswer::kYes, host::MessageAnswer::kNo};
        case host::MessageButtons::kYesNoCancel:
            return {host::MessageAnswer::kYes, host::MessageAnswer::kNo,
                    host::MessageAnswer::kCancel};
    }
    return {host::MessageAnswer::kOk};
}

}  // namespace

std::optional<std::string> ScriptedUi::TakeAnswer() {
    if (answers_.empty()) return std::nullopt;
    std::string answer = std::move(answers_.front());
    answers_.pop_front();
    return answer;
}

host::MessageAnswer ScriptedUi::Choose(host::MessageButtons buttons) {
    const std::vector<host::MessageAnswer> offered = Offered(buttons);
    host::MessageAnswer chosen = offered.front();
    if (auto answer = TakeAnswer()) {
        const auto named = std::find_if(offered.begin(), offered.end(), [&](host::MessageAnswer a) {
            return EqualsIgnoreCase(*answer, AnswerName(a));
        });
        if (named != offered.end()) {
            chosen = *named;
        } else {
            const bool has_cancel = std::find(offered.begin(), offered.end(),
                                              host::MessageAnswer::kCancel) != offered.end();
            chosen = has_cancel ? host::MessageAnswer::kCancel : offered.back();
        }
    }
    return chosen;
}

host::MessageAnswer ScriptedUi::Ask(std::string_view caption, std::string_view text,
                                    host::MessageButtons buttons, host::MessageIcon icon) {
    const host::MessageAnswer chosen = Choose(buttons);
    log_.MessageBox(caption, text, icon, AnswerName(chosen));
    return chosen;
}

void ScriptedUi::MessageNamingFile(std::string_view caption, std::string_view before,
                                   std::string_view shown_file, std::string_view after) {
    const host::MessageAnswer chosen = Choose(host::MessageButtons::kOk);
    log_.MessageBoxNamingFile(caption, before, shown_file, after, AnswerName(chosen));
}

}  // namespace velk::headless
