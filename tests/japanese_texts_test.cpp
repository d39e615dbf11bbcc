// The game's Japanese texts are kept as code page 932 bytes; each must say what its comment says.
#include <gtest/gtest.h>

#include <cstring>

#include "media/japanese_texts.h"
#include "platform/common/cp932.h"

namespace {

struct JapaneseText {
    const char* name;
    const char* cp932;
    const char* utf8;
};

// One row per constant of media/japanese_texts.h.
const JapaneseText kTexts[] = {
    {"backslash stays a backslash", "\\", "\\"},
    {"kTextTitle", kTextTitle, "タイドウェイク"},
    {"kTextTitleVersion", kTextTitleVersion, "ＴｉｄｅＷａｋｅ1.5"},
    {"kTextPushUpStart", kTextPushUpStart, "Ｐｕｓｈ［↑］ＳＴＡＲＴ"},
    {"kStageLoadError", kStageLoadError,
     "ステージ読込みエラーです\n\nタイドウェイクの実行ファイルと同じフォルダに\nstage\n"
     "というフォルダを作成し、その中に\n*.datファイル(01.datなど)を入れてください。"},
    {"kStageLoadErrorHeading", kStageLoadErrorHeading, "ステージ読込みエラーです"},
    {"kTextCheckPoint", kTextCheckPoint, "ＣｈｅｃｋＰｏｉｎｔ"},
    {"kTextStart", kTextStart, "ＳＴＡＲＴ"},
    {"kTextReplayKeys", kTextReplayKeys, "［←］タイトルに戻る　［↓］視点切替"},
    {"kFormatLapTime", kFormatLapTime, "ＬＡＰ%d    %6.2f[s]"},
    {"kFormatLapUnset", kFormatLapUnset, "ＬＡＰ%d    ---.--[s]"},
    {"kFormatTotal", kFormatTotal, "ＴＯＴＡＬ%7.2f[s]"},
    {"kTextFinish", kTextFinish, "ＦＩＮＩＳＨ"},
    {"kFormatPlace", kFormatPlace, "%d位"},
    {"kTextTimeUp", kTextTimeUp, "ＴｉｍｅＵｐ"},
    {"kTextResultsKeys", kTextResultsKeys, "［↑］リプレイを見る   ［↓］タイトルに戻る"},
    {"kTextPushDownStart", kTextPushDownStart, "Push［↓］Start"},
    {"kTextStepArrows", kTextStepArrows, "[←]                 [→]"},
};

TEST(JapaneseTexts, BytesSayWhatTheCommentsSay) {
    for (const JapaneseText& text : kTexts) {
        EXPECT_EQ(platform::Cp932ToUtf8(text.cp932, std::strlen(text.cp932)), text.utf8)
            << text.name;
    }
}

TEST(JapaneseTexts, InvalidBytesBecomeQuestionMarks) {
    // 0x81 opens a two-byte character; alone at the end it is cut off.
    EXPECT_EQ(platform::Cp932ToUtf8("A\x81", 2), "A?");
}

}  // namespace
