#include "WaveFile.h"

#include <QFile>

#include <algorithm>

namespace quorrin {

namespace {

constexpr int PcmEncoding = 1;
constexpr int FloatEncoding = 3;
constexpr int ExtensibleEncoding = 0xFFFE;
// The sounds are short; a file larger than this is not read whole just to be judged.
constexpr qint64 MaxWaveFileBytes = 64 * 1024 * 1024;

std::uint32_t ReadLittle32(const QByteArray& bytes, qsizetype at) {
    const auto byte = [&](qsizetype i) {
        return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + i]));
    };
    return byte(0) | (byte(1) << 8) | (byte(2) << 16) | (byte(3) << 24);
}

std::uint16_t ReadLittle16(const QByteArray& bytes, qsizetype at) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                      (static_cast<unsigned char>(bytes[at + 1]) << 8));
}

bool HasTag(const QByteArray& bytes, qsizetype at, const char* tag) {
    return bytes.size() >= at + 4 && bytes.mid(at, 4) == QByteArray(tag, 4);
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

std::optional<WaveFormat> ParseWaveHeader(const QByteArray& bytes) {
    if (!HasTag(bytes, 0, "RIFF") || !HasTag(bytes, 8, "WAVE")) {
        return std::nullopt;
    }
    WaveFormat format;
    bool haveFormat = false;
    qsizetype at = 12;
    while (at + 8 <= bytes.size()) {
        const std::uint32_t chunkSize = ReadLittle32(bytes, at + 4);
        const qsizetype body = at + 8;
        const qsizetype available = bytes.size() - body;
        if (HasTag(bytes, at, "fmt ")) {
            if (chunkSize < 16 || static_cast<qsizetype>(chunkSize) > available) {
                return std::nullopt;
            }
            const int encoding = ReadLittle16(bytes, body);
            format.Channels = ReadLittle16(bytes, body + 2);
            format.SampleRate = static_cast<int>(ReadLittle32(bytes, body + 4) & 0x7FFFFFFF);
            const int blockAlign = ReadLittle16(bytes, body + 12);
            format.BitsPerSample = ReadLittle16(bytes, body + 14);
            const bool knownEncoding = encoding == PcmEncoding || encoding == FloatEncoding ||
                                       encoding == ExtensibleEncoding;
            const bool wholeBytes = format.BitsPerSample % 8 == 0 && format.BitsPerSample >= 8 &&
                                    format.BitsPerSample <= 32;
            if (!knownEncoding || !wholeBytes || format.Channels < 1 || format.Channels > 8 ||
                format.SampleRate < 1000 || format.SampleRate > 384000 ||
                blockAlign != format.Channels * format.BitsPerSample / 8) {
                return std::nullopt;
            }
            haveFormat = true;
        } else if (HasTag(bytes, at, "data")) {
            if (!haveFormat) {
                return std::nullopt;
            }
            // A writer that never patched the size leaves it too large: count what is there.
            format.DataBytes = std::min<std::int64_t>(chunkSize, available);
            const int frameBytes = format.Channels * format.BitsPerSample / 8;
            format.DataBytes -= format.DataBytes % frameBytes;
            if (format.DataBytes <= 0) {
                return std::nullopt;
            }
            return format;
        } else if (static_cast<qsizetype>(chunkSize) > available) {
            return std::nullopt;
        }
        // Chunks are padded to an even length.
        at = body + static_cast<qsizetype>(chunkSize) + (chunkSize & 1);
    }
    return std::nullopt;
}

std::optional<WaveFormat> ReadWaveFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > MaxWaveFileBytes) {
        return std::nullopt;
    }
    return ParseWaveHeader(file.readAll());
}

} // namespace quorrin
