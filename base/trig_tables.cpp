#include "base/trig_tables.h"

#include <cmath>

void BuildTrigTables() {
    constexpr double kStep = 0.001745328888888889;
    for (int i = 0; i < kFullTurn; ++i) {
        SinTable[i] = static_cast<float>(std::sin(i * kStep));
        CosTable[i] = static_cast<float>(std::cos(i * kStep));
    }
}
