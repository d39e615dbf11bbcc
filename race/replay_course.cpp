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

// The stand's coordinates are mixed as the doubles the loaded stage holds them as.
template <typename Stand>
uint64_t Checksum(int32_t pace, const int32_t* checkpointX, const int32_t* checkpointY,
                  const Stand* standX, const Stand* standY, const Stand* standZ, int32_t rampX,
                  int32_t rampY, int32_t padX, int32_t padY) {
    uint64_t hash = kFnvOffset;
    MixInt(hash, pace);
    for (int i = 0; i < kStageCheckpoints; ++i) {
        MixInt(hash, checkpointX[i]);
        MixInt(hash, checkpointY[i]);
    }
    for (int i = 0; i < kStageCheckpoints; ++i) {
        MixDouble(hash, double(standX[i]));
        MixDouble(hash, double(standY[i]));
        MixDouble(hash, double(standZ[i]));
    }
    MixInt(hash, rampX);
    MixInt(hash, rampY);
    MixInt(hash, padX);
    MixInt(hash, padY);
    return hash;
}

}  // namespace

uint64_t RacingDataChecksum() {
    return Checksum(OpponentPace, CheckpointX, CheckpointY, CameraStandX, CameraStandY,
                    CameraStandZ, JumpRampX, JumpRampY, BoostPadX, BoostPadY);
}

uint64_t RacingDataChecksum(const StageFile& stage) {
    return Checksum(stage.pace, stage.checkpointX, stage.checkpointY, stage.standX, stage.standY,
                    stage.standZ, stage.rampX, stage.rampY, stage.padX, stage.padY);
}

const char* LoadedCourseFileName() {
    const char* slash = std::strrchr(StagePath, '/');
    return slash == nullptr ? StagePath : slash + 1;
}
