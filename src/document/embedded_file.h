// An entry of the project's embedded file store.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace velk {

enum EmbeddedFileType : std::uint32_t {
    kEmbeddedWav = 1,
    kEmbeddedMod = 2,
    kEmbeddedMidi = 3,
    kEmbeddedS3m = 4,
    kEmbeddedXm = 5,
    kEmbeddedIt = 6,
    kEmbeddedRmi = 7,
    kEmbeddedFirstExtracted = 10,  // this type and above are written to the temporary folder
};

struct EmbeddedFile {
    std::uint32_t file_type = 0;
    std::string file_name;
    // Stored zlib-compressed (files of version 11 and later).
    bool compressed = false;
    // The file's bytes. Types below 10 keep them in memory; the player releases the data of
    // extracted types once they are on disk, tools keep them.
    std::vector<std::uint8_t> data;
    std::uint32_t size = 0;

    bool operator==(const EmbeddedFile&) const = default;
};

}  // namespace velk
