// MCIObject and MCICommand: media control command strings, from an MCI object's verbs or
// written out by the script.
#include <algorithm>
#include <string>
#include <vector>

#include "base/codepage.h"
#include "commands/command_owner.h"
#include "commands/commands.h"
#include "commands/mci_reply.h"
#include "document/command_vocabulary.h"
#include "media/mci_words.h"
#include "media/media_hub.h"
#include "objects/mci/mci_object.h"
#include "script/variable_store.h"

namespace velk {
namespace {

// The longest reply the main window reads back.
constexpr std::size_t kReplyLimit = 255;

MciChannel Channel(CommandOwner& owner) {
    return MciChannel{owner.Media().Mci(), owner.Observer()};
}

CommandResult PerformMciObject(CommandContext& ctx) {
    Object* object = ctx.object;
    if (object == nullptr || object->kind != kKindMci) return CommandResult::kGoOn;
    RunMciVerb(*object, ctx.Argument(), ctx.owner.ExpandPath(object->text), Channel(ctx.owner));
    return CommandResult::kGoOn;
}

void ReplaceAll(std::string& text, std::string_view what, std::string_view with) {
    for (std::size_t at = text.find(what); at != std::string::npos;
         at = text.find(what, at + with.size())) {
        text.replace(at, what.size(), with);
    }
}

// "play <device> ... wait" returns when playing ended: the window handles its messages
// meanwhile, as the command waits. False when the wait was given up (the player stops).
bool WaitForPlayWait(CommandOwner& owner, std::string_view command) {
    const std::vector<std::string> words = media::SplitMciWords(command);
    if (words.size() < 2 || !EqualsIgnoreCase(words[0], "play")) return true;
    if (std::none_of(words.begin() + 2, words.end(),
                     [](const std::string& word) { return EqualsIgnoreCase(word, "wait"); })) {
        return true;
    }
    media::MciInterpreter& mci = owner.Media().Mci();
    while (const auto until = mci.PlayingUntil(words[1])) {
        if (!owner.WaitUntil(*until)) return false;
    }
    return true;
}

CommandResult PerformMciCommand(CommandContext& ctx) {
    // The string is the command's one quoted argument, stored as its target.
    if (ctx.record.target.empty()) return CommandResult::kGoOn;
    std::string command = ctx.owner.ExpandPath(ctx.target);
    ReplaceAll(command, "<This>", std::to_string(media::kMainWindowHandle));
    std::string reply = SendMciString(Channel(ctx.owner), command);
    if (reply.size() > kReplyLimit) reply.resize(kReplyLimit);
    ctx.owner.Variables().SetNumber("MCIResult", static_cast<double>(MciReplyNumber(reply)));
    return WaitForPlayWait(ctx.owner, command) ? CommandResult::kGoOn : CommandResult::kEndList;
}

constexpr CommandRow kRows[] = {
    {kCmdMciObject, &PerformMciObject},
    {kCmdMciCommand, &PerformMciCommand},
};

}  // namespace

std::int64_t MciReplyNumber(std::string_view reply) {
    const std::size_t colon = reply.find(':', 1);
    if (colon == std::string_view::npos) {
        if (reply == "stopped") return -1;
        if (reply == "playing") return -2;
        return LeadingInteger(reply);
    }
    const std::int64_t minutes = LeadingInteger(reply.substr(0, colon));
    const std::int64_t seconds = LeadingInteger(reply.substr(colon + 1, 2));
    return minutes * 60 + seconds;
}

std::span<const CommandRow> MciCommands() {
    return kRows;
}

}  // namespace velk
