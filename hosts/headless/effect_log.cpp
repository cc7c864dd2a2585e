#include "hosts/headless/effect_log.h"

#include <algorithm>
#include <vector>

#include "base/codepage.h"

namespace velk::headless {

namespace {

// Escapes `text`; bytes from 0x80 up are code-page characters, or with `utf8` parts of UTF-8.
std::string Escape(std::string_view text, bool utf8) {
    std::string escaped;
    for (char c : text) {
        switch (c) {
            case '\\':
                escaped += "\\\\";
                break;
            case '"':
                escaped += "\\\"";
                break;
            case '\n':
                escaped += "\\n";
                break;
            case '\r':
                escaped += "\\r";
                break;
            case '\t':
                escaped += "\\t";
                break;
            default:
                if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
                    static constexpr char kHex[] = "0123456789ABCDEF";
                    const auto byte = static_cast<unsigned char>(c);
                    escaped += "\\x";
                    escaped += kHex[byte >> 4];
                    escaped += kHex[byte & 15];
                } else if (utf8) {
                    escaped += c;
                } else {
                    escaped += Cp1252ToUtf8(std::string_view(&c, 1));
                }
        }
    }
    return escaped;
}

}  // namespace

std::string EscapeLogText(std::string_view code_page_text) {
    return Escape(code_page_text, false);
}

std::string EscapeUtf8LogText(std::string_view utf8) {
    return Escape(utf8, true);
}

const char* AnswerName(host::MessageAnswer answer) {
    switch (answer) {
        case host::MessageAnswer::kOk:
            return "ok";
        case host::MessageAnswer::kCancel:
            return "cancel";
        case host::MessageAnswer::kYes:
            return "yes";
        case host::MessageAnswer::kNo:
            return "no";
    }
    return "?";
}

void EffectLog::Line(const std::string& effect) {
    write_("t=" + std::to_string(clock_.ElapsedMs()) + " " + effect + "\n");
}

const char* IconName(host::MessageIcon icon) {
    switch (icon) {
        case host::MessageIcon::kNone:
            return "";
        case host::MessageIcon::kInformation:
            return "information";
        case host::MessageIcon::kWarning:
            return "warning";
        case host::MessageIcon::kError:
            return "error";
        case host::MessageIcon::kQuestion:
            return "question";
    }
    return "";
}

void EffectLog::MessageBox(std::string_view caption, std::string_view text, host::MessageIcon icon,
                           std::string_view answer) {
    std::string line = "msgbox \"" + EscapeLogText(caption) + "\" \"" + EscapeLogText(text) + "\"";
    if (icon != host::MessageIcon::kNone) line += std::string(" ") + IconName(icon);
    Line(line + " -> " + std::string(answer));
}

void EffectLog::MessageBoxNamingFile(std::string_view caption, std::string_view before,
                                     std::string_view shown_file, std::string_view after,
                                     std::string_view answer) {
    Line("msgbox \"" + EscapeLogText(caption) + "\" \"" + EscapeLogText(before) +
         EscapeUtf8LogText(shown_file) + EscapeLogText(after) + "\" -> " + std::string(answer));
}

void EffectLog::FileDialog(const host::FileDialog& dialog,
                           const std::optional<host::FileChoice>& choice) {
    const char* purpose = dialog.purpose == host::FileDialog::Purpose::kSave ? "save" : "open";
    std::string line = std::string("filedialog ") + purpose + " \"" + EscapeLogText(dialog.title) +
                       "\" \"" + EscapeLogText(dialog.filter) + "\" -> ";
    if (choice) {
        line += "\"" + EscapeLogText(choice->path) + "\" " + std::to_string(choice->filter_index);
    } else {
        line += "cancel";
    }
    Line(line);
}

namespace {

std::string JoinedEntries(const std::vector<std::string>& entries) {
    std::string joined;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (i > 0) joined += '|';
        joined += EscapeLogText(entries[i]);
    }
    return "\"" + joined + "\"";
}

}  // namespace

void EffectLog::ListEditor(const std::vector<std::string>& entries,
                           const std::optional<std::vector<std::string>>& edited) {
    Line("listedit " + JoinedEntries(entries) + " -> " +
         (edited ? "list " + JoinedEntries(*edited) : std::string("cancel")));
}

void EffectLog::Page(std::string_view name) {
    Line("page \"" + EscapeLogText(name) + "\"");
}

void EffectLog::End() {
    Line("end");
}

void EffectLog::Run(std::string_view file, std::string_view parameters) {
    Line("run \"" + EscapeLogText(file) + "\" \"" + EscapeLogText(parameters) + "\"");
}

void EffectLog::Mci(std::string_view command, std::string_view reply) {
    Line("mci \"" + EscapeLogText(command) + "\" -> \"" + EscapeLogText(reply) + "\"");
}

void EffectLog::Video(std::string_view object, std::string_view verb, std::string_view argument) {
    Line("video \"" + EscapeLogText(object) + "\" " + std::string(verb) + " \"" +
         EscapeLogText(argument) + "\"");
}

void EffectLog::Speak(std::string_view text) {
    Line("speak \"" + EscapeLogText(text) + "\"");
}

void EffectLog::Speech(std::string_view what) {
    Line("tts " + std::string(what));
}

void EffectLog::Tooltip(std::string_view text, Point top_left) {
    Line("tooltip \"" + EscapeLogText(text) + "\" at " + std::to_string(top_left.x) + "," +
         std::to_string(top_left.y));
}

void EffectLog::TooltipHidden() {
    Line("tooltip hidden");
}

void EffectLog::Variables(const std::vector<VariableValue>& variables) {
    for (const VariableValue& variable : variables) {
        const std::string shown =
            variable.is_text ? "\"" + EscapeLogText(variable.value) + "\"" : variable.value;
        Line("var " + EscapeLogText(variable.name) + "=" + shown);
    }
}

}  // namespace velk::headless
