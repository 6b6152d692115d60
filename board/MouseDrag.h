// A piece carried with the mouse: the square it came from, the pointer that shows it, the grabs
// that bring the release and Escape to the board wherever they happen, and the poll of the left
// button every 100 ms (tmrDrag) that ends a drag whose release went to another window.
#pragma once

#include "engine/Records.h"

#include <functional>

class QCursor;
class QTimer;
class QWidget;

namespace quorrin {

class MouseDrag {
public:
    // The poll's timer tmrDrag, a child of board, runs onTick on every tick.
    MouseDrag(QWidget& board, const std::function<void()>& onTick);
    MouseDrag(const MouseDrag&) = delete;
    MouseDrag& operator=(const MouseDrag&) = delete;

    // From the pick-up to the end of the drag, which may come a tick after the drop.
    bool Active() const;
    // The mouse and keyboard are grabbed and the pointer shows the piece.
    bool Carrying() const { return carrying_; }
    // The square the piece was picked up from.
    SquareIndex From() const { return from_; }

    // Picks up the piece on square from: the pointer shows it, the poll runs, the board takes
    // the mouse and the keyboard.
    void Start(SquareIndex from, const QCursor& pointer);
    // A tick of the poll: true once the left button is up and no release is still on its way
    // to the application.
    bool ButtonReleased();
    // Ends the drag: the poll stops and so does the carrying.
    void Stop();
    // Gives back the grabs and the pointer; safe to call when not carrying.
    void StopCarrying();

private:
    QWidget& board_;
    QTimer* tmrDrag_;
    SquareIndex from_ = 0;
    bool carrying_ = false;
    bool releaseUnheard_ = false; // the last tick found the button up, the application not
};

} // namespace quorrin
