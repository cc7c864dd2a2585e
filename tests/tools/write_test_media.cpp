// Writes a test video or sound made by the tests' media fixtures, for scenarios that play media
// headless (their blobs.py finds this program in $VELK_WRITE_TEST_MEDIA). The container follows
// the file's extension: .avi, .mp4 or .wav.
//
// Usage: write_test_media FILE [--size WxH] [--fps N] [--frames N] [--silent] [--mjpeg]
//                              [--keyframes N] [--textured]
// Frame n is one flat colour naming it (media_fixtures.h); the sound is a 440 Hz tone.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "media_fixtures.h"

int main(int argc, char** argv) {
    using velk::test::TestContainer;
    if (argc < 2) {
        std::fprintf(stderr,
                     "usage: write_test_media FILE [--size WxH] [--fps N] [--frames N] "
                     "[--silent] [--mjpeg] [--keyframes N] [--textured]\n");
        return 2;
    }
    const std::string path = argv[1];
    velk::test::TestMedia media;
    if (path.ends_with(".mp4")) media.container = TestContainer::kMp4;
    if (path.ends_with(".wav")) media.container = TestContainer::kWav;
    for (int i = 2; i < argc; ++i) {
        const std::string option = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : "";
        if (option == "--size" && std::sscanf(value, "%dx%d", &media.width, &media.height) == 2) {
            ++i;
        } else if (option == "--fps") {
            media.fps = std::atoi(value), ++i;
        } else if (option == "--frames") {
            media.frames = std::atoi(value), ++i;
        } else if (option == "--keyframes") {
            media.keyframe_interval = std::atoi(value), ++i;
        } else if (option == "--silent") {
            media.with_audio = false;
        } else if (option == "--mjpeg") {
            media.codec = velk::test::TestVideoCodec::kMjpeg;
        } else if (option == "--textured") {
            media.textured = true;
        } else {
            std::fprintf(stderr, "write_test_media: unknown option %s\n", option.c_str());
            return 2;
        }
    }
    if (media.width <= 0 || media.height <= 0 || media.fps <= 0 || media.frames <= 0) {
        std::fprintf(stderr, "write_test_media: sizes, rate and length must be positive\n");
        return 2;
    }
    if (!velk::test::WriteTestVideo(path, media)) {
        std::fprintf(stderr, "write_test_media: could not write %s\n", path.c_str());
        return 1;
    }
    return 0;
}
