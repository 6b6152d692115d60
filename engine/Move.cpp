#include "Move.h"

#include <algorithm>

namespace quorrin {

std::string Move::Coordinates() const {
    std::string text = SquareIndexToName(From) + SquareIndexToName(To);
    if (Promotion) {
        text += static_cast<char>(ShapeLetter(*Promotion) - 'A' + 'a');
    }
    return text;
}

ReadResult<Move> ReadCoordinates(std::string_view text) {
    Move move;
    if (text.size() == 4 || text.size() == 5) {
        move.From = SquareNameToIndex(text.substr(0, 2));
        move.To = SquareNameToIndex(text.substr(2, 2));
        if (text.size() == 5) {
            move.Promotion = PromotionShapeOfLetter(text[4]);
        }
    }
    if (move.From < 1 || move.To < 1 || (text.size() == 5 && !move.Promotion)) {
        return ReadError{.Code = ReadErrorCode::NotAMove, .Text = std::string(text)};
    }
    return move;
}

bool MoveList::Contains(const Move& move) const {
    return std::find(begin(), end(), move) != end();
}

} // namespace quorrin
