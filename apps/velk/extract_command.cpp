// velk extract: the project's embedded files, written under their safe names.
#include <iostream>

#include "base/codepage.h"
#include "document/embedded_extraction.h"
#include "tool_commands.h"
#include "tool_io.h"

namespace velk::tool {

int RunExtract(const ExtractArgs& args) {
    StderrUi ui;
    auto description = LoadProjectInput(args.input, ui);
    if (!description) return 1;

    const fs::path folder(args.output_dir);
    fs::create_directories(folder);
    // As in the player's temporary folder, a later entry with the same name wins.
    std::size_t written = 0;
    for (const EmbeddedFile& file : description->project.embedded_files) {
        const fs::path target = folder / Cp1252ToUtf8(SafeEmbeddedName(file.file_name));
        std::string error;
        if (!WriteFileAtomically(target, file.data, error)) {
            PrintError(error);
            return 1;
        }
        ++written;
    }
    std::cout << written << (written == 1 ? " embedded file" : " embedded files") << " written to "
              << folder.string() << '\n';
    return 0;
}

}  // namespace velk::tool
