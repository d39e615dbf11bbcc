// A program folder of its own for each test, standing where the executable's folder would: the
// test copies or writes into it the media it wants, and the game's folder is put back after.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "base/program_dir.h"
#include "platform/headless/headless.h"

namespace program_test {

class ProgramFolder : public testing::Test {
  protected:
    void SetUp() override {
        dir_ = std::filesystem::path(testing::TempDir()) /
               ("program_" +
                std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
        headless::Reset();
        headless::SetExecutableDir(dir_.string());
        GetProgramDir();
    }
    void TearDown() override {
        headless::SetExecutableDir(TIDEWAKE_BINARY_DIR);
        GetProgramDir();  // not left pointing at the removed folder
        std::filesystem::remove_all(dir_);
    }
    void Write(const char* name, const std::string& bytes) {
        std::ofstream(dir_ / name, std::ios::binary) << bytes;
    }

    std::filesystem::path dir_;
};

}  // namespace program_test
