// Text in the frame (where it lands, how tall its cell is, which palette colour it takes) and
// the game's Japanese texts, kept as code page 932 bytes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <utility>

#include "media/display.h"
#include "media/japanese_texts.h"
#include "media/palette.h"
#include "media/text.h"
#include "platform/common/cp932.h"
#include "platform/common/ttf_text.h"
#include "platform/headless/headless.h"
#include "render/frame_buffer.h"

namespace {

struct Box {
    int left = 10000, top = 10000, right = -1, bottom = -1, count = 0;
};

// Bounding box of the back buffer's pixels equal to `index` in the first `columns` of each row.
Box InkedBox(uint8_t index, int columns = 640) {
    Box box;
    const uint8_t* bits = headless::BackBuffer();
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < columns; ++x)
            if (bits[y * headless::BackBufferPitch() + x] == index) {
                box.left = std::min(box.left, x);
                box.right = std::max(box.right, x);
                box.top = std::min(box.top, y);
                box.bottom = std::max(box.bottom, y);
                ++box.count;
            }
    return box;
}

class TextTest : public ::testing::Test {
  protected:
    void SetUp() override {
        headless::Reset();
        InitMedia(640, 480);
        FillFrame(0);
    }
};

TEST_F(TextTest, CellHeightIsTheRequestedHeight) {
    if (platform::TtfCellHeight(20) < 0) GTEST_SKIP() << "no font installed";
    for (int height : {12, 14, 20, 25, 28, 30, 35, 40, 60, 90, 95}) {
        EXPECT_EQ(platform::TtfCellHeight(height), height) << platform::TtfFacePath();
    }
}

// Glyphs land inside their cell from its top-left corner and only glyph pixels are written; a
// two-byte character prints once; text is clipped at the frame's edges, never into the bytes
// past column 639; outside a text block nothing is drawn.
TEST_F(TextTest, GlyphsLandInsideTheirCells) {
    BeginText(40);
    DrawText(100, 50, "HH", 0x00FFFFFF);
    EndText();
    Box box = InkedBox(255);
    ASSERT_GT(box.count, 0);
    EXPECT_TRUE(box.left >= 100 && box.left <= 110 && box.top >= 50 && box.bottom < 90)
        << box.left << " " << box.top << " " << box.bottom;
    EXPECT_EQ(InkedBox(0).count, 640 * 480 - box.count);

    FillFrame(0);
    BeginText(20);
    DrawText(0, 0, "\x83\x5e\x83\x5e", 0x00FFFFFF);  // "タタ", four bytes
    EndText();
    box = InkedBox(255);
    EXPECT_TRUE(box.right >= 20 && box.right <= 40) << box.right;  // two cells, not four

    FillFrame(0);
    BeginText(60);
    DrawText(600, 450, "WWWW", 0x0000FF00);
    DrawText(-30, -30, "WWWW", 0x0000FF00);
    EndText();
    EXPECT_GT(InkedBox(250).count, 0);
    const int pitch = headless::BackBufferPitch();
    EXPECT_EQ(InkedBox(0, pitch).count - InkedBox(0).count, (pitch - 640) * 480);

    DrawText(100, 100, "Lost", 0x00FFFFFF);
    EXPECT_EQ(InkedBox(255).count, 0);
}

TEST(Palette, FixedColoursKeepTheirIndicesAndGreysFindAGrey) {
    // Red, green, white, cyan (5, 255, 255), black, grey.
    const std::pair<uint32_t, int> fixed[] = {{0x000000FF, 249}, {0x0000FF00, 250},
                                              {0x00FFFFFF, 255}, {0x00FFFF05, 254},
                                              {0x00000000, 0},   {0x00808080, 248}};
    for (const auto& [colour, index] : fixed) EXPECT_EQ(NearestPaletteIndex(colour), index);
    for (int v = 0; v <= 255; v += 5) {
        const platform::Rgb c = GamePalette[NearestPaletteIndex(v * 0x010101)];
        // The fade of the opening stays smooth and grey.
        EXPECT_LE(std::max({std::abs(c.r - v), std::abs(c.g - v), std::abs(c.b - v)}), 7) << v;
    }
    const platform::Rgb lightGreen = GamePalette[NearestPaletteIndex(0x0037E17D)];
    EXPECT_LT(lightGreen.r, lightGreen.g);
    EXPECT_GT(lightGreen.r, lightGreen.b);
}

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
    {"kTextSettingsHeading", kTextSettingsHeading, "設定"},
    {"kTextSettingsLanguage", kTextSettingsLanguage, "Language / 言語"},
    {"kTextSettingsMusic", kTextSettingsMusic, "音楽"},
    {"kTextSettingsEffects", kTextSettingsEffects, "効果音"},
    {"kTextSettingsGhost", kTextSettingsGhost, "ゴースト"},
    {"kTextSettingsWindow", kTextSettingsWindow, "ウィンドウ"},
    {"kTextSettingsKeys", kTextSettingsKeys, "キー"},
    {"kTextSettingsOn", kTextSettingsOn, "オン"},
    {"kTextSettingsOff", kTextSettingsOff, "オフ"},
    {"kFormatSettingsScale", kFormatSettingsScale, "%d×"},
    {"kTextSettingsFullScreen", kTextSettingsFullScreen, "全画面"},
    {"kTextSettingsHint", kTextSettingsHint, "［↑↓］選ぶ　［←→］変える　［Ｑ］戻る"},
    {"kTextKeysHint", kTextKeysHint, "［→］新しいキー　［←］元のキー　［Ｑ］戻る"},
    {"kTextKeysPress", kTextKeysPress, "キーを押してください"},
    {"kTextJapaneseName", kTextJapaneseName, "日本語"},
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
