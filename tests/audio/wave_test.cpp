// Reading WAV images: what is accepted and for how long it plays, what is refused and why, and
// written sounds reading back as written.
#include "app/audio/WaveFile.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace quorrin::wave;

namespace {

Bytes Join(std::initializer_list<Bytes> parts) {
    Bytes joined;
    for (const Bytes& part : parts) {
        joined.insert(joined.end(), part.begin(), part.end());
    }
    return joined;
}

struct Case {
    const char* name;
    Bytes image;
    std::int64_t durationMs; // -1: refused
    const char* failure;     // part of the reason given
};

} // namespace

TEST(WaveFile, JudgesImagesAndSaysWhy) {
    const Bytes mono16 = FormatChunk(PcmEncoding, 1, 8000, 16);
    const Bytes data800 = Chunk("data", Bytes(800, 0));
    const Case cases[] = {
        {"half a second", RiffWave(Join({mono16, Chunk("data", Bytes(8000, 0))})), 500, ""},
        {"odd chunk skipped with its padding",
         RiffWave(Join(
             {FormatChunk(PcmEncoding, 1, 8000, 8), Chunk("LIST", Bytes{'o', 'd', 'd'}), data800})),
         100, ""},
        // A data size never patched by its writer: only the whole frames present count.
        {"unpatched size",
         RiffWave(
             Join({FormatChunk(PcmEncoding, 2, 8000, 16), Chunk("data", Bytes(8002, 0), 1920000)})),
         250, ""},
        {"float samples", RiffWave(Join({FormatChunk(FloatEncoding, 1, 8000, 32), data800})), 25,
         ""},
        {"text", Bytes{'n', 'o', 't', ' ', 'a', ' ', 's', 'o', 'u', 'n', 'd'}, -1, "RIFF/WAVE"},
        {"not RIFF", Join({Bytes{'R', 'I', 'F', 'X'}, Little(4, 4), Bytes{'W', 'A', 'V', 'E'}}), -1,
         "RIFF/WAVE"},
        {"compressed", RiffWave(Join({FormatChunk(2, 1, 8000, 16), data800})), -1, "compressed"},
        {"12-bit", RiffWave(Join({FormatChunk(PcmEncoding, 1, 8000, 12), data800})), -1, "12-bit"},
        {"impossible rate", RiffWave(Join({FormatChunk(PcmEncoding, 1, 10, 16), data800})), -1,
         "impossible"},
        {"chunk past the end",
         RiffWave(Join({mono16, Chunk("LIST", Bytes{'a', 'b', 'c', 'd'}, 0x7FFFFFF0), data800})),
         -1, "past the end"},
        {"data before fmt", RiffWave(Join({data800, mono16})), -1, "before the samples"},
        {"no data", RiffWave(mono16), -1, "no \"data\""},
        {"no samples", RiffWave(Join({mono16, Chunk("data", Bytes(1, 0))})), -1, "no samples"},
    };
    for (const Case& c : cases) {
        const WaveReading reading = ParseWave(c.image);
        EXPECT_EQ(reading ? reading.Format->DurationMs() : -1, c.durationMs) << c.name;
        EXPECT_NE(reading.Failure.find(c.failure), std::string::npos)
            << c.name << ": " << reading.Failure;
        // Every shorter piece of an image is refused or read within its bounds.
        for (std::size_t length = 0; length < c.image.size(); length += 3) {
            const WaveReading cut = ParseWave(std::span(c.image).first(length));
            EXPECT_TRUE(!cut || cut.Format->DataOffset + cut.Format->DataBytes <= length) << c.name;
        }
    }
}

TEST(WaveFile, WrittenSoundsReadBackAsWritten) {
    const std::vector<double> samples = {0.0, 0.5, -0.5, 1.0, -1.0, 2.0, -2.0, 0.25};
    const Bytes image = Pcm16Mono(44100, samples);
    const WaveReading reading = ParseWave(image);
    ASSERT_TRUE(reading) << reading.Failure;
    EXPECT_EQ(reading.Format->RiffSize, image.size() - 8);
    EXPECT_EQ(Samples16(image, *reading.Format),
              (std::vector<std::int16_t>{0, 16384, -16384, 32767, -32767, 32767, -32768, 8192}));
}
