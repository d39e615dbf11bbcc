// Writing stage files back after an edit: a file saved unchanged keeps its very bytes, an edit
// rewrites only its own line, and whatever is written reads back as the course that was meant.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <random>
#include <string>

#include "course/stage_file.h"
#include "course/stage_writer.h"
#include "testing/stage_folder.h"

namespace {

namespace fs = std::filesystem;
using stage_test::StageText;

StageFile Read(const std::string& text) {
    return stage_test::ParsedStage(text);
}

std::string Write(const std::string& original, const StageFile& edited) {
    std::string text, error;
    EXPECT_TRUE(WriteStageText(original, edited, text, error)) << error;
    return text;
}

TEST(StageWriter, EveryShippedAndTestCourseWritesBackByteForByte) {
    std::vector<std::string> texts = {
        StageText(), StageText("Bay", "   9999,  9999,9999", "19999,29999,39999", "\r\n") + "tail",
        NewStageText()};
    std::string version1 = StageText();
    version1.replace(0, version1.find("Info2\n") + 6, "format:tidewake1\nBay\n");
    texts.push_back(version1);
    texts.push_back(StageText() + " en-info2:Two \nen-name:Bay Cove\nen-name:Again\nen-x:y");
    for (const auto& entry : fs::directory_iterator(fs::path(TIDEWAKE_SOURCE_DIR) / "stage")) {
        texts.push_back(stage_test::ReadBytes(entry.path()));
    }
    for (const std::string& text : texts) EXPECT_EQ(Write(text, Read(text)), text);
}

// Moving a buoy, renaming the course and blanking the records touch those lines alone: the CR LF
// line ends, the blanks before the old records and the text after them stay.
TEST(StageWriter, AnEditRewritesOnlyItsOwnLines) {
    const std::string original =
        StageText("Bay", "   6543, 7012,9999", "13000,14000,15000", "\r\n") + "notes\r\n";
    StageFile edited = Read(original);
    edited.checkpointX[0] = 9100;
    edited.checkpointY[0] = -5;
    std::strcpy(edited.name, "NewBay");
    for (int i = 0; i < kStageRecords; ++i) edited.bestLaps[i] = edited.bestTotals[i] = 99999;
    std::string expected = original;
    expected.replace(expected.find("13000,14000,15000"), 17, "99999,99999,99999");
    expected.replace(expected.find("6543, 7012,9999"), 15, "99999,99999,99999");
    expected.replace(expected.find("9000,2000"), 9, "9100,-5");
    expected.replace(expected.find("Bay"), 3, "NewBay");
    EXPECT_EQ(Write(original, edited), expected);

    // Records of fewer digits keep the game's five-wide columns.
    edited = Read(original);
    edited.bestLaps[0] = 4321;
    EXPECT_NE(Write(original, edited).find("\r\n    4321, 7012, 9999\r\n"), std::string::npos);
}

// English lines are added at the end in the file's line ends, changed in place (the blanks
// around them and the rest of the line kept), and taken out whole; a text given twice is
// written once. Record edits leave them byte for byte.
TEST(StageWriter, EnglishLinesAreAddedChangedAndTakenOutOnTheirOwn) {
    auto edit = [](const std::string& original, const char* name, const char* info1,
                   const char* info2) {
        StageFile edited = Read(original);
        std::strcpy(edited.enName, name);
        std::strcpy(edited.enInfo1, info1);
        std::strcpy(edited.enInfo2, info2);
        return Write(original, edited);
    };
    const std::string crlf = StageText("Bay", "1,2,3", "4,5,6", "\r\n");
    EXPECT_EQ(edit(crlf, "Bay_Cove", "", "Two"), crlf + "en-name:Bay_Cove\r\nen-info2:Two\r\n");
    EXPECT_EQ(edit(StageText() + "tail", "", "One", ""), StageText() + "tail\nen-info1:One\n");

    const std::string given = StageText() + "notes\n  en-name:Bay \r\nen-info1:One\nmore\n";
    EXPECT_EQ(edit(given, "Cove", "One", ""),
              StageText() + "notes\n  en-name:Cove \r\nen-info1:One\nmore\n");
    EXPECT_EQ(edit(given, "", "", "Two"), StageText() + "notes\nmore\nen-info2:Two\n");

    // A last line without its line end keeps its text when a line is added after it.
    EXPECT_EQ(edit(StageText() + "en-info2:", "Bay", "", "Two"),
              StageText() + "en-info2:Two\nen-name:Bay\n");
    // A malformed or repeated text reads as none; a new one mends it and drops the repeats.
    const std::string twice = StageText() + "en-name:Bay Cove\nen-info1:A\nen-name:Cove\n";
    ASSERT_STREQ(Read(twice).enName, "");
    EXPECT_EQ(edit(twice, "", "A", ""), twice);
    EXPECT_EQ(edit(twice, "Cove", "A", ""), StageText() + "en-name:Cove\nen-info1:A\n");

    // The records rewritten, the English lines after them stay as they were.
    const std::string english = StageText() + "en-name:Bay_Cove\r\n en-info2:Two\n";
    StageFile edited = Read(english);
    edited.bestTotals[0] = 123456;
    std::string expected = english;
    expected.replace(expected.find("13000,14000"), 5, "123456");
    EXPECT_EQ(Write(english, edited), expected);
}

TEST(StageWriter, AVersion1FileGivenDescriptionsBecomesVersion15) {
    const std::string version1 =
        "format:tidewake1\r\nBay\r\n" + StageText("", "1,2,3", "4,5,6", "\r\n").substr(36);
    StageFile edited = Read(version1);
    ASSERT_EQ(edited.format, StageFormat::Version1);
    edited.format = StageFormat::Version15;
    std::strcpy(edited.formatWord, kStageFormat15);
    std::strcpy(edited.info1, "One");
    std::strcpy(edited.info2, "Two");
    const std::string written = Write(version1, edited);
    EXPECT_EQ(written.substr(0, 39), "format:tidewake1.5\r\nBay\r\nOne\r\nTwo\r\n12\r\n");
    EXPECT_EQ(written.substr(39), version1.substr(27));
}

// A text the reader would split or cut is refused before anything is written.
TEST(StageWriter, RefusesTextsTheReaderCouldNotReadBack) {
    const std::string original = StageText();
    const std::pair<const char*, const char*> cases[] = {
        {"Two words", "the stage name holds a blank"},
        {"", "the stage name is empty"},
    };
    for (auto [name, problem] : cases) {
        StageFile edited = Read(original);
        std::strcpy(edited.name, name);
        std::string text, error;
        EXPECT_FALSE(WriteStageText(original, edited, text, error)) << name;
        EXPECT_EQ(error.rfind(problem, 0), 0u) << error;
    }
    StageFile edited = Read(original);
    std::memset(edited.info1, 'x', sizeof edited.info1);
    std::string text, error;
    EXPECT_FALSE(WriteStageText(original, edited, text, error));
    EXPECT_EQ(error, "the first description text is too long: at most 255 bytes fit");

    const std::pair<std::string, const char*> english[] = {
        {"Bay Cove", "the English name holds a blank; write '_' for a space"},
        {"Ba\xe9", "the English name holds a byte that is not printable ASCII"},
        {std::string(kStageNameSize - 1, 'n'), ""},
    };
    for (const auto& [name, problem] : english) {
        edited = Read(original);
        std::strcpy(edited.enName, name.c_str());
        EXPECT_EQ(WriteStageText(original, edited, text, error), problem[0] == '\0') << name;
        EXPECT_EQ(error.rfind(problem, 0), 0u) << error;
    }
}

// Random courses, written over the template, read back as themselves.
TEST(StageWriter, AnyCourseWrittenReadsBackTheSame) {
    std::mt19937 random(20261206);
    std::uniform_int_distribution<int32_t> any(INT32_MIN, INT32_MAX);
    std::uniform_int_distribution<int> letter('!', '~');
    const std::string blank = NewStageText();
    for (int round = 0; round < 500; ++round) {
        StageFile course = Read(blank);
        for (char* text : {course.name, course.info1, course.info2}) {
            const int length = 1 + round % 40;
            for (int i = 0; i < length; ++i) text[i] = char(round % 3 ? letter(random) : 0x82);
            text[length] = '\0';
        }
        for (char* text : {course.enName, course.enInfo1, course.enInfo2}) {
            const int length = round % 5 * 7;  // none at times: an added line taken out again
            for (int i = 0; i < length; ++i) text[i] = char(letter(random));
            text[length] = '\0';
        }
        for (int32_t* value : {&course.pace, &course.rampX, &course.rampY, &course.padX,
                               &course.padY, &course.bestLaps[1], &course.bestTotals[2]}) {
            *value = any(random);
        }
        for (int i = 0; i < kStageCheckpoints; ++i) {
            course.checkpointX[i] = any(random), course.checkpointY[i] = any(random);
            course.standX[i] = any(random), course.standY[i] = any(random);
            course.standZ[i] = any(random);
        }
        const std::string text = Write(blank, course);
        EXPECT_TRUE(SameStage(Read(text), course)) << text;
    }
}

}  // namespace
