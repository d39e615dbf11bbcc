// The stage author's checker and map, and the courses we ship.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "author/stage_check.h"
#include "author/stage_map.h"
#include "course/stage_file.h"
#include "testing/stage_folder.h"

namespace {

namespace fs = std::filesystem;
using stage_test::StageText;
using stage_tool::Problem;

std::vector<Problem> Check(const std::string& text) {
    std::vector<Problem> problems;
    stage_tool::CheckStageText("x.dat", text.data(), text.size(), problems);
    return problems;
}

std::string Replaced(std::string text, const std::string& what, const std::string& with) {
    text.replace(text.find(what), what.size(), with);
    return text;
}

// Each problem as "LINE: error|warning": what the loader rejects is one error on its line; a
// course that loads but races badly, an unknown format word and records that would be written
// elsewhere are warnings.
TEST(StageCheck, NamesEachProblemWithItsLine) {
    std::string badlyRaced = StageText("Bay", "3000,2000,4000", "9000,8000,9000");
    badlyRaced = Replaced(badlyRaced, "18000,3500", "23500,3500");   // outside the fence
    badlyRaced = Replaced(badlyRaced, "21500,11500", "23000,3700");  // 509 from the one before
    badlyRaced = Replaced(badlyRaced, "4325,10500", "50,10500");     // ramp in the fence
    badlyRaced = Replaced(badlyRaced, "18420,4460", "18420,-1");     // pad outside
    const std::pair<std::string, std::vector<std::string>> cases[] = {
        {StageText(), {}},
        {Replaced(StageText(), "18000,3500", "18000"), {"8 error"}},
        {badlyRaced,
         {"8 warning", "9 warning", "21 warning", "22 warning", "24 warning", "25 warning"}},
        {Replaced(StageText(), "format:tidewake1.5\nBay\nInfo1\nInfo2", "format:tidewake9\nBay"),
         {"1 warning"}},
        {Replaced(StageText(), "BestLap", "Records"), {"23 warning"}},  // records appended
        {Replaced(StageText(), "Info2", "BestLap"), {"5 warning"}},     // over the texts
    };
    for (const auto& [text, expected] : cases) {
        std::vector<std::string> lines;
        for (const Problem& p : Check(text))
            lines.push_back(std::to_string(p.line) + (p.error ? " error" : " warning"));
        EXPECT_EQ(lines, expected);
    }
    EXPECT_EQ(stage_tool::FormatProblem(Check(Replaced(StageText(), "18000,3500", "18000"))[0]),
              "x.dat:8: error: the checkpoint 2 needs 2 numbers separated by commas");
}

// A malformed English line loads (the game shows the stage's own text), so each is a warning on
// its own line, in line order; well-formed ones and other trailing text pass.
TEST(StageCheck, WarnsAboutEachEnglishLineTheGameCannotTake) {
    EXPECT_TRUE(Check(StageText() + "notes\nen-name:Bay_Cove\nen-info1:A\nen-info2:B").empty());
    const std::string text = StageText() +
                             "en-info2:Two words\n"  // 26
                             "en-name:Bay\n"         // 27
                             "en-nmae:Cove\n"        // 28
                             "en-info1:" +
                             std::string(kStageTextSize, 'i') +
                             "\n"                 // 29
                             "en-name:Cove\n"     // 30
                             "en-info2:\x83X\n";  // 31
    std::vector<std::string> said;
    for (const Problem& p : Check(text)) said.push_back(stage_tool::FormatProblem(p));
    const std::vector<std::string> expected = {
        "x.dat:26: warning: the second English description holds a blank; write '_' for a "
        "space, which the game shows as one (the game shows the stage's own text)",
        "x.dat:28: warning: unknown English line: the game reads only \"en-name:\", "
        "\"en-info1:\" and \"en-info2:\"",
        "x.dat:29: warning: the first English description is too long: at most 255 bytes fit "
        "(the game shows the stage's own text)",
        "x.dat:30: warning: \"en-name:\" is given again (first on line 27): the game takes "
        "neither and shows the stage's own text",
        "x.dat:31: warning: \"en-info2:\" is given again (first on line 26): the game takes "
        "neither and shows the stage's own text",
    };
    EXPECT_EQ(said, expected);
}

TEST(StageCheck, TheToolNamesEachFileAndFailsOnlyOnErrors) {
    char pattern[] = "/tmp/tidewake-stage-tool-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const fs::path folder = pattern;
    stage_test::WriteBytes(folder / "good.dat", StageText());
    stage_test::WriteBytes(folder / "warn.dat", StageText("Bay", "3,2,1"));
    stage_test::WriteBytes(folder / "bad.dat", Replaced(StageText(), "12\n", "x\n"));
    const std::string tool = std::string(TIDEWAKE_BINARY_DIR) + "/tidewake-stage";
    auto run = [&](const std::string& args) {
        const std::string out = (folder / "out.txt").string();
        const int status = std::system((tool + " " + args + " > " + out).c_str());
        return std::make_pair(WEXITSTATUS(status), stage_test::ReadBytes(out));
    };

    auto [status, out] =
        run("check " + (folder / "good.dat").string() + " " + (folder / "warn.dat").string());
    EXPECT_EQ(status, 0) << out;
    EXPECT_EQ(out, (folder / "warn.dat").string() +
                       ":24: warning: the best laps are not in ascending order\n");

    std::tie(status, out) =
        run("check " + (folder / "bad.dat").string() + " " + (folder / "missing.dat").string());
    EXPECT_EQ(status, 1);
    EXPECT_NE(out.find((folder / "bad.dat").string() + ":5: error: the opponent pace is not a"),
              std::string::npos)
        << out;
    EXPECT_NE(out.find((folder / "missing.dat").string() + ": error: cannot open"),
              std::string::npos)
        << out;

    std::tie(status, out) =
        run("map " + (folder / "good.dat").string() + " " + (folder / "map.png").string());
    EXPECT_EQ(status, 0);
    EXPECT_EQ(stage_test::ReadBytes(folder / "map.png").substr(1, 3), "PNG");
    fs::remove_all(folder);
}

TEST(StageMap, PutsEachThingWhereTheWorldHasIt) {
    StageFile stage;
    StageFileError error;
    const std::string text = StageText();
    ASSERT_TRUE(ParseStageFile(text.data(), text.size(), stage, error));
    std::vector<uint8_t> pixels(stage_tool::kMapSize * stage_tool::kMapSize);
    stage_tool::RenderStageMap(stage, pixels.data());
    auto at = [&](double x, double y) {
        return pixels[stage_tool::MapY(x) * stage_tool::kMapSize + stage_tool::MapX(y)];
    };
    const uint8_t water = at(12000, 12500);
    EXPECT_NE(at(stage.checkpointX[2], stage.checkpointY[2]), water);
    EXPECT_NE(at(stage.rampX, stage.rampY), water);
    EXPECT_NE(at(stage.padX, stage.padY), at(stage.rampX, stage.rampY));
    EXPECT_NE(at(stage.standX[0], stage.standY[0]), water);
    // World x runs up the picture, y to the left, as on the race screen's course map.
    EXPECT_LT(stage_tool::MapY(20000), stage_tool::MapY(1000));
    EXPECT_LT(stage_tool::MapX(20000), stage_tool::MapX(1000));
}

double DistanceToLeg(const StageFile& s, int leg, double x, double y) {
    const int next = (leg + 1) % kStageCheckpoints;
    const double ax = s.checkpointX[leg], ay = s.checkpointY[leg];
    const double dx = s.checkpointX[next] - ax, dy = s.checkpointY[next] - ay;
    double t = ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy);
    t = std::fmax(0.0, std::fmin(1.0, t));
    return std::hypot(ax + t * dx - x, ay + t * dy - y);
}

TEST(ShippedStages, AreCleanDistinctRaceableCourses) {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(fs::path(TIDEWAKE_SOURCE_DIR) / "stage"))
        files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    ASSERT_GE(files.size(), 4u);
    EXPECT_EQ(files[0].filename(), "01.dat");

    std::vector<int32_t> paces;
    std::vector<std::vector<int32_t>> layouts;
    for (const fs::path& file : files) {
        std::vector<Problem> problems;
        EXPECT_TRUE(stage_tool::CheckStageFile(file.string(), problems));
        for (const Problem& p : problems) ADD_FAILURE() << stage_tool::FormatProblem(p);

        const std::string text = stage_test::ReadBytes(file);
        StageFile s;
        StageFileError error;
        ASSERT_TRUE(ParseStageFile(text.data(), text.size(), s, error)) << file;
        EXPECT_EQ(s.format, StageFormat::Version15) << file;
        EXPECT_GE(static_cast<unsigned char>(s.name[0]), 0x81u) << file << ": a Japanese name";
        EXPECT_GE(static_cast<unsigned char>(s.info1[0]), 0x81u) << file << ": Japanese texts";
        // And English ones, short enough to stand within the stage select's width.
        EXPECT_TRUE(s.enName[0] != '\0' && s.enInfo1[0] != '\0' && s.enInfo2[0] != '\0') << file;
        EXPECT_LE(std::strlen(s.enName), 20u) << file;
        EXPECT_LE(std::max(std::strlen(s.enInfo1), std::strlen(s.enInfo2)), 50u) << file;
        for (int i = 0; i < kStageRecords; ++i)
            EXPECT_EQ(std::pair(s.bestLaps[i], s.bestTotals[i]), std::pair(99999, 99999)) << file;
        // The ramp and the pad lie on the course, where every boat passes.
        double ramp = 1e9, pad = 1e9;
        for (int leg = 0; leg < kStageCheckpoints; ++leg) {
            ramp = std::fmin(ramp, DistanceToLeg(s, leg, s.rampX, s.rampY));
            pad = std::fmin(pad, DistanceToLeg(s, leg, s.padX, s.padY));
        }
        EXPECT_LT(ramp, 300.0) << file;
        EXPECT_LT(pad, 300.0) << file;
        // Each camera stand is near enough to see its checkpoint and stands above the water.
        for (int i = 0; i < kStageCheckpoints; ++i) {
            EXPECT_LT(std::hypot(s.standX[i] - s.checkpointX[i], s.standY[i] - s.checkpointY[i]),
                      4000.0)
                << file << " stand " << i + 1;
            EXPECT_GT(s.standZ[i], 300) << file;
        }
        paces.push_back(s.pace);
        layouts.emplace_back(s.checkpointX, s.checkpointX + kStageCheckpoints);
        layouts.back().insert(layouts.back().end(), s.checkpointY, s.checkpointY + 6);
    }
    EXPECT_EQ(paces.front(), 8);
    EXPECT_EQ(*std::max_element(paces.begin(), paces.end()), 13);
    EXPECT_TRUE(std::is_sorted(paces.begin(), paces.end()));
    std::sort(layouts.begin(), layouts.end());
    EXPECT_EQ(std::unique(layouts.begin(), layouts.end()), layouts.end());
}

}  // namespace
