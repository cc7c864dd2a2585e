// Writes the seed corpus of the media file target: tiny videos and sounds of every container
// and codec the tests make, encoded by FFmpeg through the tests' media fixtures.
// Usage: media_seed_writer CORPUS_DIR (the stamp file CORPUS_DIR/media_seeds.stamp is written
// last).
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

#include "media_fixtures.h"

namespace {

namespace fs = std::filesystem;
using velk::test::TestContainer;
using velk::test::TestMedia;
using velk::test::TestVideoCodec;

void Write(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: media_seed_writer CORPUS_DIR\n");
        return 2;
    }
    const fs::path corpus = fs::path(argv[1]) / "media_file";
    fs::create_directories(corpus);
    const TestMedia tiny{.width = 16,
                         .height = 16,
                         .fps = 10,
                         .frames = 3,
                         .with_audio = false,
                         .keyframe_interval = 2};
    TestMedia mjpeg = tiny;
    mjpeg.codec = TestVideoCodec::kMjpeg;
    TestMedia with_sound = tiny;
    with_sound.frames = 2;
    with_sound.with_audio = true;
    TestMedia mp4 = tiny;
    mp4.container = TestContainer::kMp4;
    TestMedia mp4_sound = with_sound;
    mp4_sound.container = TestContainer::kMp4;
    Write(corpus / "avi_mpeg4", velk::test::MakeTestVideo(tiny));
    Write(corpus / "avi_mjpeg", velk::test::MakeTestVideo(mjpeg));
    Write(corpus / "avi_mpeg4_pcm", velk::test::MakeTestVideo(with_sound));
    Write(corpus / "mp4_mpeg4", velk::test::MakeTestVideo(mp4));
    Write(corpus / "mp4_mpeg4_aac", velk::test::MakeTestVideo(mp4_sound));
    Write(corpus / "wav_mono", velk::test::MakeTestWav(100, 8000, 1));
    Write(corpus / "wav_stereo", velk::test::MakeTestWav(50, 11025, 2));
    std::ofstream(fs::path(argv[1]) / "media_seeds.stamp") << "done\n";
    return 0;
}
