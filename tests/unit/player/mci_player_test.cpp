// MCI objects in the running player: page entry plays those not held back, page stop closes
// those that opened, each string heard by the observer in its order.
#include <gtest/gtest.h>

#include "document/command_vocabulary.h"
#include "player_test_host.h"

namespace velk {
namespace {

using test::PlayerRig;

Object MciObject(std::string name, std::string file, std::uint32_t held_back) {
    Object object;
    object.kind = kKindMci;
    object.name = std::move(name);
    object.text = std::move(file);
    object.rect = {10, 20, 110, 70};
    object.param1 = held_back;
    return object;
}

TEST(MciPlayer, PageEntryPlaysAndPageStopCloses) {
    Project project;
    project.header.client_width = 200;
    project.header.client_height = 100;
    Page one;
    one.name = "One";
    one.objects = {MciObject("Clip", "<SrcDir>\\clip.avi", 0),
                   MciObject("Later", "<SrcDir>\\later.avi", 1), MciObject("Empty", "", 0)};
    ActionRecord next;
    next.code = kCmdPageTimer;
    next.target = "100";
    next.argument_count = 1;
    one.entry_actions.records = {next};
    Page two;
    two.name = "Two";
    project.pages = {one, two};
    PlayerRig rig;
    ASSERT_TRUE(rig.Start(std::move(project)));
    rig.Wait(150);
    // The file is missing: the device does not open and the strings are answered empty.
    EXPECT_EQ(rig.observer.log, (std::vector<std::string>{
                                    "mci open Z:\\shows\\clip.avi alias Clip style child "
                                    "parent 656932 -> ",
                                    "mci put Clip window at 10 20 100 50 -> ",
                                    "mci window Clip state hide -> ",
                                    "mci play Clip -> ",
                                    "page One",
                                    "mci stop Clip -> ",
                                    "mci close Clip -> ",
                                    "page Two",
                                }));
}

}  // namespace
}  // namespace velk
