// Writes the seed corpora and dictionaries of the record and script fuzz targets from the
// project descriptions and script tests the other tests use, so that no binary seed lives in
// the repository:
//   object_record/   one object record each, behind a byte that picks the file version
//   action_list/     every stored action list
//   dib_section/     stored pixel stores: compressed, raw, legacy and without a picture
//   expression/      every argument, condition and loop limit of the scripts
//   script_compiler/ every script as text
//   region_mask/     window shape masks and polygons in the region target's layout
//   command_line/    command lines of the kinds another instance and the desktop write
// and a libFuzzer dictionary TARGET.dict beside them: every command, built-in and keyword for
// the script targets, the markers and escapes of the stored form for the record targets.
// Usage: record_seed_writer CORPUS_DIR SCRIPT_TEST_DIR DESCRIPTION... (the stamp file
// CORPUS_DIR/record_seeds.stamp is written last).
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "base/byte_writer.h"
#include "document/action_list_io.h"
#include "document/command_vocabulary.h"
#include "document/object_io.h"
#include "document/project_json.h"
#include "gfx/dib_section.h"
#include "hosts/headless/recording_ui.h"
#include "script/builtin_support.h"
#include "script/compiler.h"
#include "script/compiler_script_codec.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

void Write(const fs::path& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

void WriteText(const fs::path& path, std::string_view text) {
    Write(path, Bytes(text.begin(), text.end()));
}

std::string ReadText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Reads the files a description names, relative to its folder.
class FolderBlobs : public velk::BlobSource {
  public:
    explicit FolderBlobs(fs::path base) : base_(std::move(base)) {}
    std::optional<Bytes> Load(std::string_view path) const override {
        std::ifstream in(base_ / fs::path(std::string(path)), std::ios::binary);
        if (!in) return std::nullopt;
        return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

  private:
    fs::path base_;
};

// Names each seed of one corpus by a running number behind a prefix.
class Corpus {
  public:
    Corpus(const fs::path& root, std::string name) : dir_(root / name) {
        fs::create_directories(dir_);
    }
    void Add(std::string_view prefix, const Bytes& bytes) {
        if (!seen_.insert(bytes).second) return;  // the same seed once
        Write(dir_ / (std::string(prefix) + "_" + std::to_string(seen_.size())), bytes);
    }
    void AddText(std::string_view prefix, std::string_view text) {
        if (!text.empty()) Add(prefix, Bytes(text.begin(), text.end()));
    }

  private:
    fs::path dir_;
    std::set<Bytes> seen_;
};

struct Corpora {
    explicit Corpora(const fs::path& root)
        : objects(root, "object_record"),
          lists(root, "action_list"),
          dibs(root, "dib_section"),
          expressions(root, "expression"),
          scripts(root, "script_compiler"),
          regions(root, "region_mask"),
          command_lines(root, "command_line") {}
    Corpus objects, lists, dibs, expressions, scripts, regions, command_lines;
};

void AddList(Corpora& out, std::string_view name, const velk::ActionList& list) {
    if (list.empty()) return;
    velk::ByteWriter bytes;
    velk::WriteActionList(bytes, list);
    out.lists.Add(name, bytes.Take());
    if (auto text = velk::DecompileScript(list)) out.scripts.AddText(name, *text);
    for (const velk::ActionRecord& record : list.records) {
        out.expressions.AddText(name, record.argument);
        out.expressions.AddText(name, record.limit);
    }
}

void AddObject(Corpora& out, std::string_view name, const velk::Object& object,
               std::int32_t version) {
    velk::ByteWriter bytes;
    // The target reads the version from the first byte: 1 + byte % 32.
    bytes.U8(static_cast<std::uint8_t>(version - 1));
    velk::WriteObject(bytes, object, version);
    out.objects.Add(name, bytes.Take());
    for (const velk::ActionList* list :
         {&object.actions_down, &object.actions_click, &object.actions_3, &object.actions_4,
          &object.actions_5, &object.actions_6}) {
        AddList(out, name, *list);
    }
}

void AddPage(Corpora& out, std::string_view name, const velk::Page& page, std::int32_t version) {
    AddList(out, name, page.entry_actions);
    AddList(out, name, page.exit_actions);
    for (const velk::Object& object : page.objects) AddObject(out, name, object, version);
}

// The region target's layout: width - 1, step - 1, key, tolerance, then the mask bytes; the
// same bytes are read again as polygon points.
void AddShape(Corpora& out, std::string_view name, const velk::WindowShape& shape) {
    if (shape.shape_mask_present != 0 && shape.shape_mask_width > 0 &&
        shape.shape_mask_width <= 256) {
        Bytes bytes{static_cast<std::uint8_t>(shape.shape_mask_width - 1), 0, 255, 5};
        bytes.insert(bytes.end(), shape.shape_mask.begin(), shape.shape_mask.end());
        out.regions.Add(name, bytes);
    }
    if (!shape.shape_points.empty()) {
        velk::ByteWriter bytes;
        bytes.Bytes(Bytes{0, 0, 0, 0});
        for (const velk::Point& p : shape.shape_points) {
            bytes.U16(static_cast<std::uint16_t>(p.x));
            bytes.U16(static_cast<std::uint16_t>(p.y));
        }
        out.regions.Add(name, bytes.Take());
    }
}

void AddDescription(Corpora& out, const fs::path& path, const std::string& name) {
    const velk::CompilerScriptCodec codec;
    FolderBlobs blobs(path.parent_path());
    velk::DescriptionResult read = velk::ParseProjectJson(ReadText(path), blobs, &codec);
    if (!read.description) {
        std::fprintf(stderr, "record_seed_writer: %s: %s\n", path.c_str(), read.error.c_str());
        return;
    }
    const velk::Project& project = read.description->project;
    for (const velk::Page& page : project.pages) AddPage(out, name, page, project.version);
    AddPage(out, name, project.master_page, project.version);
    AddPage(out, name, project.master_layer, project.version);
    AddShape(out, name, project.shape);
}

// A script test holds the main script, then sections; the click, layer and page sections are
// scripts too.
void AddScriptTest(Corpora& out, const fs::path& path) {
    std::istringstream lines(ReadText(path));
    std::string line, script;
    bool in_script = true;
    const std::string name = path.stem().string();
    for (std::string line_text; std::getline(lines, line_text);) {
        if (line_text.rfind("== ", 0) == 0) {
            out.scripts.AddText(name, script);
            script.clear();
            in_script = line_text.rfind("== click", 0) == 0 ||
                        line_text.rfind("== layer", 0) == 0 || line_text.rfind("== page", 0) == 0;
            continue;
        }
        if (!in_script || line_text.rfind('#', 0) == 0) continue;
        script += line_text + "\n";
        std::string_view trimmed(line_text);
        // The part after a leading keyword is an expression of its own.
        for (std::string_view keyword : {"If ", "For ", "Else If "}) {
            if (trimmed.rfind(keyword, 0) == 0) trimmed.remove_prefix(keyword.size());
        }
        out.expressions.AddText(name, trimmed);
    }
    out.scripts.AddText(name, script);
}

void AddPixelStores(Corpora& out) {
    velk::headless::RecordingUi ui;
    for (auto [width, height] : {std::pair{1, 1}, {3, 2}, {8, 8}, {17, 5}}) {
        velk::DibSection store;
        store.Recreate(width, height);
        Bytes pixels(static_cast<std::size_t>(store.GetSizeImage()));
        for (std::size_t i = 0; i < pixels.size(); ++i) pixels[i] = std::uint8_t(i * 7 / 5);
        store.SetBitsBottomUp(pixels);
        velk::ByteWriter packed;
        store.Serialize(packed, ui);
        out.dibs.Add("compressed", packed.Take());
        // Compression that gives up: the raw pixels follow the zero length.
        velk::ByteWriter raw;
        store.Serialize(raw, ui, [](auto, std::size_t) { return Bytes{}; });
        out.dibs.Add("raw", raw.Take());
        // The legacy form: the marker word is the pixel byte count.
        velk::ByteWriter legacy;
        legacy.U32(0);
        legacy.I32(width);
        legacy.I32(height);
        legacy.U32(static_cast<std::uint32_t>(pixels.size()));
        legacy.Bytes(pixels);
        out.dibs.Add("legacy", legacy.Take());
    }
    velk::ByteWriter empty;
    velk::DibSection().Serialize(empty, ui);
    out.dibs.Add("empty", empty.Take());
}

void AddMasks(Corpora& out) {
    // A ring, a diagonal and a key-coloured border, in steps of 1 and 4.
    for (std::uint8_t step : {1, 4}) {
        const int width = 12, height = 9;
        Bytes bytes{width - 1, static_cast<std::uint8_t>(step - 1), 255, 5};
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const bool ring = (x - 6) * (x - 6) + (y - 4) * (y - 4) < 16;
                const bool diagonal = x == y || x + y == width;
                for (int s = 0; s < step; ++s) bytes.push_back(ring || diagonal ? 0 : 255);
            }
        }
        out.regions.Add("mask", bytes);
    }
}

void AddCommandLines(Corpora& out) {
    for (std::string_view line :
         {"show.vkd", "\"/home/me/my show.vkd\" \"ZAZA|SA:Page 2\"",
          "\"Z:\\shows\\a.vkd\" \"ZAZA|SA:NEW_WINDOW,Intro\"", "a.vkd ZAZA|SA:NEW_WINDOW",
          "a \"b c\" d\"\"e \"\"\"f\"\"\"", "one\ttwo  three \"\"",
          "1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18"}) {
        out.command_lines.AddText("line", line);
    }
}

void WriteScriptDictionary(const fs::path& path) {
    std::set<std::string> words;
    for (const velk::CommandEntry& entry : velk::CommandTable()) words.emplace(entry.name);
    for (auto table : {velk::ArithmeticBuiltins(), velk::WindowBuiltins(), velk::ObjectBuiltins(),
                       velk::FileNumericBuiltins()}) {
        for (const auto& entry : table) words.emplace(entry.name);
    }
    for (auto table :
         {velk::FileStringBuiltins(), velk::TextBuiltins(), velk::SystemStringBuiltins()}) {
        for (const auto& entry : table) words.emplace(entry.name);
    }
    for (std::string_view word :
         {"If",       "Else",      "End",     "For", "To", "Next",
          "Break",    "Return",    "Pause",   "And", "Or", "Not",
          "Mod",      "Xor",       "<>",      "<=",  ">=", "CmdLineParam$[0]",
          "<SrcDir>", "<TempDir>", "<WinDir>"}) {
        words.emplace(word);
    }
    std::ofstream out(path);
    for (const std::string& word : words) {
        out << '"';
        for (char c : word) {
            if (c == '"' || c == '\\') out << '\\';
            out << c;
        }
        out << "\"\n";
    }
}

void WriteRecordDictionary(const fs::path& path) {
    std::ofstream out(path);
    out << "\"\\xFF\\xFF\\xFF\\xFF\"\n"                 // end markers, the compressed pixel marker
        << "\"\\xFF\\xFF\\x00\"\n"                      // a 16-bit string length escape
        << "\"\\xFF\\xFE\\xFF\"\n"                      // a wide string
        << "\"\\xFF\\xFF\\xFF\\xFF\\xFF\\xFF\\xFF\"\n"  // a 32-bit length escape
        << "\"\\x00\\x00\\x00\\x80\"\n"                 // the extremes of a 32-bit number
        << "\"\\xFF\\xFF\\xFF\\x7F\"\n"
        << "\"Vellumkit\"\n";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr,
                     "usage: record_seed_writer CORPUS_DIR SCRIPT_TEST_DIR DESCRIPTION...\n");
        return 2;
    }
    const fs::path root(argv[1]);
    Corpora corpora(root);
    for (const auto& entry : fs::directory_iterator(argv[2])) {
        if (entry.path().extension() == ".txt") AddScriptTest(corpora, entry.path());
    }
    for (int i = 3; i < argc; ++i) {
        const fs::path path(argv[i]);
        AddDescription(corpora, path, path.parent_path().filename().string());
    }
    AddPixelStores(corpora);
    AddMasks(corpora);
    AddCommandLines(corpora);
    for (std::string_view target : {"expression", "script_compiler"}) {
        WriteScriptDictionary(root / (std::string(target) + ".dict"));
    }
    for (std::string_view target :
         {"object_record", "action_list", "dib_section", "project_reader"}) {
        WriteRecordDictionary(root / (std::string(target) + ".dict"));
    }
    WriteText(root / "command_line.dict",
              "\"ZAZA|SA:\"\n\"NEW_WINDOW\"\n\"\\\"\\\"\"\n\"\\x09\"\n");
    Write(root / "record_seeds.stamp", {});
    return 0;
}
