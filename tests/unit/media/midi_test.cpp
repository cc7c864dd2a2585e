#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <thread>

#include "media/midi_file.h"
#include "media_test_util.h"

namespace velk::media {
namespace {

using Bytes = std::vector<std::uint8_t>;

void Be(Bytes& out, std::uint32_t v, int n) {
    for (int i = n - 1; i >= 0; --i) out.push_back(std::uint8_t(v >> (8 * i)));
}

Bytes Smf(const std::vector<Bytes>& tracks, std::uint16_t division = 96) {
    Bytes out = {'M', 'T', 'h', 'd'};
    Be(out, 6, 4);
    Be(out, tracks.size() > 1 ? 1 : 0, 2);
    Be(out, std::uint32_t(tracks.size()), 2);
    Be(out, division, 2);
    for (const auto& t : tracks) {
        out.insert(out.end(), {'M', 'T', 'r', 'k'});
        Be(out, std::uint32_t(t.size()), 4);
        out.insert(out.end(), t.begin(), t.end());
    }
    return out;
}

const Bytes kEnd = {0x00, 0xFF, 0x2F, 0x00};

// Half a second of a note at 120 beats a minute, then the tempo doubles and a quarter of a
// second of another note follows (running status for its note off): 750 ms.
Bytes TwoTempoTrack() {
    Bytes t = {0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20,  // 500 000 us a quarter
               0x00, 0x90, 60,   100,                     // note on
               0x60, 0x80, 60,   0,                       // 96 ticks later: off
               0x00, 0xFF, 0x51, 0x03, 0x03, 0xD0, 0x90,  // 250 000 us a quarter
               0x00, 0x90, 64,   100,                     // note on
               0x60, 64,   0};                            // running status: on with velocity 0
    t.insert(t.end(), kEnd.begin(), kEnd.end());
    return t;
}

Bytes Rmid(const Bytes& smf) {
    Bytes out = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'R', 'M', 'I', 'D', 'd', 'a', 't', 'a'};
    for (int i = 0; i < 4; ++i) out.push_back(std::uint8_t(smf.size() >> (8 * i)));
    out.insert(out.end(), smf.begin(), smf.end());
    return out;
}

TEST(MidiTiming, ReadsTheLengthThroughTheTempoChanges) {
    // A second track, longer, with no tempo of its own: the first track's tempi rule it too.
    Bytes long_track = {0x00, 0x91, 50, 90, 0x83, 0x00, 0x81, 50, 0};  // 384 ticks
    long_track.insert(long_track.end(), kEnd.begin(), kEnd.end());
    Bytes smpte_track = {0x00, 0x90, 60, 100, 0x81, 0x48, 0x80, 60, 0};  // 200 ticks
    smpte_track.insert(smpte_track.end(), kEnd.begin(), kEnd.end());
    struct Case {
        const char* name;
        Bytes file;
        std::int64_t duration_ms;
    };
    const Case cases[] = {
        {"two tempi", Smf({TwoTempoTrack()}), 750},
        {"in an RMID wrapper", Rmid(Smf({TwoTempoTrack()})), 750},
        {"no tempo: 120 beats a minute", Smf({long_track}), 2000},
        {"two tracks", Smf({TwoTempoTrack(), long_track}), 750 + 192 * 250 / 96},
        {"SMPTE 25 frames of 40 ticks", Smf({smpte_track}, 0xE728), 200},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto timing = MidiTiming::Read(c.file);
        ASSERT_TRUE(timing.has_value());
        EXPECT_EQ(timing->DurationMs(), c.duration_ms);
    }
    const auto timing = MidiTiming::Read(Smf({TwoTempoTrack()}));
    // {ms, first tick at or after it}: 5.2 ms a tick, then 2.6 ms a tick.
    const std::pair<std::int64_t, std::int64_t> ticks[] = {{0, 0},     {250, 48},  {500, 96},
                                                           {625, 144}, {750, 192}, {5000, 192}};
    for (const auto& [ms, tick] : ticks) EXPECT_EQ(timing->TickAt(ms), tick) << ms;
}

TEST(MidiTiming, RefusesDamagedFiles) {
    const Bytes good = Smf({TwoTempoTrack()});
    Bytes cut = good;
    cut.resize(good.size() - 6);
    Bytes long_vlq = Smf({{0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 0x90, 1, 1}});
    Bytes no_status = Smf({{0x00, 0x40, 0x40}});
    Bytes no_tracks = Smf({});
    Bytes zero_division = Smf({TwoTempoTrack()}, 0);
    Bytes rmid_cut = Rmid(good);
    rmid_cut.resize(rmid_cut.size() - 10);
    for (const auto& bad : {Bytes{}, Bytes{'M', 'T', 'h', 'd'}, cut, long_vlq, no_status, no_tracks,
                            zero_division, rmid_cut}) {
        EXPECT_FALSE(MidiTiming::Read(bad).has_value());
    }
}

TEST(MidiPlayback, PlaysToItsEndByTheClock) {
    HeadlessMedia media;
    auto playback = media.Open(Smf({TwoTempoTrack()}), "Z:\\tune.mid");
    ASSERT_NE(playback, nullptr);
    EXPECT_TRUE(playback->Info().has_audio);
    EXPECT_FALSE(playback->Info().has_video);
    EXPECT_EQ(playback->Info().duration_ms, 750);
    EXPECT_EQ(playback->CurrentFrame(), nullptr);
    playback->Play();
    media.clock.Advance(300);
    EXPECT_EQ(playback->PositionMs(), 300);
    ASSERT_TRUE(playback->SetRate(2.0));
    media.clock.Advance(200);
    EXPECT_EQ(playback->PositionMs(), 700);
    media.clock.Advance(24);
    EXPECT_FALSE(playback->Update());
    media.clock.Advance(1);
    EXPECT_TRUE(playback->Update());
    EXPECT_FALSE(playback->Update());
    EXPECT_EQ(playback->State(), PlaybackState::kEnded);
    EXPECT_EQ(playback->PositionMs(), 750);
    playback->SeekMs(100);
    EXPECT_EQ(playback->State(), PlaybackState::kStopped);
    EXPECT_EQ(playback->PositionMs(), 100);
}

TEST(MidiPlayback, TheSynthesiserSoundsInTheMixer) {
    SilentSpeakers speakers;
    HeadlessMedia media(&speakers);
    auto playback = media.Open(Rmid(Smf({TwoTempoTrack()})), "Z:\\tune.rmi");
    ASSERT_NE(playback, nullptr);
    playback->Play();
    std::vector<std::int16_t> out(2 * 441);
    std::int32_t loudest = 0;
    for (int tries = 0; tries < 500 && loudest < 500; ++tries) {
        speakers.source_->Render(out);
        for (auto s : out) loudest = std::max<std::int32_t>(loudest, std::abs(s));
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    EXPECT_GE(loudest, 500);
}

}  // namespace
}  // namespace velk::media
