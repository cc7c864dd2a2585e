// Action lists as script text in the JSON description.
#include <gtest/gtest.h>

#include "document/command_vocabulary.h"
#include "document/project_json.h"
#include "script/compiler.h"
#include "script/compiler_script_codec.h"

namespace velk {
namespace {

TEST(ScriptTextJson, CompilesTextListsAndKeepsRecordLists) {
    const CompilerScriptCodec scripts;
    MemoryBlobs blobs;
    const DescriptionResult result = ParseProjectJson(
        R"j({"pages": [{"name": "P", "entry_actions": "Page(\"Intro\")\nx=x+1",
             "exit_actions": [{"code": 12}],
             "objects": [{"kind": 1, "actions_click": "Hide(\"\u00e9t\u00e9\")"}]}]})j",
        blobs, &scripts);
    ASSERT_TRUE(result.description) << result.error;
    const Page& page = result.description->project.pages[0];
    EXPECT_EQ(page.entry_actions, CompileScript("Page(\"Intro\")\nx=x+1").list);
    ASSERT_EQ(page.exit_actions.records.size(), 1u);
    EXPECT_EQ(page.exit_actions.records[0].code, 12);
    // Text is code-page bytes inside, as everywhere.
    EXPECT_EQ(page.objects[0].actions_click.records[0].target, "\xE9t\xE9");
}

TEST(ScriptTextJson, ARejectedLineFailsWithItsPlaceAndLine) {
    const CompilerScriptCodec scripts;
    MemoryBlobs blobs;
    DescriptionResult result = ParseProjectJson(
        R"j({"pages": [{"objects": [{"kind": 1, "actions_3": "x=1\nBogus()"}]}]})j", blobs,
        &scripts);
    EXPECT_FALSE(result.description);
    EXPECT_EQ(result.error,
              "pages[0].objects[0].actions_3: line 2: Unknown function bogus\nBogus()");
    result = ParseProjectJson(R"({"pages": [{"entry_actions": 5}]})", blobs, &scripts);
    EXPECT_EQ(result.error,
              "pages[0].entry_actions: expected script text or a list of action records");
    // Without a compiler, text cannot be read at all.
    result = ParseProjectJson(R"({"pages": [{"entry_actions": "x=1"}]})", blobs);
    EXPECT_FALSE(result.description);
    EXPECT_EQ(result.error, "pages[0].entry_actions: expected a list of action records");
}

TEST(ScriptTextJson, WritesTextWhereItCompilesBackAndIsAFixedPoint) {
    ProjectDescription description;
    Page page;
    page.name = "P";
    page.entry_actions = CompileScript("If (a=1) Then\nPage(\"Intro\")\nEnd").list;
    // A stray argument on a one-argument command: no text makes this record.
    ActionRecord odd;
    odd.code = kCmdHide;
    odd.target = "A";
    odd.argument = "stray";
    odd.argument_count = 1;
    page.exit_actions.records.push_back(odd);
    description.project.pages.push_back(page);

    const CompilerScriptCodec scripts;
    MemoryBlobs blobs;
    const Json json =
        ProjectToJson(description, blobs, {.omit_defaults = true, .scripts = &scripts});
    EXPECT_EQ(json["pages"][0]["entry_actions"], "If (a=1) Then\nPage(\"Intro\")\nEnd");
    EXPECT_TRUE(json["pages"][0]["exit_actions"].is_array());

    const std::string text = FormatJson(json);
    const DescriptionResult back = ParseProjectJson(text, blobs, &scripts);
    ASSERT_TRUE(back.description) << back.error;
    EXPECT_EQ(back.description->project.pages[0], page);
    EXPECT_EQ(FormatJson(ProjectToJson(*back.description, blobs,
                                       {.omit_defaults = true, .scripts = &scripts})),
              text);
}

}  // namespace
}  // namespace velk
