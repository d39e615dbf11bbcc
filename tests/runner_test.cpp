// The headless runner: its command line, its key scripts, and a whole run of the real binary.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "platform/headless/runner_options.h"

namespace {

namespace fs = std::filesystem;
using headless::KeyEvent;

TEST(KeyScript, ReadsEventsInFrameOrderSkippingCommentsAndBlanks) {
    std::istringstream in(
        "# start\n\n260 up down\r\n  # held\n10 left down\n261 up up\n10 q down\n"
        "300 key:Left_Shift down\n");
    std::vector<KeyEvent> events;
    std::string error;
    ASSERT_TRUE(headless::ParseKeyScript(in, events, error)) << error;
    ASSERT_EQ(events.size(), 5u);
    EXPECT_EQ(events[0].frame, 10);
    EXPECT_EQ(events[0].key, platform::Key::Left);
    EXPECT_EQ(events[1].key, platform::Key::Q);  // same frame: script order kept
    EXPECT_EQ(events[2].frame, 260);
    EXPECT_TRUE(events[2].down);
    EXPECT_TRUE(events[2].name.empty());
    EXPECT_FALSE(events[3].down);
    EXPECT_EQ(events[4].name, "Left Shift");  // a key by the desktop's name, '_' for a blank
}

// Each bad script names its line and the problem (where the message goes on, its start).
TEST(KeyScript, NamesTheLineAndTheProblem) {
    const std::pair<const char*, std::string> cases[] = {
        {"1 up down\n2 space down\n",
         "line 2: unknown key 'space' (keys: up, down, left, right, q, escape, p, f12, or "
         "key:NAME)"},
        {"# c\nx up down\n", "line 2: 'x' is not a frame number"},
        {"-1 up down\n", "line 1: '-1' is not a frame number"},
        {"5 up pressed\n", "line 1: 'pressed' must be 'down' or 'up'"},
        {"5 up\n", "line 1: expected..."},
        {"5 up down now\n", "line 1: expected..."},
        {"99999999999 up down\n", "line 1:..."},
    };
    for (auto [script, message] : cases) {
        std::istringstream in(script);
        std::vector<KeyEvent> events;
        std::string error;
        EXPECT_FALSE(headless::ParseKeyScript(in, events, error)) << script;
        const bool start = message.ends_with("...");
        if (start) message.resize(message.size() - 3);
        EXPECT_EQ(start ? error.substr(0, message.size()) : error, message) << script;
    }
}

TEST(RunnerArgs, AcceptsEveryOptionAndRejectsNonsense) {
    headless::RunnerOptions options;
    std::string error;
    ASSERT_TRUE(headless::ParseRunnerArgs({"--frames",  "120",
                                           "--seed",    "7",
                                           "--shot",    "100:o.png",
                                           "--shot",    "5:a:b.png",
                                           "--no-text", "--trace",
                                           "t.csv",     "--keys",
                                           "k.txt",     "--replay",
                                           "a.twr",     "--save-replay",
                                           "b.twr",     "--lang",
                                           "en",        "--music-volume",
                                           "0",         "--effects-volume",
                                           "5"},
                                          options, error))
        << error;
    EXPECT_EQ(options.frames, 120);
    EXPECT_EQ(options.seed, 7u);
    ASSERT_EQ(options.shots.size(), 2u);
    EXPECT_EQ(options.shots[1].path, "a:b.png");
    EXPECT_FALSE(options.text);
    EXPECT_TRUE(options.draw);
    EXPECT_EQ(options.replayPath, "a.twr");
    EXPECT_EQ(options.saveReplayPath, "b.twr");
    EXPECT_EQ(options.language, "en");
    EXPECT_EQ(options.musicVolume, 0);
    EXPECT_EQ(options.effectsVolume, 5);
    EXPECT_FALSE(options.settings);

    for (const char* bad :
         {"--frames", "--frames ten", "--shot 100", "--shot x:o.png", "--shot 5:", "--seed -3",
          "--replay", "--colour", "--lang fr", "--lang", "--music-volume 11", "--effects-volume -1",
          "--effects-volume loud", "--ghost x --no-ghost"}) {
        std::istringstream words(bad);
        const std::vector<std::string> args{std::istream_iterator<std::string>(words), {}};
        headless::RunnerOptions ignored;
        error.clear();
        EXPECT_FALSE(headless::ParseRunnerArgs(args, ignored, error)) << bad;
        EXPECT_FALSE(error.empty()) << bad;
    }
}

class RunnerBinary : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("tidewake-runner-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    // Runs the runner in the temporary folder, which is its player's data folder too; returns
    // its exit status.
    int Run(const std::string& args) {
        const std::string command =
            "cd '" + dir_.string() + "' && XDG_DATA_HOME='" + dir_.string() +
            "' '" TIDEWAKE_BINARY_DIR "/tidewake-headless' " + args + " 2> stderr.txt";
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::string Read(const std::string& name) {
        std::ifstream in(dir_ / name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    void Write(const std::string& name, const std::string& text) {
        std::ofstream(dir_ / name) << text;
    }

    fs::path dir_;
};

TEST_F(RunnerBinary, TracesTheOpeningAndSavesAPicture) {
    ASSERT_EQ(Run("--frames 205 --shot 100:o.png --trace t.csv"), 0) << Read("stderr.txt");
    std::istringstream trace(Read("t.csv"));
    std::string line;
    std::getline(trace, line);
    EXPECT_EQ(line.rfind("frame,scene,race_frame,replay_mode,steer,stage_number,player_x,", 0), 0u);
    EXPECT_EQ(line.substr(line.size() - 9), ",opp6_bob");
    const size_t columns = std::count(line.begin(), line.end(), ',');
    EXPECT_EQ(columns, 33u + 7 * 13);
    std::vector<std::string> rows;
    while (std::getline(trace, line)) {
        EXPECT_EQ(std::count(line.begin(), line.end(), ','), columns) << line;
        rows.push_back(line);
    }
    ASSERT_EQ(rows.size(), 205u);
    for (const char* start : {"0,9,", "200,9,", "201,0,", "202,1,"})
        EXPECT_EQ(rows[std::atoi(start)].rfind(start, 0), 0u) << start;  // opening, reset, title
    const std::string png = Read("o.png");
    EXPECT_TRUE(png.size() > 100 && png.substr(1, 3) == "PNG");
}

// A bad script line, a missing value or script: status 2, the script's line named. Escape in
// the script quits cleanly before the frame it is on.
// --help and --version answer on stdout with status 0; a bad option gets the same usage on
// stderr with status 2. The game and the stage tool answer the same way.
TEST_F(RunnerBinary, AnswersHelpAndVersion) {
    EXPECT_EQ(Run("--help > out.txt"), 0);
    const std::string usage = Read("out.txt");
    for (const char* option :
         {"--keys", "--trace", "--ghost", "--lang", "--effects-volume", "--version"}) {
        EXPECT_NE(usage.find(option), std::string::npos) << option;
    }
    EXPECT_EQ(Run("--version > out.txt"), 0);
    EXPECT_EQ(Read("out.txt"), "tidewake-headless " TIDEWAKE_TEST_VERSION "\n");
    EXPECT_EQ(Run("--colour"), 2);
    EXPECT_NE(Read("stderr.txt").find(usage), std::string::npos);
    for (const char* program : {"tidewake", "tidewake-stage"}) {
        const std::string path = std::string("'" TIDEWAKE_BINARY_DIR "/") + program + "'";
        EXPECT_EQ(std::system((path + " --help > '" + (dir_ / "out.txt").string() + "'").c_str()),
                  0)
            << program;
        EXPECT_NE(Read("out.txt").find("usage: " + std::string(program)), std::string::npos);
        std::system((path + " --version > '" + (dir_ / "out.txt").string() + "'").c_str());
        EXPECT_EQ(Read("out.txt"), std::string(program) + " " TIDEWAKE_TEST_VERSION "\n");
    }
}

TEST_F(RunnerBinary, ScriptsEndTheRunWithTheirStatus) {
    Write("k.txt", "10 up down\n11 jump down\n");
    EXPECT_EQ(Run("--keys k.txt"), 2);
    EXPECT_NE(Read("stderr.txt").find("k.txt: line 2: unknown key 'jump'"), std::string::npos)
        << Read("stderr.txt");
    EXPECT_EQ(Run("--frames"), 2);
    EXPECT_EQ(Run("--keys missing.txt"), 2);

    Write("k.txt", "30 escape down\n");
    ASSERT_EQ(Run("--keys k.txt --trace t.csv"), 0) << Read("stderr.txt");
    const std::string trace = Read("t.csv");
    EXPECT_NE(trace.find("\n29,9,"), std::string::npos);
    EXPECT_EQ(trace.find("\n30,"), std::string::npos);
}

// A race left to drift until the time is up, once from the chase camera and once from the
// cockpit: the results camera circles the same boat either way, so the results frames are the
// same pixels, while the race frames before were seen from different places.
TEST_F(RunnerBinary, TheResultsAfterATimeUpInTheCockpitShowTheBoat) {
    const std::string start = "214 up down\n216 up up\n217 down down\n219 down up\n";
    Write("chase.txt", start);
    Write("cockpit.txt", start + "400 down down\n403 down up\n");
    for (const char* view : {"chase", "cockpit"}) {
        ASSERT_EQ(
            Run(std::string("--keys ") + view + ".txt --frames 6320 --no-text --trace " + view +
                ".csv --shot 500:" + view + "-race.png --shot 6310:" + view + "-results.png"),
            0)
            << Read("stderr.txt");
        EXPECT_NE(Read(std::string(view) + ".csv").find("\n6310,7,5991,"), std::string::npos);
    }
    EXPECT_NE(Read("chase-race.png"), Read("cockpit-race.png"));
    EXPECT_EQ(Read("chase-results.png"), Read("cockpit-results.png"));
}

}  // namespace
