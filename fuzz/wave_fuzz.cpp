// libFuzzer target: the WAVE reader on arbitrary bytes. It must turn away what it cannot use
// without reading outside the input or allocating more than the input holds.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "media/wave_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    WaveFile wave;
    if (ReadWaveBytes(bytes, size, wave)) {
        // Whatever is accepted came from inside the input.
        if (wave.data.size() > size || wave.formatBlock.size() > size + 2) std::abort();
        const platform::WaveFormat format = wave.Format();
        if (format.extraSize + 18u != wave.formatBlock.size()) std::abort();
    } else if (!wave.data.empty() || !wave.formatBlock.empty()) {
        std::abort();
    }
    return 0;
}
