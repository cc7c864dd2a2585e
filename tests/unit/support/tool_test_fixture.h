// Runs the velk binary in a fresh temporary folder per test.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace velk {

inline std::string ReadText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct ToolRun {
    int exit_code = -1;
    std::string out;
    std::string err;
};

class ToolTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        root_ = std::filesystem::temp_directory_path() /
                ("velk_" + std::string(info->test_suite_name()) + "_" + info->name() + "_" +
                 std::to_string(::getpid()));
        std::filesystem::remove_all(root_);
        std::filesystem::create_directories(work());
    }
    void TearDown() override { std::filesystem::remove_all(root_); }

    std::filesystem::path work() const { return root_ / "work"; }

    // Runs velk in the work folder; stdout and stderr are caught outside it.
    ToolRun Velk(const std::string& args) {
        std::string command = "cd '" + work().string() + "' && '" VELK_TOOL_PATH "' " + args +
                              " > '" + (root_ / "out").string() + "' 2> '" +
                              (root_ / "err").string() + "'";
        int status = std::system(command.c_str());
        ToolRun run;
        run.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        run.out = ReadText(root_ / "out");
        run.err = ReadText(root_ / "err");
        return run;
    }

    std::filesystem::path root_;
};

}  // namespace velk
