// `velk run`: the failures a user meets first, by exit code and message. Playing itself is
// covered by the scenarios of tests/scenarios.
#include <gtest/gtest.h>

#include <fstream>

#include "tool_test_fixture.h"

namespace velk {
namespace {

class VelkRun : public ToolTest {
  protected:
    void BuildProject() {
        std::ofstream(work() / "project.json") << R"({
  "header": {"client_width": 20, "client_height": 10},
  "pages": [{"name": "Only", "entry_actions": [{"code": 27, "target": "100"}]}]
})";
        ToolRun built = Velk("build project.json -o show.vkd");
        ASSERT_EQ(built.exit_code, 0) << built.err;
    }
};

TEST_F(VelkRun, ABadEventLineStopsBeforePlayingWithItsNumber) {
    BuildProject();
    std::ofstream(work() / "events.txt") << "# fine\nwait 10\nclick 1\n";
    ToolRun run = Velk("run show.vkd --events events.txt");
    EXPECT_EQ(run.exit_code, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("events.txt: line 3: \"click\" takes X and Y"), std::string::npos)
        << run.err;
}

TEST_F(VelkRun, AFileThatIsNoProjectFailsWithTheReadersMessageInTheLog) {
    std::ofstream(work() / "junk.vkd") << "not a project";
    ToolRun run = Velk("run junk.vkd");
    EXPECT_EQ(run.exit_code, 1);
    EXPECT_NE(run.out.find("t=0 msgbox \"Velk Player\" \"The file "), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("junk.vkd is not a VKD file!\" -> ok\n"), std::string::npos) << run.out;
    EXPECT_NE(run.err.find("cannot play junk.vkd"), std::string::npos) << run.err;
}

TEST_F(VelkRun, WithoutEventsThePresentationPlaysToItsEndIntoTheLogFile) {
    BuildProject();
    ToolRun run = Velk("run show.vkd --log logs/run.log");
    EXPECT_EQ(run.exit_code, 0) << run.err;
    EXPECT_EQ(ReadText(work() / "logs/run.log"), "t=0 page \"Only\"\nt=100 end\n");
}

}  // namespace
}  // namespace velk
