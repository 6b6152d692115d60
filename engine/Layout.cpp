#include "Layout.h"

#include "Fen.h"

namespace quorrin {

Placement PlacementOfLayout(std::string_view layout) {
    Placement placement;
    for (std::size_t cell = 0; cell < placement.size(); ++cell) {
        placement[cell] = NoPiece;
        const std::size_t at = 2 * cell;
        if (at + 2 > layout.size()) {
            continue;
        }
        const std::string_view code = layout.substr(at, 2);
        for (PieceType kind = 0; kind < PieceTypeCount; ++kind) {
            if (PieceCodes[kind] == code) {
                placement[cell] = kind;
            }
        }
    }
    return placement;
}

std::string LayoutOf(const Placement& placement) {
    std::string layout;
    layout.reserve(128);
    for (const PieceType kind : placement) {
        layout += kind >= 0 && kind < PieceTypeCount ? PieceCodes[kind] : EmptyCode;
    }
    return layout;
}

std::optional<std::string> LayoutFromDiagram(std::string_view diagram) {
    const ReadResult<Placement> placement = ReadPlacement(diagram);
    if (!placement) {
        return std::nullopt;
    }
    return LayoutOf(*placement);
}

} // namespace quorrin
