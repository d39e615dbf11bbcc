// The course editor's side of the game code, as the browser calls it: a course opens into the
// numbers the page edits in their documented order, each number written back lands on its own
// line, texts that do not fit are refused, an old-format file given descriptions becomes a 1.5
// file with its lines moved, a bad file leaves the open course alone, the checker's answer is
// JSON the page can read, the English texts are kept on lines of their own, and the preview
// draws the course as edited.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "app/editor/editor_session.h"
#include "render/frame_buffer.h"
#include "testing/stage_folder.h"

namespace {

using stage_test::StageText;

std::string Written() {
    return std::string(tw_editor_written_data(), tw_editor_written_size());
}

// The numbers of the open course, read off its JSON.
std::vector<int32_t> Numbers() {
    const std::string json = tw_editor_course();
    const size_t begin = json.find("\"numbers\":[") + 11;
    std::vector<int32_t> numbers;
    for (size_t at = begin; json[at - 1] != ']'; at = json.find_first_of(",]", at) + 1) {
        numbers.push_back(std::stoi(json.substr(at)));
    }
    return numbers;
}

bool Open(const std::string& text) {
    return tw_editor_open(text.data(), static_cast<int>(text.size())) == 1;
}

TEST(EditorSession, EachNumberIsWrittenToItsOwnLine) {
    const std::string original = StageText();
    ASSERT_TRUE(Open(original));
    std::vector<int32_t> numbers = Numbers();
    ASSERT_EQ(numbers.size(), static_cast<size_t>(kEditorNumberCount));
    EXPECT_EQ(numbers[kEditorPace], 12);
    EXPECT_EQ(numbers[kEditorCheckpoints + 10], 3500);  // the sixth buoy's x
    EXPECT_EQ(numbers[kEditorStands + 17], -5);         // the sixth stand's height
    EXPECT_EQ(numbers[kEditorPad + 1], 4460);
    EXPECT_EQ(numbers[kEditorBestTotals + 2], 15000);

    // Saved unchanged, the file keeps its very bytes.
    ASSERT_EQ(tw_editor_write(), 1) << tw_editor_error();
    EXPECT_EQ(Written(), original);

    numbers[kEditorCheckpoints + 3] = -7;  // the second buoy's y
    numbers[kEditorStands + 5] = 1200;     // the second stand's height
    numbers[kEditorRamp] = 1;
    numbers[kEditorBestLaps] = 99999;
    ASSERT_EQ(tw_editor_set_numbers(numbers.data(), kEditorNumberCount), 1);
    ASSERT_EQ(tw_editor_write(), 1) << tw_editor_error();
    std::string expected = original;
    expected.replace(expected.find("18000,3500"), 10, "18000,-7");
    expected.replace(expected.find("16586,1034,900"), 14, "16586,1034,1200");
    expected.replace(expected.find("4325,10500"), 10, "1,10500");
    expected.replace(expected.find("6543,7012,9999"), 14, "99999, 7012, 9999");
    EXPECT_EQ(Written(), expected);

    EXPECT_EQ(tw_editor_set_numbers(numbers.data(), kEditorNumberCount - 1), 0);
}

TEST(EditorSession, TextsThatDoNotFitAreRefusedAndTheOldOnesKept) {
    ASSERT_TRUE(Open(StageText()));
    const std::string longest(kStageNameSize - 1, 'n');
    EXPECT_EQ(tw_editor_set_text(kEditorName, longest.data(), static_cast<int>(longest.size())), 1);
    const std::string tooLong(kStageNameSize, 'n');
    EXPECT_EQ(tw_editor_set_text(kEditorName, tooLong.data(), static_cast<int>(tooLong.size())), 0);
    EXPECT_EQ(tw_editor_set_text(kEditorInfo1, "a\0b", 3), 0);
    EXPECT_EQ(tw_editor_set_text(7, "x", 1), 0);
    ASSERT_EQ(tw_editor_write(), 1) << tw_editor_error();
    EXPECT_NE(Written().find("\n" + longest + "\nInfo1\n"), std::string::npos);

    // A blank would split the name when the game reads it: the writer says so.
    EXPECT_EQ(tw_editor_set_text(kEditorName, "Two words", 9), 1);
    EXPECT_EQ(tw_editor_write(), 0);
    EXPECT_NE(std::string(tw_editor_error()).find("blank"), std::string::npos);
}

// The English texts reach the page with their lines; set, changed or emptied they are written
// as lines of their own after the records, and the page is told where they went.
TEST(EditorSession, EnglishTextsAreOpenedAndWrittenAsTheirOwnLines) {
    const std::string original = StageText() + "en-info1:Up\n";
    ASSERT_TRUE(Open(original));
    const std::string course = tw_editor_course();
    EXPECT_NE(course.find("\"texts\":[[66,97,121],[73,110,102,111,49],[73,110,102,111,50],[],[85,"
                          "112],[]]"),
              std::string::npos)
        << course;
    EXPECT_NE(course.find("\"enName\":0,\"enInfo1\":26,\"enInfo2\":0"), std::string::npos);

    ASSERT_EQ(tw_editor_set_text(kEditorEnName, "Bay_Cove", 8), 1);
    ASSERT_EQ(tw_editor_set_text(kEditorEnInfo1, "", 0), 1);
    ASSERT_EQ(tw_editor_set_text(kEditorEnInfo2, "Down", 4), 1);
    ASSERT_EQ(tw_editor_write(), 1) << tw_editor_error();
    EXPECT_EQ(Written(), StageText() + "en-name:Bay_Cove\nen-info2:Down\n");
    EXPECT_NE(
        std::string(tw_editor_written_lines()).find("\"enName\":26,\"enInfo1\":0,\"enInfo2\":27"),
        std::string::npos);

    const std::string tooLong(kStageNameSize, 'n');
    EXPECT_EQ(tw_editor_set_text(kEditorEnName, tooLong.data(), kStageNameSize), 0);
    EXPECT_EQ(tw_editor_set_text(kEditorEnInfo1, "Two words", 9), 1);
    EXPECT_EQ(tw_editor_write(), 0);
    EXPECT_NE(std::string(tw_editor_error()).find("English description holds a blank"),
              std::string::npos);
    ASSERT_EQ(tw_editor_set_text(kEditorEnInfo1, "Up", 2), 1);
    ASSERT_EQ(tw_editor_set_text(kEditorEnName, "", 0), 1);
    ASSERT_EQ(tw_editor_set_text(kEditorEnInfo2, "", 0), 1);
    ASSERT_EQ(tw_editor_write(), 1) << tw_editor_error();
    EXPECT_EQ(Written(), original);
}

TEST(EditorSession, AnOldFileGivenDescriptionsBecomesVersion15WithItsLinesMoved) {
    std::string version1 = StageText();
    version1.replace(0, version1.find("Info2\n") + 6, "format:tidewake1\nBay\n");
    ASSERT_TRUE(Open(version1));
    EXPECT_NE(std::string(tw_editor_course()).find("\"checkpoints\":[5,"), std::string::npos);
    ASSERT_EQ(tw_editor_write(), 1);
    EXPECT_EQ(Written(), version1);

    ASSERT_EQ(tw_editor_set_text(kEditorInfo1, "Up", 2), 1);
    ASSERT_EQ(tw_editor_set_text(kEditorInfo2, "Down", 4), 1);
    ASSERT_EQ(tw_editor_write(), 1) << tw_editor_error();
    EXPECT_EQ(Written().rfind("format:tidewake1.5\nBay\nUp\nDown\n12\n", 0), 0u);
    // The checker's lines are the written file's: the buoys are two lines further down.
    EXPECT_NE(std::string(tw_editor_written_lines()).find("\"checkpoints\":[7,"),
              std::string::npos);

    // Both emptied again, the file goes back to what it was.
    ASSERT_EQ(tw_editor_set_text(kEditorInfo1, "", 0), 1);
    ASSERT_EQ(tw_editor_set_text(kEditorInfo2, "", 0), 1);
    ASSERT_EQ(tw_editor_write(), 1) << tw_editor_error();
    EXPECT_EQ(Written(), version1);
}

TEST(EditorSession, ABadFileLeavesTheOpenCourseAndIsExplainedByTheChecker) {
    ASSERT_EQ(tw_editor_open_new(), 1);
    ASSERT_EQ(tw_editor_write(), 1);
    const std::string before = Written();
    const std::string broken = "format:tidewake1.5\nBay\nA\nB\n10\nBuoys\n1,2\n";
    EXPECT_FALSE(Open(broken));
    EXPECT_EQ(tw_editor_open(nullptr, 3), 0);
    ASSERT_EQ(tw_editor_write(), 1);
    EXPECT_EQ(Written(), before);

    const std::string problems =
        tw_editor_check(broken.data(), static_cast<int>(broken.size()), "my \"bay\".dat");
    EXPECT_EQ(problems.rfind("[{\"line\":8,\"severity\":\"error\",\"message\":", 0), 0u)
        << problems;
    EXPECT_NE(problems.find("\"text\":\"my \\\"bay\\\".dat:8: error: "), std::string::npos)
        << problems;
    EXPECT_EQ(
        std::string(tw_editor_check(before.data(), static_cast<int>(before.size()), "new.dat")),
        "[]");
}

TEST(EditorSession, TheNewCourseAndItsWarningsReachThePage) {
    ASSERT_EQ(tw_editor_open_new(), 1);
    std::vector<int32_t> numbers = Numbers();
    numbers[kEditorPad] = 30000;
    ASSERT_EQ(tw_editor_set_numbers(numbers.data(), kEditorNumberCount), 1);
    ASSERT_EQ(tw_editor_write(), 1);
    const std::string text = Written();
    const std::string problems =
        tw_editor_check(text.data(), static_cast<int>(text.size()), "new.dat");
    EXPECT_NE(problems.find("\"line\":22,\"severity\":\"warning\""), std::string::npos) << problems;
}

// The start grid is drawn on still water, so the same course draws the same frame.
TEST(EditorSession, ThePreviewDrawsTheCourseAsEdited) {
    ASSERT_EQ(tw_editor_open_new(), 1);
    const uint8_t* frame = tw_editor_render(1, 0);
    const std::vector<uint8_t> grid(frame, frame + 640 * 480);
    EXPECT_EQ(FrameBits, nullptr);
    EXPECT_GT(
        std::count_if(grid.begin(), grid.end(), [](uint8_t p) { return p != kWaterBackground; }),
        1000);
    frame = tw_editor_render(1, 0);
    EXPECT_TRUE(std::equal(grid.begin(), grid.end(), frame));

    std::vector<int32_t> numbers = Numbers();
    numbers[kEditorCheckpoints] += 1500;
    ASSERT_EQ(tw_editor_set_numbers(numbers.data(), kEditorNumberCount), 1);
    frame = tw_editor_render(1, 0);
    EXPECT_FALSE(std::equal(grid.begin(), grid.end(), frame));
    frame = tw_editor_render(0, 900);
    EXPECT_FALSE(std::equal(grid.begin(), grid.end(), frame));
}

}  // namespace
