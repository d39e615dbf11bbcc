// The look the real game's music takes at a tune before its player gets it: a tune cut short
// anywhere is refused, since the player would loop what is left of it without end.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/common/midi_file.h"
#include "testing/stage_folder.h"

namespace {

namespace fs = std::filesystem;
using stage_test::ReadBytes;
using stage_test::WriteBytes;

TEST(MidiFile, ShippedTunesAreWholeAndEveryCutOfOneIsRefused) {
    const fs::path folder = fs::path(testing::TempDir()) / "tidewake-midi-test";
    fs::create_directories(folder);
    const fs::path cut = folder / "cut.mid";
    for (const char* name : {"title.mid", "select.mid", "game.mid"}) {
        const std::string tune = ReadBytes(fs::path(TIDEWAKE_BINARY_DIR) / name);
        ASSERT_GT(tune.size(), 22u) << name;
        std::string why;
        EXPECT_TRUE(platform::IsWholeMidiFile((fs::path(TIDEWAKE_BINARY_DIR) / name).c_str(), why))
            << name << ": " << why;
        // Every cut through the header and the first track's header, then cuts all along.
        for (size_t size = 0; size < tune.size(); size += size < 40 ? 1 : 97) {
            WriteBytes(cut, tune.substr(0, size));
            ASSERT_FALSE(platform::IsWholeMidiFile(cut.c_str(), why)) << name << " cut at " << size;
            EXPECT_FALSE(why.empty());
        }
        WriteBytes(cut, tune.substr(0, tune.size() - 1));
        EXPECT_FALSE(platform::IsWholeMidiFile(cut.c_str(), why)) << name;
    }
    fs::remove_all(folder);
}

TEST(MidiFile, MissingOrForeignFilesSayWhy) {
    const fs::path folder = fs::path(testing::TempDir()) / "tidewake-midi-test-2";
    fs::create_directories(folder);
    std::string why;
    EXPECT_FALSE(platform::IsWholeMidiFile((folder / "none.mid").c_str(), why));
    EXPECT_EQ(why, "No such file or directory");
    WriteBytes(folder / "riff.mid", "RIFF\x04\0\0\0WAVEfmt ");
    EXPECT_FALSE(platform::IsWholeMidiFile((folder / "riff.mid").c_str(), why));
    EXPECT_EQ(why, "not a MIDI file");
    // A header that announces two tracks but holds one.
    WriteBytes(folder / "one.mid", std::string("MThd\0\0\0\x06\0\x01\0\x02\x01\xe0"
                                               "MTrk\0\0\0\x04\0\xff\x2f\0",
                                               26));
    EXPECT_FALSE(platform::IsWholeMidiFile((folder / "one.mid").c_str(), why));
    EXPECT_EQ(why, "the file is cut short");
    fs::remove_all(folder);
}

}  // namespace
