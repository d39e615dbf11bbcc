#include "race/player_boat.h"

#include <cstdlib>

#include "course/stage.h"
#include "media/sound.h"
#include "race/race_math.h"
#include "race/race_state.h"
#include "race/replay.h"
#include "render/camera.h"

namespace {

constexpr int32_t kCruiseSpeed = 600;
constexpr int32_t kSteerStep = 10;
constexpr int32_t kBankLimit = 400;
// The velocity follows the bow by this much a frame on each axis, so the boat slides.
constexpr int32_t kVelocityStep = 15;
constexpr double kPadFactor = 1.2;

void Steer() {
    const int32_t steer = SteeringInput();
    if (steer == kSteerLeft) {
        PlayerHeading += kSteerStep;
        PlayerRoll -= kSteerStep;
    } else if (steer == kSteerRight) {
        PlayerHeading -= kSteerStep;
        PlayerRoll += kSteerStep;
    } else if (PlayerRoll > 0) {
        PlayerRoll -= kSteerStep;
    } else if (PlayerRoll < 0) {
        PlayerRoll += kSteerStep;
    }
}

void TakeOffFromRamp() {
    if (PlayerAirborne != 0 || !WithinSquare(PlayerX, PlayerY, JumpRampX, JumpRampY, kZoneReach)) {
        return;
    }
    PlayEffect(JumpSound);
    PlayerAirborne = 1;
    PlayerSpeed = kRampSpeed;
    PlayerVZ = (std::abs(PlayerVX) + std::abs(PlayerVY)) / 7 + 20;
}

void Fly() {
    if (PlayerAirborne != 1) return;
    PlayerZ = static_cast<float>(double(PlayerZ) + PlayerVZ);
    PlayerVZ -= 4;
    if (double(PlayerZ) < kLandingZ) {
        PlayerZ = kAfloatZ;
        PlayerAirborne = 0;
        // The nose-down angle gathered in the air sets the spring going.
        PitchSpring = PlayerPitch - kFullTurn;
    }
}

// The bank keeps turning the boat after the key is let go.
void Turn() {
    PlayerHeading -= PlayerRoll / 4;
    if (PlayerRoll > kBankLimit) PlayerRoll -= kSteerStep;
    if (PlayerRoll < -kBankLimit) PlayerRoll += kSteerStep;
    SetCameraRoll(PlayerRoll < 0 ? PlayerRoll + kFullTurn : PlayerRoll);
    PlayerHeading = WrapAngle(PlayerHeading);
}

int32_t StepToward(int32_t velocity, int32_t target) {
    return target > velocity ? velocity + kVelocityStep : velocity - kVelocityStep;
}

void FollowBow() {
    const int32_t targetVX = TruncateToInt(double(PlayerSpeed) * double(CosTable[PlayerHeading]));
    const int32_t targetVY = TruncateToInt(double(PlayerSpeed) * double(SinTable[PlayerHeading]));
    PlayerVX = StepToward(PlayerVX, targetVX);
    PlayerVY = StepToward(PlayerVY, targetVY);
}

// No latch: every frame on the pad speeds the boat up again.
void SpeedPad() {
    if (!WithinSquare(PlayerX, PlayerY, BoostPadX, BoostPadY, kZoneReach)) return;
    PlayEffect(BoostSound);
    PlayerVX = TruncateToInt(PlayerVX * kPadFactor);
    PlayerVY = TruncateToInt(PlayerVY * kPadFactor);
}

// The position moves by whole sixths of the velocity.
void Move() {
    PlayerX = static_cast<float>(double(PlayerX) + PlayerVX / 6);
    PlayerY = static_cast<float>(double(PlayerY) + PlayerVY / 6);
}

// Afloat the nose nods on a spring; in the air it is level while rising and dips while falling.
void Pitch() {
    if (PlayerAirborne == 0) {
        if (PitchSpring < 0) {
            PitchRate += 10;
            if (PitchRate < -50) PitchSpring += 10;
        }
        if (PitchSpring > 0) {
            PitchRate -= 10;
            if (PitchRate > 50) PitchSpring -= 10;
        }
        PitchSpring += PitchRate / 2;
        PlayerPitch = PitchSpring / 2;
    } else if (PlayerVZ <= 0) {
        PlayerPitch -= 10;
    } else {
        PlayerPitch = 0;
    }
}

}  // namespace

void UpdatePlayerBoat() {
    Steer();
    if (PlayerSpeed >= kCruiseSpeed + 10) PlayerSpeed -= 10;
    TakeOffFromRamp();
    Fly();
    Turn();
    FollowBow();
    SpeedPad();
    Move();
    Pitch();
    KeepInside(PlayerX, PlayerVX);
    KeepInside(PlayerY, PlayerVY);
    PlayerPitch = WrapAngle(PlayerPitch);
}

void RockPlayerHull() {
    if (PlayerAirborne == 0) PlayerRock += PlayerRockStep;
    if (PlayerRock > 11) PlayerRockStep = -3;
    if (PlayerRock < -11) PlayerRockStep = 3;
}
