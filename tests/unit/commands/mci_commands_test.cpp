// MCICommand and MCIObject: what the script's strings become, and the number the reply leaves
// in "MCIResult".
#include <gtest/gtest.h>

#include "command_test_fixture.h"
#include "commands/mci_reply.h"
#include "document/command_vocabulary.h"

namespace velk {
namespace {

using testing::List;
using testing::MakeObject;
using testing::Record;

TEST(MciReplyNumber, RepliesBecomeNumbers) {
    const struct {
        const char* reply;
        std::int64_t number;
    } cases[] = {
        {"1:05", 65},  // minutes and seconds
        {"10:5x", 605},  {"2:3", 123},
        {"00:01:05", 1},  // the seconds are the two characters after the first colon
        {"playing", -2}, {"stopped", -1},
        {"paused", 0},   {"Playing", 0},
        {"1", 1},        {"  42 frames", 42},
        {"-7", -7},      {":05", 0},  // a colon first is no time
        {"", 0},
    };
    for (const auto& c : cases) EXPECT_EQ(MciReplyNumber(c.reply), c.number) << c.reply;
}

class MciHost : public testing::FakeCommandHost {
  public:
    host::Observer& Observer() override { return log; }
    struct Log : host::Observer {
        void MciCommand(std::string_view command, std::string_view reply) override {
            sent.push_back(std::string(command) + " -> " + std::string(reply));
        }
        std::vector<std::string> sent;
    } log;
};

TEST(MciCommands, MciCommandSendsTheExpandedStringWithTheWindowNumber) {
    MciHost host;
    host.variables.SetNumber("MCIResult", 9);
    host.variables.SetString("Command$", "play v from 0 parent <This> <This>");
    host.dispatcher.RunActions(List({
        Record(kCmdMciCommand, "Command$"),
        Record(kCmdMciCommand, ""),
    }));
    EXPECT_EQ(host.log.sent,
              (std::vector<std::string>{"expanded:play v from 0 parent 656932 656932 -> "}));
    // The reply of an error is empty: 0.
    EXPECT_EQ(host.variables.GetNumber("MCIResult"), 0);
}

TEST(MciCommands, MciObjectRunsTheVerbOnMciObjectsOnly) {
    MciHost host;
    Object clip = MakeObject("Clip", {0, 0, 40, 30}, kKindMci);
    clip.text = "<SrcDir>\\a.wav";
    host.current->objects.push_back(clip);
    host.variables.SetString("Verb$", "play");
    host.dispatcher.RunActions(List({
        Record(kCmdMciObject, "Clip", "Verb$"),
        Record(kCmdMciObject, "A", "play"),  // a Text object
        Record(kCmdMciObject, "Clip", "close"),
    }));
    EXPECT_EQ(host.log.sent, (std::vector<std::string>{
                                 "open expanded:<SrcDir>\\a.wav alias Clip -> ",
                                 "play Clip -> ",
                                 "stop Clip -> ",
                                 "close Clip -> ",
                             }));
}

}  // namespace
}  // namespace velk
