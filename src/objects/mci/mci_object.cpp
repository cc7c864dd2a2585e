#include "objects/mci/mci_object.h"

#include <cstdio>

#include "base/codepage.h"

namespace velk {
namespace {

void OpenDevice(Object& object, std::string_view file, const MciChannel& channel) {
    const std::string open = "open " + std::string(file) + " alias " + object.name;
    if (OpensWithoutWindow(file)) {
        SendMciString(channel, open);
    } else {
        SendMciString(channel,
                      open + " style child parent " + std::to_string(media::kMainWindowHandle));
        char at[64];
        std::snprintf(at, sizeof at, "%d %d %d %d", object.rect.left, object.rect.top,
                      object.rect.Width(), object.rect.Height());
        SendMciString(channel, "put " + object.name + " window at " + at);
        SendMciString(channel, "window " + object.name + " state hide");
    }
    object.param2 = 1;
}

}  // namespace

std::string SendMciString(const MciChannel& channel, std::string_view command) {
    std::string reply = channel.mci.Send(command);
    channel.observer.MciCommand(command, reply);
    return reply;
}

bool OpensWithoutWindow(std::string_view file) {
    return Cp1252LowerString(file).find(".wav", 2) != std::string::npos;
}

void RunMciVerb(Object& object, std::string_view verb, std::string_view file,
                const MciChannel& channel) {
    if (object.text.empty()) return;
    const std::string lower = Cp1252LowerString(verb);
    if (lower == "close") {
        if (object.param2 == 0) return;
        SendMciString(channel, "stop " + object.name);
        SendMciString(channel, "close " + object.name);
        object.param2 = 0;
        return;
    }
    if (object.param2 == 0) OpenDevice(object, file, channel);
    if (lower == "play" || lower == "pause" || lower == "stop") {
        SendMciString(channel, lower + " " + object.name);
    }
}

}  // namespace velk
