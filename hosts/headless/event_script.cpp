#include "hosts/headless/event_script.h"

#include <array>
#include <charconv>
#include <limits>
#include <optional>

#include "base/codepage.h"
#include "hosts/headless/event_keys.h"

namespace velk::headless {
namespace {

// The longest single wait: timers of the player go no further than this either.
constexpr std::uint64_t kMaxWaitMs = 0x7FFFFFFF;

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && (IsBlank(text.back()) || text.back() == '\r')) text.remove_suffix(1);
    return text;
}

// The first word of `text` and what follows it (without the separating blanks).
std::pair<std::string_view, std::string_view> SplitWord(std::string_view text) {
    std::size_t end = 0;
    while (end < text.size() && !IsBlank(text[end])) ++end;
    std::string_view rest = text.substr(end);
    while (!rest.empty() && IsBlank(rest.front())) rest.remove_prefix(1);
    return {text.substr(0, end), rest};
}

std::vector<std::string_view> Words(std::string_view text) {
    std::vector<std::string_view> words;
    while (!text.empty()) {
        auto [word, rest] = SplitWord(text);
        words.push_back(word);
        text = rest;
    }
    return words;
}

template <typename T>
std::optional<T> ParseInteger(std::string_view word) {
    T value{};
    const char* end = word.data() + word.size();
    auto [ptr, error] = std::from_chars(word.data(), end, value);
    if (error != std::errc() || ptr != end || word.empty()) return std::nullopt;
    return value;
}

// Screenshot names become file names: keep them to one harmless component.
bool IsShotName(std::string_view name) {
    if (name.empty() || name == "." || name == "..") return false;
    for (char c : name) {
        const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                        (c >= '0' && c <= '9') || c == '_' || c == '-' || c == '.';
        if (!ok) return false;
    }
    return true;
}

struct PointerWord {
    std::string_view word;
    EventKind kind;
};
constexpr std::array<PointerWord, 7> kPointerWords{{
    {"move", EventKind::kMove},
    {"down", EventKind::kDown},
    {"up", EventKind::kUp},
    {"click", EventKind::kClick},
    {"dblclick", EventKind::kDoubleClick},
    {"rdown", EventKind::kRightDown},
    {"rup", EventKind::kRightUp},
}};

class LineParser {
  public:
    LineParser(std::size_t number, std::string_view line) : number_(number), line_(line) {}

    [[noreturn]] void Fail(const std::string& why) const {
        throw EventScriptError("line " + std::to_string(number_) + ": " + why + ": " +
                               std::string(line_));
    }

    // Adds the line's event (if any) to `script`.
    void Parse(EventScript& script) const {
        auto [word, rest] = SplitWord(line_);
        ScriptedEvent event;
        event.time_ms = script.end_ms;
        event.line = number_;
        if (word == "wait") {
            const auto words = Words(rest);
            std::optional<std::uint64_t> ms;
            if (words.size() == 1) ms = ParseInteger<std::uint64_t>(words[0]);
            if (!ms || *ms > kMaxWaitMs) {
                Fail("\"wait\" takes one number of milliseconds (0 to " +
                     std::to_string(kMaxWaitMs) + ")");
            }
            script.end_ms += *ms;
            return;
        }
        for (const PointerWord& pointer : kPointerWords) {
            if (word != pointer.word) continue;
            const auto words = Words(rest);
            std::optional<std::int32_t> x, y;
            if (words.size() == 2) {
                x = ParseInteger<std::int32_t>(words[0]);
                y = ParseInteger<std::int32_t>(words[1]);
            }
            if (!x || !y) Fail("\"" + std::string(word) + "\" takes X and Y (integers)");
            event.kind = pointer.kind;
            event.x = *x;
            event.y = *y;
            script.events.push_back(event);
            return;
        }
        if (word == "key") {
            const auto words = Words(rest);
            std::optional<KeyWithModifiers> key;
            if (words.size() == 1) key = KeyFromChord(words[0]);
            if (!key) {
                Fail(
                    "\"key\" takes one key name (a letter, a digit, F1-F12, Escape, Return, "
                    "Enter, Tab, Space, Left, Right, Up, Down, Home, End, PageUp, PageDown, "
                    "Backspace, Delete, Insert or Numpad0-Numpad9, perhaps after Shift+, Ctrl+ "
                    "or Alt+)");
            }
            event.kind = EventKind::kKey;
            event.key = key->key;
            event.modifiers = key->modifiers;
        } else if (word == "type" || word == "answer") {
            // The text is everything after the word, blanks inside included.
            if (rest.empty()) Fail("\"" + std::string(word) + "\" needs a text");
            event.kind = word == "type" ? EventKind::kType : EventKind::kAnswer;
            event.text = Utf8ToCp1252(rest);
        } else if (word == "shot") {
            const auto words = Words(rest);
            if (words.size() != 1 || !IsShotName(words[0])) {
                Fail("\"shot\" takes one name of letters, digits, '_', '-' and '.'");
            }
            event.kind = EventKind::kShot;
            event.text = std::string(words[0]);
        } else if (word == "vars" || word == "close" || word == "blur" || word == "quit") {
            if (!rest.empty()) Fail("\"" + std::string(word) + "\" takes nothing after it");
            event.kind = word == "vars"    ? EventKind::kVars
                         : word == "close" ? EventKind::kClose
                         : word == "blur"  ? EventKind::kBlur
                                           : EventKind::kQuit;
        } else {
            Fail("unknown event \"" + std::string(word) + "\"");
        }
        script.events.push_back(std::move(event));
    }

  private:
    std::size_t number_;
    std::string_view line_;
};

}  // namespace

EventScript ParseEventScript(std::string_view text) {
    EventScript script;
    std::size_t number = 0;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        ++number;
        line = TrimBlanks(line);
        if (line.empty() || line.front() == '#') continue;
        LineParser(number, line).Parse(script);
    }
    return script;
}

}  // namespace velk::headless
