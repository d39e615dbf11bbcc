// Every Japanese text the game shows, as code page 932 bytes (the encoding the game measures and
// centres its texts by). Each constant has its text in a comment; tests/text_test.cpp
// checks that the bytes say what the comment says.
#pragma once

// The title screen's rows: "タイドウェイク", "ＴｉｄｅＷａｋｅ1.5", "Ｐｕｓｈ［↑］ＳＴＡＲＴ".
inline constexpr char kTextTitle[] = "\x83\x5E\x83\x43\x83\x68\x83\x45\x83\x46\x83\x43\x83\x4E";
inline constexpr char kTextTitleVersion[] =
    "\x82\x73\x82\x89\x82\x84\x82\x85\x82\x76\x82\x81\x82\x8B\x82\x85\x31\x2E\x35";
inline constexpr char kTextPushUpStart[] =
    "\x82\x6F\x82\x95\x82\x93\x82\x88\x81\x6D\x81\xAA\x81\x6E"
    "\x82\x72\x82\x73\x82\x60\x82\x71\x82\x73";

// The stage loader's message when no stage file can be opened:
// "ステージ読込みエラーです\n\nタイドウェイクの実行ファイルと同じフォルダに\nstage\n
//  というフォルダを作成し、その中に\n*.datファイル(01.datなど)を入れてください。"
// Kept by hand: a letter that would read as one more hex digit follows a closed and reopened
// literal, and each line of the message stays one line here.
// clang-format off
inline constexpr char kStageLoadError[] =
    "\x83X\x83""e\x81[\x83W\x93\xC7\x8D\x9E\x82\xDD\x83G\x83\x89\x81[\x82\xC5\x82\xB7\n"
    "\n"
    "\x83^\x83""C\x83h\x83""E\x83""F\x83""C\x83N\x82\xCC\x8E\xC0\x8Ds\x83t\x83@\x83""C\x83\x8B"
    "\x82\xC6\x93\xAF\x82\xB6\x83t\x83H\x83\x8B\x83_\x82\xC9\n"
    "stage\n"
    "\x82\xC6\x82\xA2\x82\xA4\x83t\x83H\x83\x8B\x83_\x82\xF0\x8D\xEC\x90\xAC\x82\xB5\x81""A"
    "\x82\xBB\x82\xCC\x92\x86\x82\xC9\n"
    "*.dat\x83t\x83@\x83""C\x83\x8B(01.dat\x82\xC8\x82\xC7)\x82\xF0\x93\xFC\x82\xEA\x82\xC4\x82\xAD"
    "\x82\xBE\x82\xB3\x82\xA2\x81""B";

// Its first line, "ステージ読込みエラーです", heads the message for a stage file that is there
// but cannot be read.
inline constexpr char kStageLoadErrorHeading[] =
    "\x83X\x83""e\x81[\x83W\x93\xC7\x8D\x9E\x82\xDD\x83G\x83\x89\x81[\x82\xC5\x82\xB7";
// clang-format on

// The race's banners: "ＣｈｅｃｋＰｏｉｎｔ" when a checkpoint is passed, "ＳＴＡＲＴ" as it
// begins.
inline constexpr char kTextCheckPoint[] =
    "\x82\x62\x82\x88\x82\x85\x82\x83\x82\x8B\x82\x6F\x82\x8F\x82\x89\x82\x8E\x82\x94";
inline constexpr char kTextStart[] = "\x82\x72\x82\x73\x82\x60\x82\x71\x82\x73";

// The replay's key hint: "［←］タイトルに戻る　［↓］視点切替".
inline constexpr char kTextReplayKeys[] =
    "\x81\x6D\x81\xA9\x81\x6E\x83\x5E\x83\x43\x83\x67\x83\x8B\x82\xC9\x96\xDF\x82\xE9\x81\x40"
    "\x81\x6D\x81\xAB\x81\x6E\x8E\x8B\x93\x5F\x90\xD8\x91\xD6";

// The lap list's lines, printf formats: "ＬＡＰ%d    %6.2f[s]", "ＬＡＰ%d    ---.--[s]" for a lap
// not yet started, "ＴＯＴＡＬ%7.2f[s]".
inline constexpr char kFormatLapTime[] = "\x82\x6B\x82\x60\x82\x6F%d    %6.2f[s]";
inline constexpr char kFormatLapUnset[] = "\x82\x6B\x82\x60\x82\x6F%d    ---.--[s]";
inline constexpr char kFormatTotal[] = "\x82\x73\x82\x6E\x82\x73\x82\x60\x82\x6B%7.2f[s]";

// The results' announcements: "ＦＩＮＩＳＨ" with the place "%d位", or "ＴｉｍｅＵｐ".
inline constexpr char kTextFinish[] = "\x82\x65\x82\x68\x82\x6D\x82\x68\x82\x72\x82\x67";
inline constexpr char kFormatPlace[] = "%d\x88\xCA";
inline constexpr char kTextTimeUp[] = "\x82\x73\x82\x89\x82\x8D\x82\x85\x82\x74\x82\x90";

// The results' key hint: "［↑］リプレイを見る   ［↓］タイトルに戻る".
inline constexpr char kTextResultsKeys[] =
    "\x81\x6D\x81\xAA\x81\x6E\x83\x8A\x83\x76\x83\x8C\x83\x43\x82\xF0\x8C\xA9\x82\xE9   "
    "\x81\x6D\x81\xAB\x81\x6E\x83\x5E\x83\x43\x83\x67\x83\x8B\x82\xC9\x96\xDF\x82\xE9";

// The stage select's rows with arrows: "Push［↓］Start", "[←]                 [→]".
inline constexpr char kTextPushDownStart[] = "Push\x81\x6D\x81\xAB\x81\x6EStart";
inline constexpr char kTextStepArrows[] = "[\x81\xA9]                 [\x81\xA8]";

// The settings' heading "設定", its rows "Language / 言語" (the same in every language, so that
// it can be found in either), "音楽", "効果音", "ゴースト", "ウィンドウ", "キー", the values
// "オン", "オフ", "%d×" (the window's multiple of the frame), "全画面", and the key hint
// "［↑↓］選ぶ　［←→］変える　［Ｑ］戻る".
inline constexpr char kTextSettingsHeading[] = "\x90\xDD\x92\xE8";
inline constexpr char kTextSettingsLanguage[] = "Language / \x8C\xBE\x8C\xEA";
inline constexpr char kTextSettingsMusic[] = "\x89\xB9\x8A\x79";
inline constexpr char kTextSettingsEffects[] = "\x8C\xF8\x89\xCA\x89\xB9";
inline constexpr char kTextSettingsGhost[] = "\x83\x53\x81\x5B\x83\x58\x83\x67";
inline constexpr char kTextSettingsWindow[] = "\x83\x45\x83\x42\x83\x93\x83\x68\x83\x45";
inline constexpr char kTextSettingsKeys[] = "\x83\x4C\x81\x5B";
inline constexpr char kTextSettingsOn[] = "\x83\x49\x83\x93";
inline constexpr char kTextSettingsOff[] = "\x83\x49\x83\x74";
inline constexpr char kFormatSettingsScale[] = "%d\x81\x7E";
inline constexpr char kTextSettingsFullScreen[] = "\x91\x53\x89\xE6\x96\xCA";
inline constexpr char kTextSettingsHint[] =
    "\x81\x6D\x81\xAA\x81\xAB\x81\x6E\x91\x49\x82\xD4\x81\x40\x81\x6D\x81\xA9\x81\xA8\x81\x6E"
    "\x95\xCF\x82\xA6\x82\xE9\x81\x40\x81\x6D\x82\x70\x81\x6E\x96\xDF\x82\xE9";

// The key list's heading "キー", its hint "［→］新しいキー　［←］元のキー　［Ｑ］戻る", and
// "キーを押してください" while a new key is awaited.
inline constexpr char kTextKeysHint[] =
    "\x81\x6D\x81\xA8\x81\x6E\x90\x56\x82\xB5\x82\xA2\x83\x4C\x81\x5B\x81\x40\x81\x6D\x81\xA9"
    "\x81\x6E\x8C\xB3\x82\xCC\x83\x4C\x81\x5B\x81\x40\x81\x6D\x82\x70\x81\x6E\x96\xDF\x82\xE9";
inline constexpr char kTextKeysPress[] =
    "\x83\x4C\x81\x5B\x82\xF0\x89\x9F\x82\xB5\x82\xC4\x82\xAD\x82\xBE\x82\xB3\x82\xA2";

// The languages by their own names: "日本語" (and English, which needs no code page).
inline constexpr char kTextJapaneseName[] = "\x93\xFA\x96\x7B\x8C\xEA";
