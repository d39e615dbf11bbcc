// A throw-away working folder with a ./stage folder in it, for tests of stage files. The
// tests never touch the shipped stages: they work on copies here.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "base/app_state.h"
#include "course/stage.h"
#include "platform/headless/headless.h"

namespace stage_test {

namespace fs = std::filesystem;

// A version 1.5 stage with the given record lines (each without its line end).
inline std::string StageText(const std::string& name = "Bay",
                             const std::string& laps = "6543,7012,9999",
                             const std::string& totals = "13000,14000,15000",
                             const std::string& eol = "\n") {
    std::string text = "format:tidewake1.5\n" + name +
                       "\nInfo1\nInfo2\n12\nBuoys\n9000,2000\n18000,3500\n21500,11500\n"
                       "18000,20000\n9000,21000\n3500,12000\nStands\n6204,2516,900\n"
                       "16586,1034,900\n22794,8969,900\n20719,19173,901\n11031,22987,900\n"
                       "2561,14683,-5\nRamp\n4325,10500\n18420,4460\nBestLap\n" +
                       laps + "\n" + totals + "\n";
    for (size_t at = 0; (at = text.find('\n', at)) != std::string::npos; at += eol.size())
        text.replace(at, 1, eol);
    return text;
}

// The stage a text holds, failing the test (with the reader's line and message) when it holds none.
inline StageFile ParsedStage(const std::string& text) {
    StageFile stage;
    StageFileError error;
    EXPECT_TRUE(ParseStageFile(text.data(), text.size(), stage, error))
        << error.line << ": " << error.message;
    return stage;
}

inline std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

inline void WriteBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

// Changes into a fresh folder holding an empty ./stage for the test's lifetime.
class StageFolder : public ::testing::Test {
  protected:
    void SetUp() override {
        headless::Reset();
        ShutdownState = 0;
        QuitPosted = false;
        ExitStatus = 0;
        home_ = fs::current_path();
        char pattern[] = "/tmp/tidewake-stage-test-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        root_ = pattern;
        fs::create_directory(root_ / "stage");
        fs::current_path(root_);
        // Every test starts from the current folder's courses, as a game started here does.
        std::snprintf(::StageFolder, sizeof ::StageFolder, "%s", kLocalStageFolder);
    }
    void TearDown() override {
        fs::current_path(home_);
        std::error_code ignored;
        fs::permissions(root_ / "stage", fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(root_, ignored);
        ShutdownState = 0;
        QuitPosted = false;
        ExitStatus = 0;
    }

    fs::path Stage(const std::string& name) const { return root_ / "stage" / name; }
    void Write(const std::string& name, const std::string& bytes) {
        WriteBytes(Stage(name), bytes);
    }
    std::string Read(const std::string& name) const { return ReadBytes(Stage(name)); }

    fs::path home_;
    fs::path root_;
};

}  // namespace stage_test
