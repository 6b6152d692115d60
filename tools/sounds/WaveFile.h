// Reading and writing mono 16-bit PCM WAV files.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace quorrin::sounds {

constexpr int SampleRate = 44100;

// Samples scaled to [-1, 1], converted to 16-bit with rounding and clipping.
bool WriteWave(const std::filesystem::path& file, const std::vector<double>& samples);

struct WaveContents {
    int channels = 0;
    int sampleRate = 0;
    int bitsPerSample = 0;
    std::vector<std::int16_t> samples;
};

// Parses a RIFF/WAVE file with a PCM "fmt " chunk; any other chunks are skipped. Empty when
// the file is missing, truncated or not PCM; `error` then says why.
std::optional<WaveContents> ReadWave(const std::filesystem::path& file, std::string& error);

} // namespace quorrin::sounds
