#include "ReadError.h"

namespace quorrin {

namespace {

// The length of the valid UTF-8 sequence at the start of bytes, 0 when there is none: no
// overlong form, no surrogate, nothing beyond U+10FFFF.
std::size_t SequenceLength(std::string_view bytes) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    unsigned low = 0x80;
    unsigned high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (bytes.size() < length || byte(1) < low || byte(1) > high) {
        return 0;
    }
    for (std::size_t i = 2; i < length; ++i) {
        if (byte(i) < 0x80 || byte(i) > 0xBF) {
            return 0;
        }
    }
    return length;
}

} // namespace

std::string Printable(std::string_view bytes) {
    constexpr char digits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(bytes.size());
    for (std::size_t at = 0; at < bytes.size();) {
        const auto c = static_cast<unsigned char>(bytes[at]);
        if (c >= 0x20 && c < 0x7F) {
            text += c == '\\' ? "\\\\" : std::string(1, static_cast<char>(c));
            ++at;
        } else if (const std::size_t length = c >= 0x80 ? SequenceLength(bytes.substr(at)) : 0) {
            text += bytes.substr(at, length);
            at += length;
        } else {
            text += "\\x";
            text += digits[c >> 4];
            text += digits[c & 15];
            ++at;
        }
    }
    return text;
}

} // namespace quorrin
