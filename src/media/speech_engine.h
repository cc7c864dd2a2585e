// espeak-ng, the synthesiser that speaks for the presentation. The library exists once per
// process: one voice, one set of parameters, one callback. Every player's speech goes through
// here one text at a time under one lock, each text with its own rate and pitch set just before
// it, so two players in one process neither mix their sounds nor take each other's settings.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace velk::media::speech_engine {

// The rate of what the synthesiser hands over: mono samples.
inline constexpr std::int32_t kSampleRate = 22050;

// Receives the samples of one text as they are made; false stops the text there.
class SampleSink {
  public:
    virtual ~SampleSink() = default;
    virtual bool Take(std::span<const std::int16_t> samples) = 0;
};

// espeak's own units: words per minute (80 ... 450) and pitch (0 ... 100).
struct Voice {
    std::int32_t words_per_minute = 175;
    std::int32_t pitch = 50;
};

// Starts the library and its English voice, once per process; false when it cannot (no data,
// no voice, another sample rate). Later calls give the same answer.
bool Available();

// Speaks `utf8` into `sink`, on the calling thread, returning when the text is done or the sink
// stopped it. Texts of other threads wait meanwhile. Nothing happens unless Available().
void Synthesize(std::string_view utf8, Voice voice, SampleSink& sink);

}  // namespace velk::media::speech_engine
