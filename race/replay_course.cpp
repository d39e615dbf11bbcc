#include "race/replay_course.h"

#include <cstring>

#include "course/stage.h"

namespace {

constexpr uint64_t kFnvOffset = 14695981039346656037ull;
constexpr uint64_t kFnvPrime = 1099511628211ull;

void Mix(uint64_t& hash, uint64_t bits) {
    for (int byte = 0; byte < 8; ++byte) {
        hash = (hash ^ ((bits >> (8 * byte)) & 0xff)) * kFnvPrime;
    }
}

void MixInt(uint64_t& hash, int32_t value) {
    Mix(hash, static_cast<uint64_t>(static_cast<int64_t>(value)));
}

void MixDouble(uint64_t& hash, double value) {
    uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    Mix(hash, bits);
}

}  // namespace

uint64_t RacingDataChecksum() {
    uint64_t hash = kFnvOffset;
    MixInt(hash, OpponentPace);
    for (int i = 0; i < kStageCheckpoints; ++i) {
        MixInt(hash, CheckpointX[i]);
        MixInt(hash, CheckpointY[i]);
    }
    for (int i = 0; i < kStageCheckpoints; ++i) {
        MixDouble(hash, CameraStandX[i]);
        MixDouble(hash, CameraStandY[i]);
        MixDouble(hash, CameraStandZ[i]);
    }
    MixInt(hash, JumpRampX);
    MixInt(hash, JumpRampY);
    MixInt(hash, BoostPadX);
    MixInt(hash, BoostPadY);
    return hash;
}

const char* LoadedCourseFileName() {
    const char* slash = std::strrchr(StagePath, '/');
    return slash == nullptr ? StagePath : slash + 1;
}
