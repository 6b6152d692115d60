#include "TextFile.h"

#include <filesystem>
#include <fstream>
#include <vector>

namespace quorrin::support {

std::optional<std::string> ReadFilePieces(const std::string& path, std::uint64_t limit,
                                          const std::function<void(std::string_view)>& piece) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (error) {
        return "cannot read " + path + ": " + error.message();
    }
    if (status.type() != std::filesystem::file_type::regular) {
        return path + (status.type() == std::filesystem::file_type::directory
                           ? " is a directory, not a game file"
                           : " is not a regular file (a device, a pipe or a socket)");
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return "cannot read " + path;
    }
    std::vector<char> buffer(std::size_t{1} << 20);
    std::uint64_t total = 0;
    while (in) {
        in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
        const auto got = static_cast<std::size_t>(in.gcount());
        total += got;
        if (total > limit) {
            return path + " is larger than " + std::to_string(limit) + " bytes";
        }
        piece(std::string_view(buffer.data(), got));
    }
    if (in.bad()) {
        return "cannot read " + path;
    }
    return std::nullopt;
}

} // namespace quorrin::support
