// Keyboard play's state: the cursor's square, whether the keyboard is in use (the cursor shows
// only then), the square of a piece picked up by keyboard, and the two marks that show them
// above the squares.
#pragma once

#include "engine/Records.h"

class QWidget;

namespace quorrin {

class FocusCursor;
class SquareGrid;

class KeyboardCursor {
public:
    // Makes the marks as children of board; made after the squares, so they lie above them.
    explicit KeyboardCursor(QWidget& board);
    KeyboardCursor(const KeyboardCursor&) = delete;
    KeyboardCursor& operator=(const KeyboardCursor&) = delete;

    SquareIndex Square() const { return square_; }
    // The square of the piece picked up by keyboard; 0 when none.
    SquareIndex Picked() const { return picked_; }
    bool InUse() const { return inUse_; }
    void SetInUse(bool inUse) { inUse_ = inUse; }

    // The square one step from the cursor for an arrow key (Qt::Key_Up and so on) as the player
    // sees the board: in White's view up goes towards rank 8 and left towards file a, turned
    // the reverse. The cursor's own square at the board's edge.
    SquareIndex Step(int key, bool whitesView) const;
    // Moves the cursor to square; false when it is there already or square is no board square.
    bool MoveTo(SquareIndex square);
    void Pick(SquareIndex square) { picked_ = square; }
    // Nothing is picked any more; false when nothing was.
    bool PutBack();

    // Shows the cursor and the mark of a picked piece over their squares, or hides them.
    void ShowMarks(bool shown, const SquareGrid& grid);

private:
    SquareIndex square_ = 53; // e2
    bool inUse_ = false;
    SquareIndex picked_ = 0;
    FocusCursor* focusCursor_;
    FocusCursor* pickedMark_;
};

} // namespace quorrin
