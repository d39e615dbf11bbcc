// Every Japanese text the game shows, as code page 932 bytes (the encoding the game measures and
// centres its texts by). Each constant has its text in a comment; tests/japanese_texts_test.cpp
// checks that the bytes say what the comment says.
#pragma once

// The title screen's rows: "タイドウェイク", "ＴｉｄｅＷａｋｅ1.5", "Ｐｕｓｈ［↑］ＳＴＡＲＴ".
inline constexpr char kTextTitle[] = "\x83\x5E\x83\x43\x83\x68\x83\x45\x83\x46\x83\x43\x83\x4E";
inline constexpr char kTextTitleVersion[] =
    "\x82\x73\x82\x89\x82\x84\x82\x85\x82\x76\x82\x81\x82\x8B\x82\x85\x31\x2E\x35";
inline constexpr char kTextPushUpStart[] =
    "\x82\x6F\x82\x95\x82\x93\x82\x88\x81\x6D\x81\xAA\x81\x6E"
    "\x82\x72\x82\x73\x82\x60\x82\x71\x82\x73";
