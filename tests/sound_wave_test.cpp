// The WAVE reader: what it accepts, what it turns away, and that it never reads past the end.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <tuple>
#include <vector>

#include "media/wave_file.h"

namespace {

using Bytes = std::vector<uint8_t>;

void Put(Bytes& b, uint32_t v, int size) {
    for (int i = 0; i < size; ++i) b.push_back(uint8_t(v >> (8 * i)));
}

Bytes Chunk(const char* id, const Bytes& body) {
    Bytes b(id, id + 4);
    Put(b, uint32_t(body.size()), 4);
    b.insert(b.end(), body.begin(), body.end());
    if (body.size() % 2 == 1) b.push_back(0);
    return b;
}

// The 16 bytes of a "fmt " body: tag, channels, 22050 Hz, byte rate, block align, bits.
Bytes Format(uint16_t tag, uint16_t channels = 1, uint16_t bits = 16) {
    Bytes b;
    Put(b, tag, 2), Put(b, channels, 2), Put(b, 22050, 4), Put(b, 22050u * channels * bits / 8, 4);
    Put(b, channels * bits / 8u, 2), Put(b, bits, 2);
    return b;
}

Bytes Samples(size_t n) {
    Bytes b;
    for (size_t i = 0; i < n; ++i) b.push_back(uint8_t(i * 7 + 1));
    return b;
}

Bytes Riff(const std::vector<Bytes>& chunks) {
    Bytes body = {'W', 'A', 'V', 'E'};
    for (const Bytes& c : chunks) body.insert(body.end(), c.begin(), c.end());
    return Chunk("RIFF", body);
}

bool Read(const Bytes& file, WaveFile& wave) {
    return ReadWaveBytes(file.data(), file.size(), wave);
}

TEST(WaveReader, AcceptsChunksInEitherOrderAndNonPcmExtraBytes) {
    const Bytes data = Samples(40), fmt = Chunk("fmt ", Format(1));
    const Bytes list = Chunk("LIST", Samples(5));  // odd size: padded
    for (const Bytes& file :
         {Riff({fmt, list, Chunk("data", data)}), Riff({Chunk("data", data), list, fmt})}) {
        WaveFile wave;
        ASSERT_TRUE(Read(file, wave));
        EXPECT_EQ(wave.data, data);
        const platform::WaveFormat f = wave.Format();
        EXPECT_EQ(std::tuple(f.formatTag, f.channels, f.samplesPerSecond, f.blockAlign,
                             f.bitsPerSample, f.extraSize),
                  std::tuple(1, 1, 22050u, 2, 16, 0));
        EXPECT_EQ(f.extra, nullptr);
        EXPECT_EQ(wave.formatBlock.size(), 18u);  // the 16 bytes and a zero count
    }

    Bytes adpcm = Format(2, 1, 4);
    Put(adpcm, 4, 2);
    for (const uint8_t v : {uint8_t{0xAA}, uint8_t{0xBB}, uint8_t{0xCC}, uint8_t{0xDD}}) {
        adpcm.push_back(v);
    }
    WaveFile wave;
    ASSERT_TRUE(Read(Riff({Chunk("fmt ", adpcm), Chunk("data", Samples(9))}), wave));
    const platform::WaveFormat f = wave.Format();
    EXPECT_EQ(f.formatTag, 2);
    ASSERT_EQ(f.extraSize, 4);
    EXPECT_EQ(Bytes(f.extra, f.extra + 4), (Bytes{0xAA, 0xBB, 0xCC, 0xDD}));
    EXPECT_EQ(wave.data.size(), 9u);
    // A non-PCM "fmt " of just 16 bytes takes nothing from the chunk that follows.
    ASSERT_TRUE(Read(Riff({Chunk("fmt ", Format(3, 1, 32)), Chunk("data", Samples(8))}), wave));
    EXPECT_EQ(wave.Format().extraSize, 0);
}

TEST(WaveReader, RejectsMalformedFiles) {
    const Bytes fmt = Chunk("fmt ", Format(1)), data = Chunk("data", Samples(16));
    const Bytes good = Riff({fmt, data});
    Bytes shortFmt = Format(1);
    shortFmt.resize(14);
    Bytes notRiff = good, notWave = good, hugeData = good, riffTooLong = good;
    notRiff[3] = 'X';
    notWave[8] = 'A';
    hugeData[good.size() - 20] = hugeData[good.size() - 17] = 0xF0;  // about 4 GB of data
    riffTooLong[4] += 2;
    Bytes extraPastChunk = Format(2);
    Put(extraPastChunk, 10, 2);  // ten extra bytes claimed, two there
    Put(extraPastChunk, 0, 2);
    Bytes otherTooLong = Chunk("junk", Samples(4));
    otherTooLong[4] = 0x40;  // claims 64 bytes before "data"

    const std::pair<const char*, Bytes> cases[] = {
        {"fmt shorter than 16", Riff({Chunk("fmt ", shortFmt), data})},
        {"not RIFF", notRiff},
        {"not WAVE", notWave},
        {"no data chunk", Riff({fmt})},
        {"no fmt chunk", Riff({data})},
        {"data size of gigabytes", hugeData},
        {"RIFF longer than the file", riffTooLong},
        {"extra format bytes past the chunk", Riff({Chunk("fmt ", extraPastChunk), data})},
        {"chunk running past the end", Riff({fmt, otherTooLong, data})},
        {"empty", {}},
    };
    for (const auto& [what, file] : cases) {
        WaveFile wave;
        wave.data = Samples(3);
        EXPECT_FALSE(Read(file, wave)) << what;
        EXPECT_TRUE(wave.data.empty() && wave.formatBlock.empty()) << what;  // nothing left
    }
}

// Every cut of a good file fails; each cut in its own exactly-sized block lets the sanitizer
// build catch a read past the end.
TEST(WaveReader, RejectsEveryTruncation) {
    Bytes fmtBody = Format(2, 1, 4);
    Put(fmtBody, 2, 2);
    Put(fmtBody, 0x1234, 2);
    const Bytes file =
        Riff({Chunk("fmt ", fmtBody), Chunk("LIST", Samples(3)), Chunk("data", Samples(21))});
    WaveFile wave;
    ASSERT_TRUE(Read(file, wave));
    for (size_t n = 0; n < file.size(); ++n) {
        const Bytes cut(file.begin(), file.begin() + long(n));
        EXPECT_FALSE(Read(cut, wave)) << n << " of " << file.size() << " bytes";
    }
}

// The game's effects, read from their files: short mono 22 kHz 16-bit PCM, loud but not
// clipped, no click at either end. A folder is no WAVE file.
TEST(WaveReader, BuiltEffectsAreShortCleanMonoPcm) {
    for (const char* name : {"SE01.WAV", "speed.WAV", "jump.WAV", "crash.WAV"}) {
        WaveFile wave;
        ASSERT_TRUE(ReadWaveFile((std::string(TIDEWAKE_BINARY_DIR) + "/" + name).c_str(), wave));
        const platform::WaveFormat f = wave.Format();
        EXPECT_EQ(std::tuple(f.formatTag, f.channels, f.samplesPerSecond, f.bitsPerSample),
                  std::tuple(1, 1, 22050u, 16))
            << name;
        std::vector<int> samples;
        for (size_t i = 0; i + 1 < wave.data.size(); i += 2)
            samples.push_back(std::abs(int16_t(wave.data[i] | (wave.data[i + 1] << 8))));
        EXPECT_GT(samples.size(), 22050u / 5) << name;
        EXPECT_LT(samples.size(), 22050u) << name;
        const int peak = *std::max_element(samples.begin(), samples.end());
        EXPECT_GT(peak, 16000) << name;
        EXPECT_LT(peak, 32000) << name;
        EXPECT_LT(samples.front(), 200) << name;
        EXPECT_LT(samples.back(), 200) << name;
    }
    WaveFile wave;
    EXPECT_FALSE(ReadWaveFile(testing::TempDir().c_str(), wave));
}

}  // namespace
