// The WAVE reader: what it accepts, what it turns away, and that it never reads past the end.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "media/wave_file.h"

namespace {

using Bytes = std::vector<uint8_t>;

void Put32(Bytes& b, uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(uint8_t(v >> (8 * i)));
}
void Put16(Bytes& b, uint16_t v) {
    b.push_back(uint8_t(v));
    b.push_back(uint8_t(v >> 8));
}

Bytes Chunk(const char* id, const Bytes& body, bool pad = true) {
    Bytes b(id, id + 4);
    Put32(b, uint32_t(body.size()));
    b.insert(b.end(), body.begin(), body.end());
    if (pad && body.size() % 2 == 1) b.push_back(0);
    return b;
}

Bytes Format(uint16_t tag, uint16_t channels = 1, uint16_t bits = 16) {
    Bytes b;
    Put16(b, tag);
    Put16(b, channels);
    Put32(b, 22050);
    Put32(b, 22050u * channels * bits / 8);
    Put16(b, uint16_t(channels * bits / 8));
    Put16(b, bits);
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

TEST(WaveReader, AcceptsPcmWithChunksInEitherOrderAndOthersBetween) {
    const Bytes data = Samples(40);
    const Bytes fmt = Chunk("fmt ", Format(1));
    const Bytes list = Chunk("LIST", Samples(5));  // odd size: padded
    const Bytes orders[][3] = {{fmt, list, Chunk("data", data)}, {Chunk("data", data), list, fmt}};
    for (const auto& order : orders) {
        WaveFile wave;
        ASSERT_TRUE(Read(Riff({order[0], order[1], order[2]}), wave));
        EXPECT_EQ(wave.data, data);
        const platform::WaveFormat f = wave.Format();
        EXPECT_EQ(f.formatTag, 1);
        EXPECT_EQ(f.channels, 1);
        EXPECT_EQ(f.samplesPerSecond, 22050u);
        EXPECT_EQ(f.blockAlign, 2);
        EXPECT_EQ(f.bitsPerSample, 16);
        EXPECT_EQ(f.extraSize, 0);
        EXPECT_EQ(f.extra, nullptr);
        // The format block is the 16 bytes and a zero count.
        EXPECT_EQ(wave.formatBlock.size(), 18u);
    }
}

TEST(WaveReader, NonPcmKeepsItsExtraFormatBytes) {
    Bytes fmtBody = Format(2, 1, 4);  // an ADPCM tag
    Put16(fmtBody, 4);
    for (uint8_t v : {0xAA, 0xBB, 0xCC, 0xDD}) fmtBody.push_back(v);
    WaveFile wave;
    ASSERT_TRUE(Read(Riff({Chunk("fmt ", fmtBody), Chunk("data", Samples(9))}), wave));
    const platform::WaveFormat f = wave.Format();
    EXPECT_EQ(f.formatTag, 2);
    ASSERT_EQ(f.extraSize, 4);
    EXPECT_EQ(Bytes(f.extra, f.extra + 4), (Bytes{0xAA, 0xBB, 0xCC, 0xDD}));
    EXPECT_EQ(wave.data.size(), 9u);

    // A non-PCM "fmt " of just the 16 bytes has no extra bytes: nothing is taken from the chunk
    // that follows.
    ASSERT_TRUE(Read(Riff({Chunk("fmt ", Format(3, 1, 32)), Chunk("data", Samples(8))}), wave));
    EXPECT_EQ(wave.Format().extraSize, 0);
}

TEST(WaveReader, RejectsMalformedFiles) {
    const Bytes fmt = Chunk("fmt ", Format(1));
    const Bytes data = Chunk("data", Samples(16));
    Bytes shortFmt = Format(1);
    shortFmt.resize(14);
    Bytes notRiff = Riff({fmt, data});
    notRiff[3] = 'X';
    Bytes notWave = Riff({fmt, data});
    notWave[8] = 'A';
    Bytes hugeData = Riff({fmt, data});
    hugeData[hugeData.size() - 16 - 4] = 0xF0;  // a data size of about 4 GB
    hugeData[hugeData.size() - 16 - 1] = 0xF0;
    Bytes riffTooLong = Riff({fmt, data});
    riffTooLong[4] += 2;
    Bytes extraPastChunk = Format(2);
    Put16(extraPastChunk, 10);  // ten extra bytes claimed, two there
    Put16(extraPastChunk, 0);
    Bytes otherTooLong = Chunk("junk", Samples(4));
    otherTooLong[4] = 0x40;  // claims 64 bytes before "data"

    struct Case {
        const char* what;
        Bytes file;
    } cases[] = {
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
    for (const Case& c : cases) {
        WaveFile wave;
        wave.data = Samples(3);
        EXPECT_FALSE(Read(c.file, wave)) << c.what;
        // A failed read leaves nothing behind.
        EXPECT_TRUE(wave.data.empty() && wave.formatBlock.empty()) << c.what;
    }
}

// Every cut of a good file fails; copying each cut into its own exactly-sized block lets the
// sanitizer build catch a read past the end.
TEST(WaveReader, RejectsEveryTruncation) {
    Bytes fmtBody = Format(2, 1, 4);
    Put16(fmtBody, 2);
    Put16(fmtBody, 0x1234);
    const Bytes file =
        Riff({Chunk("fmt ", fmtBody), Chunk("LIST", Samples(3)), Chunk("data", Samples(21))});
    WaveFile wave;
    ASSERT_TRUE(Read(file, wave));
    for (size_t n = 0; n < file.size(); ++n) {
        const Bytes cut(file.begin(), file.begin() + long(n));
        EXPECT_FALSE(Read(cut, wave)) << n << " of " << file.size() << " bytes";
    }
}

TEST(WaveReader, ReadsFilesAndRejectsMissingOnes) {
    const std::string path = testing::TempDir() + "wave_reader_test.wav";
    const Bytes file = Riff({Chunk("fmt ", Format(1)), Chunk("data", Samples(30))});
    std::FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fwrite(file.data(), 1, file.size(), f);
    std::fclose(f);
    WaveFile wave;
    ASSERT_TRUE(ReadWaveFile(path.c_str(), wave));
    EXPECT_EQ(wave.data, Samples(30));
    std::remove(path.c_str());
    EXPECT_FALSE(ReadWaveFile(path.c_str(), wave));
    EXPECT_FALSE(ReadWaveFile(testing::TempDir().c_str(), wave));  // a folder
}

// The effects made for the game are short, clean mono 22 kHz 16-bit PCM, loud but not clipped.
TEST(WaveReader, BuiltEffectsAreShortCleanMonoPcm) {
    for (const char* name : {"SE01.WAV", "speed.WAV", "jump.WAV", "crash.WAV"}) {
        const std::string path = std::string(TIDEWAKE_BINARY_DIR) + "/" + name;
        WaveFile wave;
        ASSERT_TRUE(ReadWaveFile(path.c_str(), wave)) << name;
        const platform::WaveFormat f = wave.Format();
        EXPECT_EQ(f.formatTag, 1) << name;
        EXPECT_EQ(f.channels, 1) << name;
        EXPECT_EQ(f.samplesPerSecond, 22050u) << name;
        EXPECT_EQ(f.bitsPerSample, 16) << name;
        const size_t samples = wave.data.size() / 2;
        EXPECT_GT(samples, 22050u / 5) << name;
        EXPECT_LT(samples, 22050u) << name;
        int peak = 0;
        for (size_t i = 0; i < samples; ++i) {
            const int v = int16_t(wave.data[2 * i] | (wave.data[2 * i + 1] << 8));
            peak = std::max(peak, std::abs(v));
        }
        EXPECT_GT(peak, 16000) << name;
        EXPECT_LT(peak, 32000) << name;
        // Starts and ends at rest: no click.
        EXPECT_LT(std::abs(int16_t(wave.data[0] | (wave.data[1] << 8))), 200) << name;
        EXPECT_LT(std::abs(int16_t(wave.data[2 * samples - 2] | (wave.data[2 * samples - 1] << 8))),
                  200)
            << name;
    }
}

}  // namespace
