// Reading a text file a piece at a time for the tools, refusing what could block or never end.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace quorrin::support {

// Hands the bytes of the file at path to piece, a piece at a time (at most 1 MiB each), and
// returns nothing once all of them were read; otherwise why not, in English. A directory, a
// device, a FIFO or a socket is refused from what the system says of the path, before anything
// is opened, so that nothing can block or run on without end; a file is refused once more than
// limit bytes have been read from it, whatever size it reports.
std::optional<std::string> ReadFilePieces(const std::string& path, std::uint64_t limit,
                                          const std::function<void(std::string_view)>& piece);

} // namespace quorrin::support
