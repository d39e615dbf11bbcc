// The game's four sound effects, synthesised.
#pragma once

#include <vector>

namespace media_gen {

// Each returns mono samples at kEffectRate, peaking a little below full scale.
std::vector<double> CheckpointChime();
std::vector<double> BoostWhoosh();
std::vector<double> JumpSpring();
std::vector<double> HullKnock();

}  // namespace media_gen
