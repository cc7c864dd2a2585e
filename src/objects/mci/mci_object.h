// MCI objects (kind 23): a media file played through the media control command strings. The
// object's text is the file (path macros allowed), its name the device alias, its rectangle the
// device window; param1 non-zero keeps it from starting at page entry, and param2 records at
// run time whether its device is open.
#pragma once

#include <string>
#include <string_view>

#include "document/object.h"
#include "host/host.h"
#include "media/mci_interpreter.h"

namespace velk {

// Where an MCI object's strings go, and who hears them.
struct MciChannel {
    media::MciInterpreter& mci;
    host::Observer& observer;
};

// Sends one command string and tells the observer with its reply; the reply.
std::string SendMciString(const MciChannel& channel, std::string_view command);

// Carries out a verb on an MCI object ("play", "pause", "stop", "close"; any other verb only
// opens the device). `file` is the object's text with its path macros expanded.
void RunMciVerb(Object& object, std::string_view verb, std::string_view file,
                const MciChannel& channel);

// Whether the media opens without a window: a ".wav" in the file name from its third
// character on.
bool OpensWithoutWindow(std::string_view file);

}  // namespace velk
