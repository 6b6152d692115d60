// Reading the header of a RIFF/WAVE file: enough to know whether it is a playable PCM sound
// and how long it lasts.
#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>

namespace quorrin {

struct WaveFormat {
    int Channels = 0;
    int SampleRate = 0;
    int BitsPerSample = 0;
    std::int64_t DataBytes = 0; // sample bytes actually present in the file

    // Playing time in milliseconds, rounded up.
    std::int64_t DurationMs() const;
};

// The format of a PCM (or IEEE float) WAV image, or nothing when it is not one: a missing
// RIFF/WAVE signature, no "fmt " or "data" chunk, a chunk running past the end, a compressed
// encoding, or impossible channel, rate or sample-size values.
std::optional<WaveFormat> ParseWaveHeader(const QByteArray& bytes);

// The same for a file; nothing when it cannot be read.
std::optional<WaveFormat> ReadWaveFile(const QString& path);

} // namespace quorrin
