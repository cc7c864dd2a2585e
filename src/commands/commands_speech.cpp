// Speech: InstallTTS, InitTTS, Say, SpeakText, StopTTS, PauseTTS, ResumeTTS, PitchTTS and
// SpeedTTS, spoken by the player's espeak-ng voice (media/speech.h).
#include <string_view>

#include "commands/command_owner.h"
#include "commands/commands.h"
#include "document/command_vocabulary.h"
#include "document/load_context.h"
#include "media/media_hub.h"

namespace velk {
namespace {

constexpr std::string_view kNoEngineMessage =
    "You don't have Text-to-Speech engine Installed.\nThe TTS features will be disabled.";
// A text went to the engine through a buffer of this many characters, its terminating null
// included; a longer text did not fit and nothing of it was spoken.
constexpr std::size_t kSpokenCharsLimit = 32000;
// The ranges the engine's pitch and speed were set in; other numbers are passed over.
constexpr std::int32_t kLowestPitch = 47;
constexpr std::int32_t kHighestPitch = 200;
constexpr std::int32_t kSlowestSpeed = 30;
constexpr std::int32_t kFastestSpeed = 449;

media::Speech& VoiceOf(CommandContext& ctx) {
    return ctx.owner.Media().Speech();
}

// espeak-ng comes with the player, so the engine counts as installed: nothing is asked and
// nothing is run.
CommandResult PerformInstallTts(CommandContext& /*ctx*/) {
    return CommandResult::kGoOn;
}

// Starts the engine once per window, under a small window that asks the user to wait.
CommandResult PerformInitTts(CommandContext& ctx) {
    media::Speech& speech = VoiceOf(ctx);
    if (speech.StartTried()) return CommandResult::kGoOn;
    ctx.owner.ShowSpeechWaitWindow(true);
    // Handled messages paint the window before the engine keeps the player busy.
    const bool going_on = ctx.owner.PumpMessages();
    const bool started = speech.Start();
    ctx.owner.ShowSpeechWaitWindow(false);
    if (!going_on) return CommandResult::kEndList;
    if (!started) ctx.owner.Ui().MessageBox(kApplicationName, kNoEngineMessage);
    return CommandResult::kGoOn;
}

// Hands a text to the engine without waiting for the speech.
void Speak(CommandContext& ctx, std::string_view text) {
    media::Speech& speech = VoiceOf(ctx);
    if (text.empty() || !speech.Started() || text.size() >= kSpokenCharsLimit) return;
    speech.Say(text);
    ctx.owner.Observer().Speak(text);
}

CommandResult PerformSay(CommandContext& ctx) {
    Speak(ctx, ctx.target);
    return CommandResult::kGoOn;
}

CommandResult PerformSpeakText(CommandContext& ctx) {
    if (ctx.object != nullptr) Speak(ctx, ctx.object->text);
    return CommandResult::kGoOn;
}

template <void (media::Speech::*kAction)()>
CommandResult Control(CommandContext& ctx, std::string_view what) {
    media::Speech& speech = VoiceOf(ctx);
    if (speech.Started()) {
        (speech.*kAction)();
        ctx.owner.Observer().SpeechControl(what);
    }
    return CommandResult::kGoOn;
}

CommandResult PerformStopTts(CommandContext& ctx) {
    return Control<&media::Speech::Stop>(ctx, "stop");
}

CommandResult PerformPauseTts(CommandContext& ctx) {
    return Control<&media::Speech::Pause>(ctx, "pause");
}

CommandResult PerformResumeTts(CommandContext& ctx) {
    return Control<&media::Speech::Resume>(ctx, "resume");
}

// PitchTTS and SpeedTTS: the target is an expression; a number outside the range is ignored
// without a word.
template <void (media::Speech::*kSet)(std::int32_t)>
CommandResult SetVoice(CommandContext& ctx, std::string_view what, std::int32_t lowest,
                       std::int32_t highest) {
    if (ctx.target.empty()) return CommandResult::kGoOn;
    const std::int32_t value = EvaluateInt(ctx.owner, ctx.target);
    media::Speech& speech = VoiceOf(ctx);
    if (!speech.Started() || value < lowest || value > highest) return CommandResult::kGoOn;
    (speech.*kSet)(value);
    ctx.owner.Observer().SpeechControl(std::string(what) + " " + std::to_string(value));
    return CommandResult::kGoOn;
}

CommandResult PerformPitchTts(CommandContext& ctx) {
    return SetVoice<&media::Speech::SetPitch>(ctx, "pitch", kLowestPitch, kHighestPitch);
}

CommandResult PerformSpeedTts(CommandContext& ctx) {
    return SetVoice<&media::Speech::SetSpeed>(ctx, "speed", kSlowestSpeed, kFastestSpeed);
}

constexpr CommandRow kRows[] = {
    {kCmdInstallTts, &PerformInstallTts},
    {kCmdInitTts, &PerformInitTts},
    {kCmdSay, &PerformSay},
    {kCmdSpeakText, &PerformSpeakText},
    {kCmdStopTts, &PerformStopTts},
    {kCmdPauseTts, &PerformPauseTts},
    {kCmdResumeTts, &PerformResumeTts},
    {kCmdPitchTts, &PerformPitchTts},
    {kCmdSpeedTts, &PerformSpeedTts},
};

}  // namespace

std::span<const CommandRow> SpeechCommands() {
    return kRows;
}

}  // namespace velk
