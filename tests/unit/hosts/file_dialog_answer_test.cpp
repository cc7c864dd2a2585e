// Dialogs headless: the old filter text, the scripted answers of file dialogs and of the song
// list editor, and their log lines.
#include <gtest/gtest.h>

#include "host/file_filter.h"
#include "hosts/headless/effect_log.h"
#include "hosts/headless/scripted_ui.h"

namespace velk::headless {
namespace {

constexpr const char* kListFilter =
    "MP3List file (*.m3l)|*.m3l|M3U playlist (*.m3u)|*.m3u|All Files (*.*)|*.*||";

TEST(FileFilter, PairsEndAtTheFirstEmptyField) {
    using Pairs = std::vector<host::FilterPair>;
    const struct {
        const char* filter;
        Pairs pairs;
    } cases[] = {
        {"Videos (*.avi)|*.avi;*.mpg||", {{"Videos (*.avi)", "*.avi;*.mpg"}}},
        {"A|*.a|B|*.b||C|*.c||", {{"A", "*.a"}, {"B", "*.b"}}},
        // Without the closing "||" the pairs written count all the same.
        {"A|*.a|B|*.b", {{"A", "*.a"}, {"B", "*.b"}}},
        // A description without patterns is no pair.
        {"A|*.a|B||", {{"A", "*.a"}}},
        {"A", {}},
        {"", {}},
        {"||", {}},
    };
    for (const auto& c : cases) EXPECT_EQ(host::SplitFileFilter(c.filter), c.pairs) << c.filter;
}

TEST(FileDialogAnswer, PathFilterPairAndDefaultExtension) {
    host::FileDialog dialog;
    dialog.filter = kListFilter;
    dialog.default_extension = "tch";
    const struct {
        const char* answer;
        std::optional<std::string> path;  // none: cancelled
        std::int32_t filter_index = 1;
    } cases[] = {
        {"C:\\lists\\a.m3u", "C:\\lists\\a.m3u"},
        {"C:\\lists\\a.m3u|2", "C:\\lists\\a.m3u", 2},
        {"C:\\lists\\a.m3u|3", "C:\\lists\\a.m3u", 3},
        // Pairs the filter does not have, and no number, choose the first.
        {"C:\\lists\\a.m3u|4", "C:\\lists\\a.m3u"},
        {"C:\\lists\\a.m3u|0", "C:\\lists\\a.m3u"},
        {"C:\\lists\\a.m3u|x", "C:\\lists\\a.m3u"},
        {"C:\\lists\\a.m3u|99999999999999999999", "C:\\lists\\a.m3u"},
        // A name typed without an extension takes the default one; a dot in a folder's name
        // is no extension.
        {"C:\\lists\\mine", "C:\\lists\\mine.tch"},
        {"C:\\my.lists\\mine|2", "C:\\my.lists\\mine.tch", 2},
        {"/tmp/x.y/mine", "/tmp/x.y/mine.tch"},
        {"cancel", std::nullopt},
        {"CANCEL|2", std::nullopt},
        {"|2", std::nullopt},
    };
    for (const auto& c : cases) {
        const auto choice = ReadFileAnswer(c.answer, dialog);
        ASSERT_EQ(choice.has_value(), c.path.has_value()) << c.answer;
        if (!choice) continue;
        EXPECT_EQ(choice->path, *c.path) << c.answer;
        EXPECT_EQ(choice->filter_index, c.filter_index) << c.answer;
    }
    dialog.default_extension.clear();
    EXPECT_EQ(ReadFileAnswer("C:\\lists\\mine", dialog)->path, "C:\\lists\\mine");
}

TEST(FileDialogAnswer, TakesTheNextAnswerAndLogsTheDialog) {
    VirtualClock clock(0);
    std::string out;
    EffectLog log(clock, [&](std::string_view line) { out += line; });
    ScriptedUi ui(log);
    host::FileDialog save;
    save.purpose = host::FileDialog::Purpose::kSave;
    save.filter = "MP3List file (*.m3l)|*.m3l|All Files (*.*)|*.*||";
    save.default_extension = "tch";
    host::FileDialog open;
    open.title = "Open Video";
    open.filter = "Video \"clips\"|*.avi||";

    ui.QueueAnswer("C:\\Caf\xE9\\songs|2");
    ui.QueueAnswer("cancel");
    const auto chosen = ui.ChooseFile(save);
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(chosen->path, "C:\\Caf\xE9\\songs.tch");
    EXPECT_EQ(chosen->filter_index, 2);
    EXPECT_FALSE(ui.ChooseFile(open).has_value());
    // Nothing left to answer: the dialog is cancelled.
    EXPECT_FALSE(ui.ChooseFile(open).has_value());
    EXPECT_EQ(out,
              "t=0 filedialog save \"\" \"MP3List file (*.m3l)|*.m3l|All Files (*.*)|*.*||\" -> "
              "\"C:\\\\Caf\u00E9\\\\songs.tch\" 2\n"
              "t=0 filedialog open \"Open Video\" \"Video \\\"clips\\\"|*.avi||\" -> cancel\n"
              "t=0 filedialog open \"Open Video\" \"Video \\\"clips\\\"|*.avi||\" -> cancel\n");
}

// An editor whose Load and Save must not be pressed headless.
class OpenedEditor : public host::ListEditor {
  public:
    explicit OpenedEditor(std::vector<std::string> entries) : entries_(std::move(entries)) {}
    const std::vector<std::string>& Entries() const override { return entries_; }
    std::optional<std::vector<std::string>> Load() const override {
        ADD_FAILURE() << "Load pressed";
        return std::nullopt;
    }
    void Save(std::span<const std::string>) const override { ADD_FAILURE() << "Save pressed"; }

  private:
    std::vector<std::string> entries_;
};

TEST(ListEditorAnswer, ListGivesTheEntriesOkKeepsThemAnythingElseCancels) {
    using Entries = std::vector<std::string>;
    const Entries opened{"a.mp3", "b.mp3"};
    const struct {
        std::optional<std::string_view> answer;
        std::optional<Entries> result;
    } cases[] = {
        {"list C:\\x.mp3|y.mp3", Entries{"C:\\x.mp3", "y.mp3"}},
        {"LIST one", Entries{"one"}},
        {"list", Entries{}},
        {"list a||b", Entries{"a", "", "b"}},
        {"ok", opened},
        {"cancel", std::nullopt},
        {"listx", std::nullopt},
        {"C:\\x.mp3", std::nullopt},
        {std::nullopt, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReadListAnswer(c.answer, opened), c.result) << c.answer.value_or("(none)");
    }

    VirtualClock clock(40);
    std::string out;
    EffectLog log(clock, [&](std::string_view line) { out += line; });
    ScriptedUi ui(log);
    const OpenedEditor editor(opened);
    ui.QueueAnswer("list C:\\Caf\xE9.mp3|\"q\".mp3");
    ui.QueueAnswer("cancel");
    EXPECT_EQ(ui.EditList(editor), (Entries{"C:\\Caf\xE9.mp3", "\"q\".mp3"}));
    EXPECT_EQ(ui.EditList(editor), std::nullopt);
    EXPECT_EQ(ui.EditList(OpenedEditor({})), std::nullopt);
    EXPECT_EQ(out,
              "t=0 listedit \"a.mp3|b.mp3\" -> list \"C:\\\\Caf\u00E9.mp3|\\\"q\\\".mp3\"\n"
              "t=0 listedit \"a.mp3|b.mp3\" -> cancel\n"
              "t=0 listedit \"\" -> cancel\n");
}

}  // namespace
}  // namespace velk::headless
