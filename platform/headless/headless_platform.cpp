// The game's platform without a screen: a virtual clock, scripted keys, a back buffer in
// memory, and a record of the sounds and music that would have played.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <deque>
#include <string>

#include "platform/common/bmp_indices.h"
#include "platform/common/error_report.h"
#include "platform/common/player_folders.h"
#include "platform/common/png_file.h"
#include "platform/common/transparent_blit.h"
#include "platform/common/ttf_text.h"
#include "platform/headless/headless.h"
#include "platform/headless/headless_audio.h"
#include "platform/headless/headless_keys.h"
#include "platform/platform.h"

namespace {

// Deliberately wider than the frame: nothing may assume a pitch of 640.
constexpr int kPitch = 672;

struct State {
    uint32_t clock = 0;
    uint32_t seed = 1;
    bool drawing = true;
    bool text = true;
    std::string executableDir = "./";
    std::string userDataDir;
    std::string settingsDir;
    int windowScale = 2;
    std::deque<platform::EventType> events;
    bool keys[platform::kKeyCount] = {};
    platform::Rgb palette[256] = {};
    uint8_t backBuffer[kPitch * platform::kFrameHeight] = {};
    uint8_t presented[kPitch * platform::kFrameHeight] = {};
    int presentCount = 0;
    std::vector<std::string> errorBoxes;
};

State& S() {
    static State state;
    return state;
}

}  // namespace

namespace headless {

void Reset(uint32_t seed) {
    State& s = S();
    const std::string dir = s.executableDir;
    s = State();
    s.seed = seed;
    s.executableDir = dir;
    ResetAudio();
    ResetKeys();
}

void SetDrawing(bool on) {
    S().drawing = on;
}
void SetText(bool on) {
    S().text = on;
}
void SetUserDataDir(const std::string& dir) {
    S().userDataDir = dir.empty() || dir.back() == '/' ? dir : dir + "/";
}
void UsePlayerDataFolder() {
    S().userDataDir = platform::PlayerDataFolder();
}
void SetSettingsDir(const std::string& dir) {
    S().settingsDir = dir.empty() || dir.back() == '/' ? dir : dir + "/";
}
void UsePlayerSettingsFolder() {
    S().settingsDir = platform::MadeSettingsFolder();
    if (!S().settingsDir.empty()) ReadKeysFile(S().settingsDir);
}
int AskedWindowScale() {
    return S().windowScale;
}
void SetExecutableDir(const std::string& dir) {
    S().executableDir = dir.empty() || dir.back() == '/' ? dir : dir + "/";
}
void PushEvent(platform::EventType event) {
    S().events.push_back(event);
}
void SetKey(platform::Key key, bool down) {
    S().keys[static_cast<int>(key)] = down;
}
uint32_t Clock() {
    return S().clock;
}
void AdvanceClock(uint32_t ms) {
    S().clock += ms;
}
const uint8_t* PresentedFrame() {
    return S().presented;
}
const uint8_t* BackBuffer() {
    return S().backBuffer;
}
int BackBufferPitch() {
    return kPitch;
}
const platform::Rgb* Palette() {
    return S().palette;
}
int PresentCount() {
    return S().presentCount;
}
const std::vector<std::string>& ErrorBoxes() {
    return S().errorBoxes;
}
}  // namespace headless

namespace platform {

bool OpenWindow() {
    return true;
}
void CloseDisplay() {
    ShutDownTtfText();
}

void ShowErrorBox(const char* caption, const char* text, const char* detail) {
    const std::string message = ReportError(caption, text, detail);
    S().errorBoxes.push_back(std::string(caption) + ": " + message);
}

const char* UserDataDir() {
    return S().userDataDir.c_str();
}
bool OfferFile(const char*, const std::string&) {
    return false;
}

bool EncodeShownFrame(std::string& png, std::string& error) {
    return EncodeIndexedPng(S().presented, kPitch, platform::kFrameWidth, platform::kFrameHeight,
                            S().palette, png, error);
}

// The runner's language comes from its options alone, so that a run repeats on any machine.
std::string SystemLocale() {
    return "";
}

const char* SettingsFolder() {
    return S().settingsDir.c_str();
}

const char* GhostFolder() {
    static std::string dir;
    dir = S().userDataDir.empty() ? "" : S().userDataDir + "ghosts/";
    return dir.c_str();
}
const char* ExecutableDir() {
    return S().executableDir.c_str();
}

uint32_t Ticks() {
    return S().clock;
}
void Sleep(uint32_t ms) {
    S().clock += ms;
}
void SpinPause() {
    S().clock += 1;
}
uint32_t SpinMilliseconds() {
    return 2;
}
uint32_t CalendarSeconds() {
    return S().seed;
}

bool PollEvent(EventType& event) {
    if (S().events.empty()) return false;
    event = S().events.front();
    S().events.pop_front();
    return true;
}

// Nothing else can happen while the game waits: let it go on as if reactivated.
void WaitEvent() {
    if (S().events.empty()) S().events.push_back(EventType::Activated);
}

bool IsKeyDown(Key key) {
    return S().keys[static_cast<int>(key)] || headless::NamedKeyHolds(key);
}

// The runner stands for a desktop with room for every size.
int LargestWindowScale() {
    return kLargestWindowScale;
}
int WindowScale() {
    return S().windowScale;
}
void SetWindowScale(int scale) {
    S().windowScale = scale == kFullScreen ? kFullScreen : std::max(1, std::min(scale, 4));
}

void SetPalette(const Rgb colours[256]) {
    std::memcpy(S().palette, colours, sizeof S().palette);
}

bool LockBackBuffer(uint8_t*& bits, int& pitch) {
    if (!S().drawing) return false;
    bits = S().backBuffer;
    pitch = kPitch;
    return true;
}

void UnlockBackBuffer() {}

void FillBackBuffer(uint8_t index) {
    if (!S().drawing) return;
    for (int y = 0; y < kFrameHeight; ++y)
        std::memset(S().backBuffer + y * kPitch, index, kFrameWidth);
}

void PresentBackBuffer() {
    ++S().presentCount;
    if (S().drawing) std::memcpy(S().presented, S().backBuffer, sizeof S().presented);
}

bool LoadBitmapFile(const char* path, const Rgb palette[256], std::vector<uint8_t>& indices,
                    int& width, int& height, std::string& error) {
    return ReadBmpAsIndices(path, palette, indices, width, height, error);
}

void BlitToBackBuffer(int x, int y, const uint8_t* src, int srcPitch, int width, int height,
                      uint8_t transparent) {
    if (!S().drawing) return;
    BlitTransparent(S().backBuffer, kPitch, kFrameWidth, kFrameHeight, x, y, src, srcPitch, width,
                    height, transparent);
}

void DrawText(int x, int y, const char* cp932, size_t length, int cellHeight, uint8_t index) {
    if (!S().drawing || !S().text) return;
    DrawTtfText(S().backBuffer, kPitch, kFrameWidth, kFrameHeight, x, y, cp932, length, cellHeight,
                index);
}

}  // namespace platform
