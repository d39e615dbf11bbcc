// The player's keys.ini: other keys for the game's six, and lines the game cannot read.
#include <gtest/gtest.h>

#include "platform/common/key_map.h"

namespace {

using platform::Key;

TEST(KeyMap, ChosenKeysReplaceOnlyTheGameKeysNamed) {
    platform::KeyMap map = platform::DefaultKeyMap();
    std::vector<std::string> problems;
    platform::ReadKeyMap(
        "[keys]\n# WASD\r\nup = W\n  LEFT= A , Left\n; the rest as they are\n\nq=Space\n", map,
        problems);
    EXPECT_TRUE(problems.empty());
    EXPECT_TRUE(platform::MapsTo(map, Key::Up, SDL_SCANCODE_W));
    EXPECT_FALSE(platform::MapsTo(map, Key::Up, SDL_SCANCODE_UP));
    EXPECT_TRUE(platform::MapsTo(map, Key::Left, SDL_SCANCODE_A));
    EXPECT_TRUE(platform::MapsTo(map, Key::Left, SDL_SCANCODE_LEFT));
    EXPECT_TRUE(platform::MapsTo(map, Key::Q, SDL_SCANCODE_SPACE));
    EXPECT_TRUE(platform::MapsTo(map, Key::Right, SDL_SCANCODE_RIGHT));
    EXPECT_TRUE(platform::MapsTo(map, Key::Escape, SDL_SCANCODE_ESCAPE));
}

TEST(KeyMap, MalformedLinesAreNamedAndLeftOut) {
    platform::KeyMap map = platform::DefaultKeyMap();
    std::vector<std::string> problems;
    platform::ReadKeyMap("up W\njump = Space\ndown = Nokey\nright =\nleft = D\n", map, problems);
    ASSERT_EQ(problems.size(), 4u);
    EXPECT_EQ(problems[0], "keys.ini:1: expected 'KEY = NAME', e.g. 'up = W'");
    EXPECT_EQ(problems[1], "keys.ini:2: 'jump' is not one of up, down, left, right, q, escape");
    EXPECT_EQ(problems[2], "keys.ini:3: unknown key name 'Nokey'");
    EXPECT_NE(problems[3].find("keys.ini:4:"), std::string::npos);
    // Bad lines change nothing; the good one still counts.
    EXPECT_TRUE(platform::MapsTo(map, Key::Up, SDL_SCANCODE_UP));
    EXPECT_TRUE(platform::MapsTo(map, Key::Down, SDL_SCANCODE_DOWN));
    EXPECT_TRUE(platform::MapsTo(map, Key::Right, SDL_SCANCODE_RIGHT));
    EXPECT_TRUE(platform::MapsTo(map, Key::Left, SDL_SCANCODE_D));
}

// A key bound in the settings: each game key keeps one, P and the screenshot keys and keys that
// could not be written are refused, and the file written reads back as the same keys.
TEST(KeyMap, BindingKeepsEveryGameKeyAKeyAndWritesBackTheSame) {
    platform::KeyMap map = platform::DefaultKeyMap();
    std::vector<std::string> problems;
    platform::ReadKeyMap("left = A, Left\n", map, problems);
    ASSERT_TRUE(platform::BindKey(map, Key::Up, SDL_SCANCODE_W));
    EXPECT_EQ(platform::KeyNamesOf(map, Key::Up), "W");
    // Left keeps its other key; Right, robbed of its only one, takes Down's old.
    ASSERT_TRUE(platform::BindKey(map, Key::Down, SDL_SCANCODE_A));
    EXPECT_EQ(platform::KeyNamesOf(map, Key::Left), "Left");
    ASSERT_TRUE(platform::BindKey(map, Key::Down, SDL_SCANCODE_RIGHT));
    EXPECT_EQ(platform::KeyNamesOf(map, Key::Down), "Right");
    EXPECT_EQ(platform::KeyNamesOf(map, Key::Right), "A");
    for (SDL_Scancode refused : {SDL_SCANCODE_P, SDL_SCANCODE_F12, SDL_SCANCODE_PRINTSCREEN,
                                 SDL_SCANCODE_COMMA, SDL_SCANCODE_RETURN2, SDL_SCANCODE_UNKNOWN}) {
        EXPECT_FALSE(platform::BindKey(map, Key::Q, refused)) << refused;
    }
    EXPECT_EQ(platform::KeyNamesOf(map, Key::Q), "Q");

    // Two game keys sharing their only key (as a keys.ini may have them): binding it to one
    // leaves the other its key rather than none.
    platform::KeyMap shared = platform::DefaultKeyMap();
    platform::ReadKeyMap("up = A\nleft = A\n", shared, problems);
    ASSERT_TRUE(platform::BindKey(shared, Key::Up, SDL_SCANCODE_A));
    EXPECT_EQ(platform::KeyNamesOf(shared, Key::Left), "A");

    platform::KeyMap back;
    problems.clear();
    platform::ReadKeyMap(platform::KeyMapText(map), back, problems);
    EXPECT_TRUE(problems.empty());
    for (int k = 0; k < platform::kGameKeys; ++k) EXPECT_EQ(back.keys[k], map.keys[k]) << k;
}

}  // namespace
