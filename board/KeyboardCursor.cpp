#include "board/KeyboardCursor.h"

#include "board/FocusCursor.h"
#include "board/SquareGrid.h"
#include "board/SquareSurface.h"
#include "engine/Squares.h"

namespace quorrin {

KeyboardCursor::KeyboardCursor(QWidget& board)
    : focusCursor_(new FocusCursor(FocusCursor::Style::Cursor, &board)),
      pickedMark_(new FocusCursor(FocusCursor::Style::Picked, &board)) {}

SquareIndex KeyboardCursor::Step(int key, bool whitesView) const {
    const int index = square_ - 1;
    int row = index / 8;    // 0 is rank 8
    int column = index % 8; // 0 is file a
    const int away = whitesView ? -1 : 1;
    switch (key) {
    case Qt::Key_Up:
        row += away;
        break;
    case Qt::Key_Down:
        row -= away;
        break;
    case Qt::Key_Left:
        column += away;
        break;
    case Qt::Key_Right:
        column -= away;
        break;
    default:
        break;
    }
    if (row < 0 || row >= 8 || column < 0 || column >= 8) {
        return square_;
    }
    return static_cast<SquareIndex>(row * 8 + column + 1);
}

bool KeyboardCursor::MoveTo(SquareIndex square) {
    if (!IsBoardSquare(square) || square == square_) {
        return false;
    }
    square_ = square;
    return true;
}

bool KeyboardCursor::PutBack() {
    const bool picked = picked_ != 0;
    picked_ = 0;
    return picked;
}

void KeyboardCursor::ShowMarks(bool shown, const SquareGrid& grid) {
    focusCursor_->Follow(shown ? grid.Surface(square_) : nullptr);
    pickedMark_->Follow(shown && picked_ != 0 ? grid.Surface(picked_) : nullptr);
}

} // namespace quorrin
