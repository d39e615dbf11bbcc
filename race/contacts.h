// Boats bumping into each other: velocities are exchanged and the boats pushed apart.
#pragma once

#include <cstdint>

// The player against each opponent in slot order; the crash sound plays on every contact.
void CollidePlayerWithOpponents();

// Opponent `i` against every other opponent, silently; part of moving opponent `i`.
void CollideOpponentWithOthers(int32_t i);
