#include "WaveFile.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>

namespace quorrin::sounds {

namespace {

constexpr int BitsPerSample = 16;
constexpr int BytesPerSample = BitsPerSample / 8;
constexpr std::uint16_t PcmFormat = 1;

void PutLittle(std::vector<char>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xff));
    }
}

void PutTag(std::vector<char>& out, const char (&tag)[5]) {
    out.insert(out.end(), tag, tag + 4);
}

std::uint32_t GetLittle(const std::vector<unsigned char>& in, std::size_t at, int bytes) {
    std::uint32_t value = 0;
    for (int i = 0; i < bytes; ++i) {
        value |= static_cast<std::uint32_t>(in[at + i]) << (8 * i);
    }
    return value;
}

bool HasTag(const std::vector<unsigned char>& in, std::size_t at, const char* tag) {
    return std::equal(tag, tag + 4, in.begin() + static_cast<std::ptrdiff_t>(at));
}

} // namespace

bool WriteWave(const std::filesystem::path& file, const std::vector<double>& samples) {
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * BytesPerSample);
    std::vector<char> out;
    out.reserve(44 + dataBytes);
    PutTag(out, "RIFF");
    PutLittle(out, 36 + dataBytes, 4);
    PutTag(out, "WAVE");
    PutTag(out, "fmt ");
    PutLittle(out, 16, 4);
    PutLittle(out, PcmFormat, 2);
    PutLittle(out, 1, 2); // mono
    PutLittle(out, SampleRate, 4);
    PutLittle(out, SampleRate * BytesPerSample, 4); // bytes per second
    PutLittle(out, BytesPerSample, 2);              // bytes per frame
    PutLittle(out, BitsPerSample, 2);
    PutTag(out, "data");
    PutLittle(out, dataBytes, 4);
    for (double sample : samples) {
        const double scaled = std::clamp(std::round(sample * 32767.0), -32768.0, 32767.0);
        PutLittle(out, static_cast<std::uint16_t>(static_cast<std::int16_t>(scaled)), 2);
    }

    std::ofstream stream(file, std::ios::binary | std::ios::trunc);
    stream.write(out.data(), static_cast<std::streamsize>(out.size()));
    return static_cast<bool>(stream);
}

std::optional<WaveContents> ReadWave(const std::filesystem::path& file, std::string& error) {
    std::ifstream stream(file, std::ios::binary);
    if (!stream) {
        error = "cannot open the file";
        return std::nullopt;
    }
    const std::vector<unsigned char> in((std::istreambuf_iterator<char>(stream)),
                                        std::istreambuf_iterator<char>());
    if (in.size() < 12 || !HasTag(in, 0, "RIFF") || !HasTag(in, 8, "WAVE")) {
        error = "not a RIFF/WAVE file";
        return std::nullopt;
    }
    if (GetLittle(in, 4, 4) != in.size() - 8) {
        error = "the RIFF size does not match the file size";
        return std::nullopt;
    }

    WaveContents contents;
    bool haveFormat = false;
    std::size_t at = 12;
    while (at + 8 <= in.size()) {
        const std::uint32_t size = GetLittle(in, at + 4, 4);
        const std::size_t body = at + 8;
        if (size > in.size() - body) {
            error = "a chunk runs past the end of the file";
            return std::nullopt;
        }
        if (HasTag(in, at, "fmt ")) {
            if (size < 16 || GetLittle(in, body, 2) != PcmFormat) {
                error = "the format is not PCM";
                return std::nullopt;
            }
            contents.channels = static_cast<int>(GetLittle(in, body + 2, 2));
            contents.sampleRate = static_cast<int>(GetLittle(in, body + 4, 4));
            contents.bitsPerSample = static_cast<int>(GetLittle(in, body + 14, 2));
            haveFormat = true;
        } else if (HasTag(in, at, "data")) {
            if (!haveFormat || contents.bitsPerSample != BitsPerSample) {
                error = "the data is not 16-bit PCM";
                return std::nullopt;
            }
            for (std::size_t i = 0; i + 1 < size; i += BytesPerSample) {
                contents.samples.push_back(
                    static_cast<std::int16_t>(GetLittle(in, body + i, BytesPerSample)));
            }
            return contents;
        }
        at = body + size + (size & 1); // chunks are padded to an even length
    }
    error = "no data chunk";
    return std::nullopt;
}

} // namespace quorrin::sounds
