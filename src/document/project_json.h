// The JSON project description: a whole project as readable text, every field under the name
// it has in the model. Strings are UTF-8 in the description and code-page bytes in the model.
//
// Binary parts (pictures, GIF data, metafile data, masks, embedded files) are not inlined: the
// description names files, and the conversion hands their bytes to a BlobSink (writing) or
// asks a BlobSource for them (reading), so that this code never touches the file system.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "document/project.h"
#include "document/script_text_codec.h"

namespace velk {

using Json = nlohmann::ordered_json;

// Receives the binary parts of a project being described.
class BlobSink {
  public:
    virtual ~BlobSink() = default;
    // Keeps `bytes` under a name derived from `suggested_name` (a relative path such as
    // "blobs/page0_object2_image1.png") and returns the relative path the description records.
    virtual std::string Store(std::string_view suggested_name,
                              std::span<const std::uint8_t> bytes) = 0;
};

// Supplies the files that a description names.
class BlobSource {
  public:
    virtual ~BlobSource() = default;
    // The bytes of the file at `path` (as written in the description), or nothing.
    virtual std::optional<std::vector<std::uint8_t>> Load(std::string_view path) const = 0;
};

// Both ends in memory. Names that are already taken get "_2", "_3", ... before their
// extension (compared without regard to case, so that a dump unpacks on any file system).
class MemoryBlobs : public BlobSink, public BlobSource {
  public:
    std::string Store(std::string_view suggested_name,
                      std::span<const std::uint8_t> bytes) override;
    std::optional<std::vector<std::uint8_t>> Load(std::string_view path) const override;

    const std::map<std::string, std::vector<std::uint8_t>>& Files() const { return files_; }
    void Put(std::string path, std::vector<std::uint8_t> bytes) {
        files_[std::move(path)] = std::move(bytes);
    }

  private:
    std::map<std::string, std::vector<std::uint8_t>> files_;
};

// A name not yet in `taken` (lower-cased names), derived from `suggested` as MemoryBlobs does;
// the result is added to `taken`.
std::string UniqueBlobName(std::string_view suggested, std::vector<std::string>& taken);

// The settings of a standalone executable's trailer.
struct StandaloneSettings {
    bool single_instance = false;
    // Code-page bytes, at most 38; the trailer pads them with zeros.
    std::string instance_name;
    bool operator==(const StandaloneSettings&) const = default;
};

inline constexpr std::size_t kMaxInstanceNameBytes = 38;

struct ProjectDescription {
    Project project;
    std::optional<StandaloneSettings> standalone;
    bool operator==(const ProjectDescription&) const = default;
};

struct JsonWriteOptions {
    // Leave out the fields equal to those of a fresh record (a fresh object from MakeObject
    // with an empty profile, a fresh Page or ProjectHeader). Without it every field is written,
    // absent pictures and empty byte buffers as null. The spare fields, markers and run-time
    // text of action records are written only when they are unusual, in either form.
    bool omit_defaults = false;
    // Action lists are written as script text wherever this turns them into text that compiles
    // back to the same records. Without it every list is written as records.
    const ScriptCodec* scripts = nullptr;
};

// Model to description.
Json ProjectToJson(const ProjectDescription& description, BlobSink& blobs,
                   const JsonWriteOptions& options = {});

// The description as text: two-space indentation, short lists and records on one line, a
// final newline. The same description always gives the same text.
std::string FormatJson(const Json& json);

struct DescriptionResult {
    std::optional<ProjectDescription> description;
    // "pages[1].objects[3].rect: expected 4 integers" and the like when reading failed.
    std::string error;
};

// Description to model. Missing fields take the defaults of a fresh record; unknown keys,
// wrong types and unreadable files are errors naming the JSON path. An action list may be
// script text, compiled by `scripts`; a rejected line is an error too. Without `scripts` only
// records are read.
DescriptionResult ProjectFromJson(const Json& json, const BlobSource& blobs,
                                  const ScriptCodec* scripts = nullptr);
// The same from text; a syntax error reports its line and column.
DescriptionResult ParseProjectJson(std::string_view text, const BlobSource& blobs,
                                   const ScriptCodec* scripts = nullptr);

}  // namespace velk
