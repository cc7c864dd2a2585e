// What the media engine's tests share: a player's media hub over a memory disk and a virtual
// clock, with the test's files on it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "hosts/headless/memory_file_system.h"
#include "hosts/headless/virtual_clock.h"
#include "media/media_hub.h"
#include "media_fixtures.h"

namespace velk::media {

// Speakers that play nothing: the test renders the mixer itself.
class SilentSpeakers : public host::AudioOutput {
  public:
    void Attach(host::AudioSource* source) override { source_ = source; }
    std::uint64_t PlayedFrames() const override { return 0; }
    host::AudioSource* source_ = nullptr;
};

struct HeadlessMedia {
    headless::MemoryFileSystem files;
    headless::VirtualClock clock{1000};
    std::unique_ptr<MediaHub> hub;

    explicit HeadlessMedia(host::AudioOutput* speakers = nullptr)
        : hub(std::make_unique<MediaHub>(files, clock, speakers)) {}

    std::unique_ptr<Playback> Open(const std::vector<std::uint8_t>& bytes,
                                   const std::string& path = "Z:\\clip.avi") {
        files.AddFile(path, bytes);
        return hub->Open(path);
    }
};

}  // namespace velk::media
