// Every Japanese text the game shows, as code page 932 bytes (the encoding the game measures and
// centres its texts by). Each constant has its text in a comment; tests/japanese_texts_test.cpp
// checks that the bytes say what the comment says.
#pragma once

// "Ｐｕｓｈ［↑］ＳＴＡＲＴ" and the other title rows are added with the title screen.
