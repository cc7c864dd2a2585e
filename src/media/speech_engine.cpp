#include "media/speech_engine.h"

#include <espeak-ng/espeak_ng.h>
#include <espeak-ng/speak_lib.h>

#include <mutex>
#include <string>

namespace velk::media::speech_engine {
namespace {

// The library's one state, as the library itself has it: process-wide. Its lock is held for a
// whole text, and `sink` names who receives the text being spoken. The library is never
// terminated: espeak-ng does not start again after that, and a later player may still speak.
struct Library {
    std::mutex mutex;
    bool tried = false;
    bool available = false;
    SampleSink* sink = nullptr;
};

Library& TheLibrary() {
    static Library library;
    return library;
}

int OnSamples(short* samples, int count, espeak_EVENT* /*events*/) {
    Library& library = TheLibrary();  // its lock is held by Synthesize on this thread
    if (samples == nullptr || count <= 0 || library.sink == nullptr) return 0;
    const bool go_on =
        library.sink->Take(std::span<const std::int16_t>(samples, static_cast<std::size_t>(count)));
    return go_on ? 0 : 1;
}

bool Start() {
    espeak_ng_InitializePath(nullptr);
    espeak_ng_ERROR_CONTEXT context = nullptr;
    if (espeak_ng_Initialize(&context) != ENS_OK) {
        espeak_ng_ClearErrorContext(&context);
        return false;
    }
    // Short pieces, so that a stop takes effect soon.
    constexpr int kPieceMs = 50;
    if (espeak_ng_InitializeOutput(ENOUTPUT_MODE_SYNCHRONOUS, kPieceMs, nullptr) != ENS_OK) {
        return false;
    }
    if (espeak_ng_GetSampleRate() != kSampleRate) return false;
    espeak_SetSynthCallback(&OnSamples);
    return espeak_ng_SetVoiceByName("en") == ENS_OK;
}

}  // namespace

bool Available() {
    Library& library = TheLibrary();
    std::lock_guard lock(library.mutex);
    if (!library.tried) {
        library.tried = true;
        library.available = Start();
    }
    return library.available;
}

void Synthesize(std::string_view utf8, Voice voice, SampleSink& sink) {
    Library& library = TheLibrary();
    std::lock_guard lock(library.mutex);
    if (!library.available) return;
    espeak_ng_SetParameter(espeakRATE, voice.words_per_minute, 0);
    espeak_ng_SetParameter(espeakPITCH, voice.pitch, 0);
    const std::string text(utf8);  // the library reads up to the terminating null
    library.sink = &sink;
    espeak_ng_Synthesize(text.c_str(), text.size() + 1, 0, POS_CHARACTER, 0, espeakCHARS_UTF8,
                         nullptr, nullptr);
    library.sink = nullptr;
}

}  // namespace velk::media::speech_engine
