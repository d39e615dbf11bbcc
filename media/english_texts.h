// Every text of the game's own in English, as code page 932 bytes like the Japanese ones: plain
// ASCII but for the arrows, which keep their CP932 forms ("←" is \x81\xA9, "↑" \x81\xAA, "↓"
// \x81\xAB). The texts that were Latin already are shared with the Japanese table.
#pragma once

// The title's big row: "TIDE WAKE".
inline constexpr char kEnglishTitle[] = "TIDE WAKE";

// The stage loader's message when no stage file can be opened, and its first line, which heads
// the message for a stage file that is there but cannot be read.
inline constexpr char kEnglishStageLoadError[] =
    "Cannot read the stages\n\nMake a folder named stage beside the Tide Wake program and put "
    "*.dat files (such as 01.dat) in it.";
inline constexpr char kEnglishStageLoadErrorHeading[] = "Cannot read the stages";

// The replay's key hint: "[←] Back to title  [↓] Change view".
inline constexpr char kEnglishReplayKeys[] = "[\x81\xA9] Back to title  [\x81\xAB] Change view";

// The results' key hint: "[↑] Watch replay   [↓] Back to title".
inline constexpr char kEnglishResultsKeys[] = "[\x81\xAA] Watch replay   [\x81\xAB] Back to title";

// The settings' hint "[↑↓] Choose  [←→] Change  [Q] Back" and the key list's
// "[→] New key  [←] Game's key  [Q] Back".
inline constexpr char kEnglishSettingsHint[] =
    "[\x81\xAA\x81\xAB] Choose  [\x81\xA9\x81\xA8] Change  [Q] Back";
inline constexpr char kEnglishKeysHint[] = "[\x81\xA8] New key  [\x81\xA9] Game's key  [Q] Back";
