// A tune's rendering is found by the tune's contents: the shipped tunes find theirs, and a tune
// changed by a single byte is not played as the rendering of the old one.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/common/rendered_tune.h"
#include "testing/stage_folder.h"

namespace {

namespace fs = std::filesystem;
using stage_test::ReadBytes;
using stage_test::WriteBytes;

std::string KeyOf(const std::string& bytes) {
    return platform::TuneKey(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

TEST(RenderedTune, KeyFollowsEveryByteOfTheTune) {
    const std::string tune = ReadBytes(fs::path(TIDEWAKE_BINARY_DIR) / "title.mid");
    ASSERT_FALSE(tune.empty());
    const std::string key = KeyOf(tune);
    EXPECT_EQ(key.size(), 16u);
    EXPECT_EQ(key.find_first_not_of("0123456789abcdef"), std::string::npos) << key;
    EXPECT_EQ(KeyOf(tune), key);
    for (size_t at : {size_t{0}, tune.size() / 2, tune.size() - 1}) {
        std::string changed = tune;
        changed[at] = static_cast<char>(changed[at] ^ 1);
        EXPECT_NE(KeyOf(changed), key) << "byte " << at;
    }
    EXPECT_NE(KeyOf(tune + '\0'), key);
    EXPECT_EQ(platform::RenderedTunePath("/games/tidewake/title.mid", key),
              "/games/tidewake/tunes/" + key + ".flac");
    EXPECT_EQ(platform::RenderedTunePath("title.mid", key), "tunes/" + key + ".flac");
}

TEST(RenderedTune, ChangedOrMissingTuneHasNoRendering) {
    const fs::path folder = fs::path(testing::TempDir()) / "tidewake-rendered-tune-test";
    fs::remove_all(folder);
    fs::create_directories(folder / "tunes");
    const fs::path tune = folder / "game.mid";
    const std::string bytes = ReadBytes(fs::path(TIDEWAKE_BINARY_DIR) / "game.mid");
    WriteBytes(tune, bytes);
    EXPECT_EQ(platform::FindRenderedTune(tune.c_str()), "");

    const std::string rendered = platform::RenderedTunePath(tune.string(), KeyOf(bytes));
    WriteBytes(rendered, "fLaC");
    EXPECT_EQ(platform::FindRenderedTune(tune.c_str()), rendered);

    WriteBytes(tune, bytes.substr(0, bytes.size() - 1) + "x");
    EXPECT_EQ(platform::FindRenderedTune(tune.c_str()), "");
    EXPECT_EQ(platform::FindRenderedTune((folder / "none.mid").c_str()), "");
    fs::remove_all(folder);
}

TEST(RenderedTune, BuildRenderedEveryShippedTuneWhenItCould) {
    const fs::path list = fs::path(TIDEWAKE_BINARY_DIR) / "tunes" / "rendered.txt";
    if (!fs::exists(list)) GTEST_SKIP() << "this build renders no tunes (no FluidSynth)";
    for (const char* name : {"title.mid", "select.mid", "game.mid"}) {
        const std::string found =
            platform::FindRenderedTune((fs::path(TIDEWAKE_BINARY_DIR) / name).c_str());
        ASSERT_FALSE(found.empty()) << name;
        EXPECT_EQ(ReadBytes(found).substr(0, 4), "fLaC") << name;
    }
}

}  // namespace
