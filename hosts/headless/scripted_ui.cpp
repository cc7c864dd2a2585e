#include "hosts/headless/scripted_ui.h"

#include <algorithm>
#include <vector>

#include "base/codepage.h"
#include "host/file_filter.h"

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

// The filter pair named by the digits after the path's '|'; the first for anything else.
std::int32_t FilterIndex(std::string_view digits, const host::FileDialog& dialog) {
    const auto pairs = static_cast<std::int32_t>(host::SplitFileFilter(dialog.filter).size());
    std::int32_t index = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9' || index > pairs) return 1;
        index = index * 10 + (c - '0');
    }
    return index >= 1 && index <= pairs ? index : 1;
}

bool HasExtension(std::string_view path) {
    const std::size_t name = path.find_last_of("\\/");
    const std::size_t dot = path.rfind('.');
    return dot != std::string_view::npos && (name == std::string_view::npos || dot > name);
}

}  // namespace

std::optional<host::FileChoice> ReadFileAnswer(std::string_view answer,
                                               const host::FileDialog& dialog) {
    const std::size_t bar = answer.find('|');
    const std::string_view path = answer.substr(0, bar);
    if (path.empty() || EqualsIgnoreCase(path, "cancel")) return std::nullopt;
    host::FileChoice choice;
    choice.path = std::string(path);
    if (!dialog.default_extension.empty() && !HasExtension(path)) {
        choice.path += '.' + dialog.default_extension;
    }
    if (bar != std::string_view::npos)
        choice.filter_index = FilterIndex(answer.substr(bar + 1), dialog);
    return choice;
}

std::optional<std::vector<std::string>> ReadListAnswer(std::optional<std::string_view> answer,
                                                       const std::vector<std::string>& entries) {
    constexpr std::string_view kList = "list";
    if (!answer) return std::nullopt;
    if (EqualsIgnoreCase(*answer, "ok")) return entries;
    if (answer->size() < kList.size() ||
        !EqualsIgnoreCase(answer->substr(0, kList.size()), kList)) {
        return std::nullopt;
    }
    std::string_view rest = answer->substr(kList.size());
    if (rest.empty()) return std::vector<std::string>();
    if (rest.front() != ' ') return std::nullopt;
    rest.remove_prefix(1);
    std::vector<std::string> edited;
    for (;;) {
        const std::size_t bar = rest.find('|');
        edited.emplace_back(rest.substr(0, bar));
        if (bar == std::string_view::npos) break;
        rest.remove_prefix(bar + 1);
    }
    return edited;
}

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

std::optional<host::FileChoice> ScriptedUi::ChooseFile(const host::FileDialog& dialog) {
    const std::optional<std::string> answer = TakeAnswer();
    std::optional<host::FileChoice> choice;
    if (answer) choice = ReadFileAnswer(*answer, dialog);
    log_.FileDialog(dialog, choice);
    return choice;
}

std::optional<std::vector<std::string>> ScriptedUi::EditList(const host::ListEditor& editor) {
    const std::optional<std::string> answer = TakeAnswer();
    std::optional<std::vector<std::string>> edited = ReadListAnswer(answer, editor.Entries());
    log_.ListEditor(editor.Entries(), edited);
    return edited;
}

}  // namespace velk::headless
