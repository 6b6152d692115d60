// RIFF/WAVE sound files: reading a file's format and samples with the reason when it cannot be
// played, and writing them. Standard library only; used by the program's sound player, the sound
// generator and the tests.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quorrin::wave {

using Bytes = std::vector<unsigned char>;

inline constexpr int PcmEncoding = 1;
inline constexpr int FloatEncoding = 3;
inline constexpr int ExtensibleEncoding = 0xFFFE;

struct WaveFormat {
    int Encoding = 0;
    int Channels = 0;
    int SampleRate = 0;
    int BitsPerSample = 0;
    std::uint32_t RiffSize = 0; // as written in the header
    std::size_t DataOffset = 0; // where the samples start in the file
    std::int64_t DataBytes = 0; // whole frames of samples actually present in the file

    // Playing time in milliseconds, rounded up.
    std::int64_t DurationMs() const;
};

// A format, or why there is none.
struct WaveReading {
    std::optional<WaveFormat> Format;
    std::string Failure; // empty when Format is set

    explicit operator bool() const { return Format.has_value(); }
};

// The format of a WAV image whose samples a sound device can play: PCM, IEEE float or
// extensible encoding, whole-byte samples of 8 to 32 bits, 1 to 8 channels, 1000 to 384000 Hz.
// A data size never patched by its writer counts only the whole frames present. Fails with a
// reason: no RIFF/WAVE signature, no "fmt " chunk before the "data" chunk, a chunk running
// past the end, another encoding, impossible values, or no samples.
WaveReading ParseWave(std::span<const unsigned char> bytes);

// The sounds are short: a file larger than this is not read whole just to be judged.
inline constexpr std::uintmax_t LargestFileBytes = 64 * 1024 * 1024;

// The bytes of a file of at most LargestFileBytes; nothing when it cannot be read.
std::optional<Bytes> ReadFile(const std::filesystem::path& file);

// ParseWave of a file; a file that cannot be read, or that is too large, fails.
WaveReading ReadWaveFile(const std::filesystem::path& file);

// The 16-bit samples of a parsed 16-bit PCM image (all channels interleaved).
std::vector<std::int16_t> Samples16(std::span<const unsigned char> bytes, const WaveFormat& format);

// Building blocks of a WAV image: a little-endian number of the given byte count; a chunk with
// its tag, its size (the body's, unless another is claimed), the body and the padding byte of an
// odd body; a "fmt " chunk; a whole RIFF/WAVE image around the given chunks.
Bytes Little(std::uint32_t value, int bytes);
Bytes Chunk(std::string_view tag, std::span<const unsigned char> body,
            std::optional<std::uint32_t> claimedSize = std::nullopt);
Bytes FormatChunk(int encoding, int channels, int sampleRate, int bitsPerSample);
Bytes RiffWave(std::span<const unsigned char> chunks);

// A mono 16-bit PCM image of samples in [-1, 1], rounded and clipped.
Bytes Pcm16Mono(int sampleRate, const std::vector<double>& samples);

// Writes bytes to file; false when it cannot.
bool WriteFile(const std::filesystem::path& file, std::span<const unsigned char> bytes);

} // namespace quorrin::wave
