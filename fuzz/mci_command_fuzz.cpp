// Feeds arbitrary command strings, one a line, to the media control interpreter over a scripted
// video and sound: every reply must come back, never a crash, a hang or an oversized
// allocation. A line starting with '!' makes every medium reach its end; the device windows and
// the next due tick are asked for after each line, as the main window does.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fake_playback.h"
#include "hosts/headless/virtual_clock.h"
#include "media/mci_interpreter.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    velk::headless::VirtualClock clock;
    velk::testing::FakeMediaFiles files;
    velk::testing::FakeMedia& video = files.Add("v.avi", velk::testing::VideoMedia(10000, 25));
    velk::testing::FakeMedia& odd = files.Add("z.avi", velk::testing::VideoMedia(7, 0.5));
    velk::testing::FakeMedia& sound = files.Add("s.wav", velk::testing::SoundMedia(65000));
    velk::media::MciInterpreter mci(files.Opener(), clock);
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (!line.empty() && line.front() == '!') {
            video.end_pending = odd.end_pending = sound.end_pending = true;
            clock.Advance(static_cast<std::uint32_t>(line.size()) * 40);
            mci.Update();
            continue;
        }
        (void)mci.Send(line);
        (void)mci.ShownWindows();
        (void)mci.NextDue();
    }
    return 0;
}
