// Replays a fuzz target's corpus without libFuzzer: every file named on the command line, or
// every file inside a named folder, is passed to the target once. Files ending in ".hex" hold
// the input as hexadecimal digits (blanks and lines from '#' on are ignored), so that inputs
// kept in the repository stay readable text.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::vector<std::uint8_t> FromHex(const std::vector<std::uint8_t>& text) {
    std::vector<std::uint8_t> bytes;
    int high = -1;
    bool comment = false;
    for (std::uint8_t c : text) {
        if (c == '#') comment = true;
        if (c == '\n') comment = false;
        const int digit = comment ? -1 : HexDigit(static_cast<char>(c));
        if (digit < 0) continue;
        if (high < 0) {
            high = digit;
        } else {
            bytes.push_back(static_cast<std::uint8_t>(high << 4 | digit));
            high = -1;
        }
    }
    return bytes;
}

int Replay(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                    std::istreambuf_iterator<char>());
    if (file.extension() == ".hex") bytes = FromHex(bytes);
    LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    int replayed = 0;
    for (int i = 1; i < argc; ++i) {
        std::filesystem::path path(argv[i]);
        if (std::filesystem::is_directory(path)) {
            for (const auto& entry : std::filesystem::recursive_directory_iterator(path)) {
                if (entry.is_regular_file()) replayed += Replay(entry.path());
            }
        } else if (std::filesystem::exists(path)) {
            replayed += Replay(path);
        }
    }
    std::printf("replayed %d inputs\n", replayed);
    return replayed > 0 ? 0 : 1;
}
