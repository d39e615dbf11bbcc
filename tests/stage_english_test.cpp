// A stage's English texts: the optional "en-" lines after the records, read in any order; a
// malformed or repeated one leaves its text empty without refusing the course; the loaded stage
// keeps them as the screen shows them, and the stage select's texts come in the language asked.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "course/stage.h"
#include "course/stage_file.h"
#include "testing/stage_folder.h"

namespace {

using stage_test::StageText;

StageFile Read(const std::string& text) {
    return stage_test::ParsedStage(text);
}

std::vector<std::string> Texts(const StageFile& s) {
    return {s.enName, s.enInfo1, s.enInfo2};
}

// StageText() ends with the best totals on line 25.
TEST(StageEnglish, LinesAfterTheRecordsAreReadInAnyOrderAmongOtherText) {
    EXPECT_EQ(Texts(Read(StageText())), (std::vector<std::string>{"", "", ""}));
    EXPECT_EQ(Read(StageText()).english[kEnglishName].line, 0);

    const std::string text = StageText() +
                             "notes the game never read\n"
                             "en-info2:Mind_the_rocks\n"
                             "  en-name:Bay_Circuit \t\r\n"
                             "en-info1:\tA_wide_course!\n";
    const StageFile s = Read(text);
    EXPECT_EQ(Texts(s),
              (std::vector<std::string>{"Bay_Circuit", "A_wide_course!", "Mind_the_rocks"}));
    EXPECT_EQ(s.english[kEnglishInfo2].line, 27);
    EXPECT_EQ(s.english[kEnglishName].line, 28);
    EXPECT_EQ(text.substr(s.english[kEnglishName].value.begin, 11), "Bay_Circuit");
    const TextSpan whole = s.english[kEnglishName].whole;
    EXPECT_EQ(text.substr(whole.begin, whole.end - whole.begin), "  en-name:Bay_Circuit \t\r\n");

    // The last line needs no line end; text on the best totals' own line is no English line.
    EXPECT_STREQ(Read(StageText() + "en-name:Cove").enName, "Cove");
    std::string sameLine = StageText();
    sameLine.insert(sameLine.size() - 1, " en-name:Cove");
    EXPECT_STREQ(Read(sameLine).enName, "");
    // An unknown format word or a version 1 file reads them all the same.
    std::string version1 = StageText();
    version1.replace(0, version1.find("Info2\n") + 6, "format:tidewake1\nBay\n");
    EXPECT_STREQ(Read(version1 + "en-info1:Old").enInfo1, "Old");
}

// The course still loads as it always did: only the English text in question is left empty, and
// the reason stays with its line for the checker.
TEST(StageEnglish, AMalformedOrRepeatedLineLeavesItsTextEmptyAndTheCourseLoads) {
    const struct {
        std::string lines;
        EnglishItem item;
        EnglishProblem problem;
    } cases[] = {
        {"en-name:Bay Circuit\n", kEnglishName, EnglishProblem::Blank},
        {"en-name:Bay\x01\n", kEnglishName, EnglishProblem::NotAscii},
        {std::string("en-info1:a\0b\n", 13), kEnglishInfo1, EnglishProblem::NotAscii},
        {"en-info1:\x83X\x83^\n", kEnglishInfo1, EnglishProblem::NotAscii},
        {"en-info2:\n", kEnglishInfo2, EnglishProblem::Empty},
        {"en-name:" + std::string(kStageNameSize, 'n') + "\n", kEnglishName,
         EnglishProblem::TooLong},
        {"en-info2:" + std::string(kStageTextSize, 'i') + "\n", kEnglishInfo2,
         EnglishProblem::TooLong},
    };
    for (const auto& c : cases) {
        const EnglishItem other = c.item == kEnglishInfo1 ? kEnglishInfo2 : kEnglishInfo1;
        const StageFile s = Read(StageText() + EnglishKey(other) + "Kept\n" + c.lines);
        EXPECT_EQ(s.english[c.item].problem, c.problem) << c.lines;
        EXPECT_EQ(s.english[c.item].line, 27) << c.lines;
        EXPECT_STREQ(EnglishText(s, c.item), "") << c.lines;
        EXPECT_STREQ(EnglishText(s, other), "Kept") << c.lines;
        EXPECT_EQ(s.pace, 12);
    }
    // The longest texts that fit are taken.
    const std::string name(kStageNameSize - 1, 'n'), info(kStageTextSize - 1, 'i');
    const StageFile longest = Read(StageText() + "en-name:" + name + "\nen-info2:" + info + "\n");
    EXPECT_EQ(Texts(longest), (std::vector<std::string>{name, "", info}));

    // Given twice, even the same text twice, neither counts.
    const StageFile twice =
        Read(StageText() + "en-name:Bay\nen-info1:Kept\nen-name:Bay\nen-name:Cove\n");
    EXPECT_EQ(Texts(twice), (std::vector<std::string>{"", "Kept", ""}));
    EXPECT_EQ(twice.english[kEnglishName].line, 26);
    EXPECT_EQ(twice.english[kEnglishName].repeatLine, 28);
    EXPECT_EQ(twice.english[kEnglishName].problem, EnglishProblem::None);
}

using StageEnglishLoad = stage_test::StageFolder;

// '_' on the screen is a space; the stage's own texts, and their lengths, are untouched; a stage
// without English lines leaves none behind from the stage before.
TEST_F(StageEnglishLoad, TheLoadedStageKeepsTheTextsAsShownAndTheChooserFallsBack) {
    const std::string japanese = "\x83X\x83^\x81[\x83g";
    Write("01.dat", StageText(japanese) + "en-name:Bay_Circuit\nen-info2:_Mind__it_\n");
    Write("02.dat", StageText("Plain"));
    ASSERT_TRUE(LoadStage(1));
    EXPECT_STREQ(StageName, japanese.c_str());
    EXPECT_STREQ(StageNameEn, "Bay Circuit");
    EXPECT_STREQ(StageInfo1En, "");
    EXPECT_STREQ(StageInfo2En, " Mind  it ");
    EXPECT_EQ(std::vector<int32_t>({StageNameEnLen, StageInfo1EnLen, StageInfo2EnLen}),
              std::vector<int32_t>({11, 0, 10}));

    int32_t length = -1;
    // In Japanese, always the file's own texts: the screen stays as it has always been.
    for (const StageTextKind kind :
         {StageTextKind::Name, StageTextKind::Info1, StageTextKind::Info2}) {
        const char* own = kind == StageTextKind::Name    ? StageName
                          : kind == StageTextKind::Info1 ? StageInfo1
                                                         : StageInfo2;
        EXPECT_EQ(StageTextFor(kind, false, length), own);
        EXPECT_EQ(length, static_cast<int32_t>(std::strlen(own)));
    }
    EXPECT_STREQ(StageTextFor(StageTextKind::Name, true, length), "Bay Circuit");
    EXPECT_EQ(length, 11);
    EXPECT_STREQ(StageTextFor(StageTextKind::Info1, true, length), "Info1");  // none in English
    EXPECT_EQ(length, 5);
    EXPECT_STREQ(StageTextFor(StageTextKind::Info2, true, length), " Mind  it ");

    ASSERT_TRUE(LoadStage(2));
    EXPECT_STREQ(StageNameEn, "");
    EXPECT_EQ(StageNameEnLen + StageInfo2EnLen, 0);
    EXPECT_STREQ(StageTextFor(StageTextKind::Name, true, length), "Plain");
    EXPECT_EQ(length, 5);
}

}  // namespace
