#include "app/audio/WaveFile.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <system_error>

namespace quorrin::wave {

namespace {

std::uint32_t ReadLittle(std::span<const unsigned char> bytes, std::size_t at, int count) {
    std::uint32_t value = 0;
    for (int i = 0; i < count; ++i) {
        value |= static_cast<std::uint32_t>(bytes[at + i]) << (8 * i);
    }
    return value;
}

bool HasTag(std::span<const unsigned char> bytes, std::size_t at, std::string_view tag) {
    return bytes.size() >= at + 4 && std::equal(tag.begin(), tag.end(), bytes.begin() + at);
}

WaveReading Fail(std::string reason) {
    return {std::nullopt, std::move(reason)};
}

void Append(Bytes& to, std::span<const unsigned char> more) {
    to.insert(to.end(), more.begin(), more.end());
}

// Why a "fmt " chunk describes nothing a sound device can play; empty when it can.
std::string FormatProblem(const WaveFormat& f, int blockAlign) {
    if (f.Encoding != PcmEncoding && f.Encoding != FloatEncoding &&
        f.Encoding != ExtensibleEncoding) {
        return "the samples are compressed (encoding " + std::to_string(f.Encoding) + ")";
    }
    if (f.BitsPerSample % 8 != 0 || f.BitsPerSample < 8 || f.BitsPerSample > 32) {
        return std::to_string(f.BitsPerSample) + "-bit samples";
    }
    if (f.Channels < 1 || f.Channels > 8 || f.SampleRate < 1000 || f.SampleRate > 384000 ||
        blockAlign != f.Channels * f.BitsPerSample / 8) {
        return "impossible channel, rate or frame values";
    }
    return {};
}

} // namespace

std::int64_t WaveFormat::DurationMs() const {
    const std::int64_t bytesPerSecond =
        static_cast<std::int64_t>(SampleRate) * Channels * (BitsPerSample / 8);
    if (bytesPerSecond <= 0) {
        return 0;
    }
    return (DataBytes * 1000 + bytesPerSecond - 1) / bytesPerSecond;
}

WaveReading ParseWave(std::span<const unsigned char> bytes) {
    if (!HasTag(bytes, 0, "RIFF") || !HasTag(bytes, 8, "WAVE")) {
        return Fail("not a RIFF/WAVE file");
    }
    WaveFormat format;
    format.RiffSize = ReadLittle(bytes, 4, 4);
    bool haveFormat = false;
    std::size_t at = 12;
    while (at + 8 <= bytes.size()) {
        const std::uint32_t size = ReadLittle(bytes, at + 4, 4);
        const std::size_t body = at + 8;
        const std::size_t available = bytes.size() - body;
        if (HasTag(bytes, at, "data")) {
            if (!haveFormat) {
                return Fail("no \"fmt \" chunk before the samples");
            }
            // A writer that never patched the size leaves it too large: count what is there.
            const int frameBytes = format.Channels * format.BitsPerSample / 8;
            format.DataOffset = body;
            format.DataBytes = std::min<std::int64_t>(size, static_cast<std::int64_t>(available));
            format.DataBytes -= format.DataBytes % frameBytes;
            if (format.DataBytes <= 0) {
                return Fail("no samples");
            }
            return {format, {}};
        }
        if (size > available) {
            return Fail("a chunk runs past the end of the file");
        }
        if (HasTag(bytes, at, "fmt ")) {
            if (size < 16) {
                return Fail("the \"fmt \" chunk is too short");
            }
            format.Encoding = static_cast<int>(ReadLittle(bytes, body, 2));
            format.Channels = static_cast<int>(ReadLittle(bytes, body + 2, 2));
            format.SampleRate = static_cast<int>(ReadLittle(bytes, body + 4, 4) & 0x7FFFFFFF);
            format.BitsPerSample = static_cast<int>(ReadLittle(bytes, body + 14, 2));
            if (std::string problem =
                    FormatProblem(format, static_cast<int>(ReadLittle(bytes, body + 12, 2)));
                !problem.empty()) {
                return Fail(problem);
            }
            haveFormat = true;
        }
        at = body + size + (size & 1); // chunks are padded to an even length
    }
    return Fail("no \"data\" chunk");
}

std::optional<Bytes> ReadFile(const std::filesystem::path& file) {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    if (error || size > LargestFileBytes) {
        return std::nullopt;
    }
    std::ifstream stream(file, std::ios::binary);
    Bytes bytes((std::istreambuf_iterator<char>(stream)), std::istreambuf_iterator<char>());
    if (bytes.size() != size) {
        return std::nullopt;
    }
    return bytes;
}

WaveReading ReadWaveFile(const std::filesystem::path& file) {
    const std::optional<Bytes> bytes = ReadFile(file);
    return bytes ? ParseWave(*bytes) : Fail("cannot read " + file.string());
}

std::vector<std::int16_t> Samples16(std::span<const unsigned char> bytes,
                                    const WaveFormat& format) {
    std::vector<std::int16_t> samples;
    if (format.BitsPerSample != 16) {
        return samples;
    }
    for (std::int64_t i = 0; i + 1 < format.DataBytes; i += 2) {
        samples.push_back(static_cast<std::int16_t>(
            ReadLittle(bytes, format.DataOffset + static_cast<std::size_t>(i), 2)));
    }
    return samples;
}

Bytes Little(std::uint32_t value, int bytes) {
    Bytes out;
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<unsigned char>((value >> (8 * i)) & 0xFF));
    }
    return out;
}

Bytes Chunk(std::string_view tag, std::span<const unsigned char> body,
            std::optional<std::uint32_t> claimedSize) {
    Bytes out(tag.begin(), tag.end());
    Append(out, Little(claimedSize.value_or(static_cast<std::uint32_t>(body.size())), 4));
    Append(out, body);
    if (body.size() % 2 != 0) {
        out.push_back(0);
    }
    return out;
}

Bytes FormatChunk(int encoding, int channels, int sampleRate, int bitsPerSample) {
    const int block = channels * bitsPerSample / 8;
    Bytes body = Little(encoding, 2);
    Append(body, Little(channels, 2));
    Append(body, Little(sampleRate, 4));
    Append(body, Little(sampleRate * block, 4)); // bytes per second
    Append(body, Little(block, 2));              // bytes per frame
    Append(body, Little(bitsPerSample, 2));
    return Chunk("fmt ", body);
}

Bytes RiffWave(std::span<const unsigned char> chunks) {
    Bytes body = {'W', 'A', 'V', 'E'};
    Append(body, chunks);
    return Chunk("RIFF", body);
}

Bytes Pcm16Mono(int sampleRate, const std::vector<double>& samples) {
    Bytes data;
    data.reserve(samples.size() * 2);
    for (const double sample : samples) {
        const double scaled = std::clamp(std::round(sample * 32767.0), -32768.0, 32767.0);
        Append(data, Little(static_cast<std::uint16_t>(static_cast<std::int16_t>(scaled)), 2));
    }
    Bytes chunks = FormatChunk(PcmEncoding, 1, sampleRate, 16);
    Append(chunks, Chunk("data", data));
    return RiffWave(chunks);
}

bool WriteFile(const std::filesystem::path& file, std::span<const unsigned char> bytes) {
    std::ofstream stream(file, std::ios::binary | std::ios::trunc);
    stream.write(reinterpret_cast<const char*>(bytes.data()),
                 static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(stream);
}

} // namespace quorrin::wave
