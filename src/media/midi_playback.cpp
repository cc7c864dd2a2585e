#include "media/midi_playback.h"

#include <fluidsynth.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <utility>

namespace velk::media {
namespace {

constexpr std::size_t kSoundCapacityFrames = host::AudioOutput::kSampleRate / 2;
constexpr int kBlockFrames = 512;
constexpr double kMinRate = 0.01;
constexpr double kMaxRate = 100.0;
// The General MIDI sound fonts of the system, the small one first.
constexpr std::array kSoundFonts = {"/usr/share/sounds/sf2/TimGM6mb.sf2",
                                    "/usr/share/sounds/sf2/default-GM.sf2",
                                    "/usr/share/sounds/sf2/FluidR3_GM.sf2"};

}  // namespace

// FluidSynth's synthesiser and file player, driven by the worker thread alone; the player's
// thread only posts a seek or a tempo.
class MidiPlayback::Synth {
  public:
    static std::unique_ptr<Synth> Make(std::span<const std::uint8_t> smf,
                                       std::shared_ptr<AudioMixer::Stream> sound) {
        std::unique_ptr<Synth> synth(new Synth(smf, std::move(sound)));
        if (!synth->settings_ || !synth->synth_) return nullptr;
        bool loaded = false;
        for (const char* font : kSoundFonts) {
            std::error_code ignored;
            if (std::filesystem::exists(font, ignored) &&
                fluid_synth_sfload(synth->synth_, font, 1) != FLUID_FAILED) {
                loaded = true;
                break;
            }
        }
        if (!loaded) return nullptr;
        synth->thread_ = std::jthread([s = synth.get()](std::stop_token stop) { s->Run(stop); });
        return synth;
    }

    ~Synth() {
        {
            std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        changed_.notify_all();
        if (thread_.joinable()) thread_.join();
        if (player_) delete_fluid_player(player_);
        if (synth_) delete_fluid_synth(synth_);
        if (settings_) delete_fluid_settings(settings_);
    }

    // The music starts again at `tick`, at `rate` times its tempo.
    void Restart(std::int64_t tick, double rate) {
        {
            std::lock_guard lock(mutex_);
            restart_tick_ = tick;
            rate_ = rate;
            ++generation_;
        }
        sound_->Clear();
        changed_.notify_all();
    }

  private:
    Synth(std::span<const std::uint8_t> smf, std::shared_ptr<AudioMixer::Stream> sound)
        : smf_(smf.begin(), smf.end()), sound_(std::move(sound)) {
        // FluidSynth's own complaints about a file stay off the terminal.
        for (int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG})
            fluid_set_log_function(level, nullptr, nullptr);
        settings_ = new_fluid_settings();
        if (!settings_) return;
        fluid_settings_setnum(settings_, "synth.sample-rate", host::AudioOutput::kSampleRate);
        // The file player moves with the frames rendered, not with the machine's clock.
        fluid_settings_setstr(settings_, "player.timing-source", "sample");
        fluid_settings_setint(settings_, "synth.cpu-cores", 1);
        synth_ = new_fluid_synth(settings_);
    }

    void StartPlayer(std::int64_t tick, double rate) {
        if (player_) {
            fluid_player_stop(player_);
            delete_fluid_player(player_);
        }
        fluid_synth_all_sounds_off(synth_, -1);
        player_ = new_fluid_player(synth_);
        if (!player_) return;
        fluid_player_add_mem(player_, smf_.data(), smf_.size());
        fluid_player_set_tempo(player_, FLUID_PLAYER_TEMPO_INTERNAL, rate);
        if (tick > 0)
            fluid_player_seek(player_, static_cast<int>(std::min<std::int64_t>(tick, INT32_MAX)));
        fluid_player_play(player_);
    }

    void Run(std::stop_token stop) {
        std::uint64_t handled = 0;
        std::vector<std::int16_t> block(2 * kBlockFrames);
        while (!stop.stop_requested()) {
            {
                std::unique_lock lock(mutex_);
                if (stopping_) return;
                if (handled != generation_) {
                    handled = generation_;
                    const auto tick = restart_tick_;
                    const double rate = rate_;
                    lock.unlock();
                    StartPlayer(tick, rate);
                    sound_->Clear();
                    continue;
                }
                // After the last note the synthesiser goes on (the notes ringing out, then
                // silence), so that the sound played keeps counting the time to the end.
                if (!player_ || sound_->Queued() + kBlockFrames > kSoundCapacityFrames) {
                    // The speakers take a block in about 12 ms.
                    changed_.wait_for(lock, std::chrono::milliseconds(10));
                    continue;
                }
            }
            fluid_synth_write_s16(synth_, kBlockFrames, block.data(), 0, 2, block.data(), 1, 2);
            sound_->Push(block);
        }
    }

    std::vector<std::uint8_t> smf_;
    std::shared_ptr<AudioMixer::Stream> sound_;
    fluid_settings_t* settings_ = nullptr;
    fluid_synth_t* synth_ = nullptr;
    fluid_player_t* player_ = nullptr;

    std::mutex mutex_;
    std::condition_variable changed_;
    bool stopping_ = false;
    std::uint64_t generation_ = 1;  // the worker starts the player first
    std::int64_t restart_tick_ = 0;
    double rate_ = 1.0;
    std::jthread thread_;
};

MidiPlayback::MidiPlayback(MidiTiming timing, const host::Clock& clock, AudioMixer* mixer,
                           bool speakers_clock)
    : timing_(std::move(timing)),
      clock_(clock),
      mixer_(mixer),
      speakers_clock_(speakers_clock && mixer && !clock.IsVirtual()) {
    info_.has_audio = true;
    info_.duration_ms = timing_.DurationMs();
    if (mixer_) {
        sound_ = mixer_->AddStream(kSoundCapacityFrames);
        sound_->SetPaused(true);
        synth_ = Synth::Make(timing_.Smf(), sound_);
    }
}

MidiPlayback::~MidiPlayback() {
    synth_.reset();
    if (sound_) mixer_->RemoveStream(sound_);
}

std::int64_t MidiPlayback::ClockMs() const {
    if (state_ != PlaybackState::kPlaying) return position_ms_;
    double elapsed_ms = 0;
    if (anchored_to_sound_) {
        elapsed_ms = double(sound_->SoundedFrames() - anchor_sounded_) * 1000.0 /
                     host::AudioOutput::kSampleRate;
    } else {
        elapsed_ms = double(std::uint32_t(clock_.TickCount() - anchor_tick_));
    }
    return position_ms_ + std::llround(elapsed_ms * rate_);
}

void MidiPlayback::Anchor(std::int64_t position_ms) {
    position_ms_ = position_ms;
    anchor_tick_ = clock_.TickCount();
    if (sound_) anchor_sounded_ = sound_->SoundedFrames();
}

void MidiPlayback::Play() {
    if (state_ == PlaybackState::kPlaying) return;
    if (state_ == PlaybackState::kEnded) SeekMs(0);
    state_ = PlaybackState::kPlaying;
    // The synthesiser needs its sound font to keep the time; without it the ticks do.
    anchored_to_sound_ = speakers_clock_ && synth_;
    Anchor(position_ms_);
    if (sound_) sound_->SetPaused(false);
}

void MidiPlayback::Hold(PlaybackState held) {
    if (state_ == PlaybackState::kPlaying) {
        CheckEnd();
        if (state_ == PlaybackState::kEnded) return;
        position_ms_ = ClockMs();
        if (sound_) sound_->SetPaused(true);
    }
    if (state_ != PlaybackState::kEnded) state_ = held;
}

void MidiPlayback::SeekMs(std::int64_t position_ms) {
    position_ms = std::clamp<std::int64_t>(position_ms, 0, info_.duration_ms);
    if (state_ == PlaybackState::kEnded) state_ = PlaybackState::kStopped;
    end_unreported_ = false;
    Anchor(position_ms);
    if (synth_) synth_->Restart(timing_.TickAt(position_ms), rate_);
}

std::int64_t MidiPlayback::PositionMs() const {
    return std::clamp<std::int64_t>(ClockMs(), 0, info_.duration_ms);
}

bool MidiPlayback::SetRate(double rate) {
    if (!(rate >= kMinRate && rate <= kMaxRate)) return false;
    if (rate == rate_) return true;
    const std::int64_t position = ClockMs();
    rate_ = rate;
    if (state_ != PlaybackState::kEnded) SeekMs(position);
    return true;
}

void MidiPlayback::SetMuted(bool muted) {
    if (sound_) sound_->SetVolume(muted ? 0.0f : 1.0f);
}

void MidiPlayback::CheckEnd() {
    if (state_ == PlaybackState::kPlaying && ClockMs() >= info_.duration_ms) {
        state_ = PlaybackState::kEnded;
        position_ms_ = info_.duration_ms;
        end_unreported_ = true;
        if (sound_) sound_->SetPaused(true);
    }
}

bool MidiPlayback::Update() {
    CheckEnd();
    return std::exchange(end_unreported_, false);
}

}  // namespace velk::media
