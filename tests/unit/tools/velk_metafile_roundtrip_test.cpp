// A Metafile object's bytes survive `velk build`, `velk dump` and building the dump again.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "emf_test_writer.h"
#include "tool_test_fixture.h"

namespace velk {
namespace {

namespace fs = std::filesystem;

class VelkMetafile : public ToolTest {};

TEST_F(VelkMetafile, DumpAndBuildKeepTheRecords) {
    test::TestEmf emf(30, 20);
    emf.CreateBrush(1, 2, 0x00FF00, 4).Select(1).Ellipse(0, 0, 30, 20).TextOutW(2, 2, "M");
    const std::vector<std::uint8_t> bytes = emf.Bytes();
    fs::create_directories(work() / "src");
    {
        std::ofstream out(work() / "src/picture.emf", std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        std::ofstream json(work() / "src/project.json");
        json << R"({"version": 27, "header": {"client_width": 40, "client_height": 30},
  "pages": [{"name": "P", "objects": [
    {"kind": 14, "name": "Meta", "rect": [0, 0, 30, 20], "param2": 2,
     "metafile": {"header": "d7cdc69a000000000000c800c80060000000000000000000",
                  "data": "picture.emf"}}]}]})";
    }
    ASSERT_EQ(Velk("build src/project.json -o show.vkd").exit_code, 0);
    ASSERT_EQ(Velk("dump show.vkd -o dumped").exit_code, 0);
    std::vector<fs::path> dumped;
    for (const auto& entry : fs::recursive_directory_iterator(work() / "dumped")) {
        if (entry.path().extension() == ".emf") dumped.push_back(entry.path());
    }
    ASSERT_EQ(dumped.size(), 1u);
    EXPECT_EQ(ReadText(dumped.front()), std::string(bytes.begin(), bytes.end()));
    ASSERT_EQ(Velk("build dumped/project.json -o again.vkd").exit_code, 0);
    EXPECT_EQ(ReadText(work() / "show.vkd"), ReadText(work() / "again.vkd"));
}

}  // namespace
}  // namespace velk
