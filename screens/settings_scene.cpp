#include "screens/settings_scene.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "base/frame_pace.h"
#include "base/keys.h"
#include "base/scene_switch.h"
#include "media/display.h"
#include "media/game_texts.h"
#include "media/music.h"
#include "media/palette.h"
#include "media/sound.h"
#include "media/text.h"
#include "platform/platform.h"
#include "race/ghost.h"
#include "race/ghost_state.h"
#include "render/frame_buffer.h"
#include "screens/settings_file.h"
#include "screens/title.h"

namespace {

using platform::Key;

constexpr int32_t kHeadingHeight = 40;
constexpr int32_t kRowHeight = 24;
constexpr int32_t kHintHeight = 20;
constexpr int32_t kFirstRowY = 120;
constexpr int32_t kRowStep = 44;
constexpr int32_t kNameX = 64;
constexpr int32_t kValueX = 262;

// The dark panel the rows stand on, so that the formation turning behind does not cross them.
constexpr int32_t kPanelLeft = 40;
constexpr int32_t kPanelRight = 600;
constexpr int32_t kPanelTop = 104;
constexpr int32_t kPanelBottom = 386;

constexpr uint32_t kChosenColour = TextRgb(255, 255, 0);
constexpr uint32_t kRowColour = TextRgb(255, 255, 255);
constexpr uint32_t kHintColour = TextRgb(0, 255, 0);

// The key list's rows: the game keys the player may give other keys, and what stands for each.
constexpr Key kListedKeys[platform::kChoosableKeys] = {Key::Up,    Key::Down, Key::Left,
                                                       Key::Right, Key::Q,    Key::Escape};
constexpr const char* kListedKeyNames[platform::kChoosableKeys] = {
    "\x81\xAA", "\x81\xAB", "\x81\xA9", "\x81\xA8", "Q", "Escape"};

// A key acts on the frame it is first seen held: once a press.
bool Acts(Key key, const int32_t before[kSettingsKeys]) {
    const int k = static_cast<int>(key);
    return SettingsKeys[k] == kKeyHeld && before[k] != kKeyHeld;
}

void TakeEveryKeyAsHeld() {
    for (int32_t& state : SettingsKeys) state = kKeyHeld;
}

// The rows this platform has: the page sizes its own picture, and not every one lets keys be
// chosen.
std::vector<int32_t> ShownRows() {
    std::vector<int32_t> rows = {kRowLanguage, kRowMusic, kRowEffects, kRowGhost};
    if (platform::LargestWindowScale() > 0) rows.push_back(kRowWindow);
    if (platform::KeysChoosable()) rows.push_back(kRowKeys);
    return rows;
}

// The window's sizes in the order the row steps through them: 1x up to the largest, then the
// whole screen.
std::vector<int32_t> WindowSizes() {
    std::vector<int32_t> sizes;
    for (int32_t scale = 1; scale <= platform::LargestWindowScale(); ++scale) {
        sizes.push_back(scale);
    }
    sizes.push_back(platform::kFullScreen);
    return sizes;
}

void StepWindow(int32_t step) {
    const std::vector<int32_t> sizes = WindowSizes();
    const int32_t now = platform::WindowScale();
    int32_t at = 0;
    for (size_t i = 0; i < sizes.size(); ++i) {
        if (sizes[i] == now) at = static_cast<int32_t>(i);
    }
    at += step;
    if (at < 0 || at >= static_cast<int32_t>(sizes.size())) return;
    platform::SetWindowScale(sizes[at]);
}

// Left (-1) or Right (+1) on a row.
void ChangeRow(int32_t row, int32_t step) {
    switch (row) {
        case kRowLanguage:
            SetTextLanguage(TextLanguage == Language::Japanese ? Language::English
                                                               : Language::Japanese);
            break;
        case kRowMusic:
            ChooseMusicVolume(MusicVolume + step);
            break;
        case kRowEffects:
            ChooseEffectsVolume(EffectsVolume + step);
            // The stage select's step, at the new loudness.
            PlayEffect(CrashSound);
            break;
        case kRowGhost:
            SetKeptGhostsRace(KeptGhostsRace == 0);
            break;
        case kRowWindow:
            StepWindow(step);
            break;
        case kRowKeys:
            if (step > 0) {
                ShowingKeyList = 1;
                KeyRowChosen = 0;
            }
            break;
        default:
            break;
    }
}

// A volume as ten boxes, as many filled, and its number.
std::string VolumeText(int32_t volume) {
    std::string text;
    for (int32_t i = 0; i < platform::kFullVolume; ++i)
        text += i < volume ? "\x81\xA1" : "\x81\xA0";
    return text + " " + std::to_string(volume);
}

std::string RowValue(int32_t row) {
    const SettingsTexts& t = Texts().settings;
    switch (row) {
        case kRowLanguage:
            return LanguageOwnName(TextLanguage);
        case kRowMusic:
            return VolumeText(MusicVolume);
        case kRowEffects:
            return VolumeText(EffectsVolume);
        case kRowGhost:
            return KeptGhostsRace != 0 ? t.on : t.off;
        case kRowWindow: {
            const int32_t scale = platform::WindowScale();
            if (scale == platform::kFullScreen) return t.fullScreen;
            char text[32];
            std::snprintf(text, sizeof text, t.scaleFormat, scale);
            return text;
        }
        default:
            return "\x81\xA8";
    }
}

// Centred on the frame by its width: a half cell a byte, as both kinds of letter are.
int32_t CentredX(const char* text, int32_t cellHeight) {
    return 320 - static_cast<int32_t>(std::strlen(text)) * cellHeight / 4;
}

void DrawRow(int32_t index, const char* name, const std::string& value, bool chosen,
             bool arrows = true) {
    const int32_t y = kFirstRowY + index * kRowStep;
    const uint32_t colour = chosen ? kChosenColour : kRowColour;
    DrawText(kNameX, y, name, colour);
    // The chosen row's value between the arrows that change it.
    const std::string shown = chosen && arrows ? "\x81\xA9 " + value + " \x81\xA8" : "   " + value;
    DrawText(kValueX, y, shown.c_str(), colour);
}

void DrawSettings(const std::vector<int32_t>& rows) {
    const SettingsTexts& t = Texts().settings;
    BeginText(kHeadingHeight);
    DrawText(CentredX(t.heading, kHeadingHeight), 40, t.heading, kRowColour);
    EndText();
    BeginText(kRowHeight);
    for (size_t i = 0; i < rows.size(); ++i) {
        DrawRow(static_cast<int32_t>(i), t.rows[rows[i]], RowValue(rows[i]),
                static_cast<int32_t>(i) == SettingsRowChosen);
    }
    EndText();
    BeginText(kHintHeight);
    DrawText(CentredX(t.hint, kHintHeight), 420, t.hint, kHintColour);
    EndText();
}

void DrawKeyList() {
    const SettingsTexts& t = Texts().settings;
    const char* heading = t.rows[kRowKeys];
    BeginText(kHeadingHeight);
    DrawText(CentredX(heading, kHeadingHeight), 40, heading, kRowColour);
    EndText();
    BeginText(kRowHeight);
    for (int32_t k = 0; k < platform::kChoosableKeys; ++k) {
        const bool chosen = k == KeyRowChosen;
        const bool awaited = chosen && AwaitingKey != 0;
        const std::string keys =
            awaited ? std::string(t.pressKey) : platform::KeyNames(kListedKeys[k]);
        DrawRow(k, kListedKeyNames[k], keys, chosen, !awaited);
    }
    EndText();
    BeginText(kHintHeight);
    DrawText(CentredX(t.keysHint, kHintHeight), 420, t.keysHint, kHintColour);
    EndText();
}

void DrawPanel() {
    LockFrame();
    SetDrawColour(kBlackEntry);
    for (int32_t y = kPanelTop; y <= kPanelBottom; ++y) DrawLine(kPanelLeft, y, kPanelRight, y);
    SetDrawColour(kGreyEntry);
    DrawLine(kPanelLeft, kPanelTop, kPanelRight, kPanelTop);
    DrawLine(kPanelRight, kPanelTop, kPanelRight, kPanelBottom);
    DrawLine(kPanelRight, kPanelBottom, kPanelLeft, kPanelBottom);
    DrawLine(kPanelLeft, kPanelBottom, kPanelLeft, kPanelTop);
    SetDrawColour(kBlackEntry);
    UnlockFrame();
}

bool AnyKeyNewlyDown() {
    for (const int32_t state : SettingsKeys) {
        if (state == kKeyPressed) return true;
    }
    return false;
}

// While a new key is awaited the keys do nothing. A key the game knows newly down while it still
// waits came from a gamepad (a keyboard's would have been bound), which binds nothing: it gives
// up the wait.
void AwaitKey() {
    if (platform::ListeningForKey() && AnyKeyNewlyDown()) platform::StopListeningForKey();
    if (platform::ListeningForKey()) return;
    AwaitingKey = 0;
    KeysChanged = 1;
    // The new key is still down; it acts only once pressed again.
    TakeEveryKeyAsHeld();
}

void ActOnKeyList(const int32_t before[kSettingsKeys]) {
    if (Acts(Key::Q, before)) {
        ShowingKeyList = 0;
    } else if (Acts(Key::Up, before) && KeyRowChosen > 0) {
        --KeyRowChosen;
    } else if (Acts(Key::Down, before) && KeyRowChosen < platform::kChoosableKeys - 1) {
        ++KeyRowChosen;
    } else if (Acts(Key::Right, before)) {
        platform::ListenForKey(kListedKeys[KeyRowChosen]);
        AwaitingKey = 1;
    } else if (Acts(Key::Left, before)) {
        platform::RestoreGameKey(kListedKeys[KeyRowChosen]);
        KeysChanged = 1;
    }
}

void ActOnSettings(const std::vector<int32_t>& rows, const int32_t before[kSettingsKeys]) {
    const int32_t last = static_cast<int32_t>(rows.size()) - 1;
    if (SettingsRowChosen > last) SettingsRowChosen = last;
    if (Acts(Key::Q, before)) {
        LeaveSettings();
        EnterScene(kSceneTitle);
    } else if (Acts(Key::Up, before) && SettingsRowChosen > 0) {
        --SettingsRowChosen;
    } else if (Acts(Key::Down, before) && SettingsRowChosen < last) {
        ++SettingsRowChosen;
    } else if (Acts(Key::Left, before)) {
        ChangeRow(rows[SettingsRowChosen], -1);
    } else if (Acts(Key::Right, before)) {
        ChangeRow(rows[SettingsRowChosen], 1);
    }
}

}  // namespace

void OpenSettings() {
    SettingsRowChosen = 0;
    KeyRowChosen = 0;
    ShowingKeyList = 0;
    AwaitingKey = 0;
    KeysChanged = 0;
    TakeEveryKeyAsHeld();
}

void SettingsScene() {
    int32_t before[kSettingsKeys];
    std::memcpy(before, SettingsKeys, sizeof before);
    for (int k = 0; k < kSettingsKeys; ++k) PollKey(static_cast<Key>(k), SettingsKeys[k]);
    const bool awaited = AwaitingKey != 0;
    if (awaited) AwaitKey();

    const std::vector<int32_t> rows = ShownRows();
    DrawTitleBackdrop();
    DrawPanel();
    if (ShowingKeyList != 0) {
        DrawKeyList();
    } else {
        DrawSettings(rows);
    }
    WaitFramePace();
    PresentFrame();
    StartSceneMusic("title.mid");

    if (awaited) return;
    if (ShowingKeyList != 0) {
        ActOnKeyList(before);
    } else {
        ActOnSettings(rows, before);
    }
}

void LeaveSettings() {
    SaveSettings(KeysChanged != 0);
    KeysChanged = 0;
}
