// A mark drawn over one square of the board, as a child widget of its own above the square
// surfaces: the keyboard cursor (a dashed ring) or the mark of a piece picked up by keyboard
// (a solid ring inside it). Both keep clear of the square's outermost pixel, where the last
// move's frame is drawn, and both are black and white so that they show on any square colour.
// The marks take no mouse input: presses go through to the square below.
#pragma once

#include <QPointer>
#include <QWidget>

namespace quorrin {

class FocusCursor : public QWidget {
    Q_OBJECT

public:
    enum class Style { Cursor, Picked };

    FocusCursor(Style style, QWidget* board);

    // Covers square and follows it when it is moved or resized (the board turned or resized);
    // null hides the mark.
    void Follow(QWidget* square);

    // The ring's distance from the square's edge and its width, in logical pixels.
    static constexpr int CursorInset = 2;
    static constexpr int PickedInset = 5;
    static constexpr int RingWidth = 2;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    Style style_;
    QPointer<QWidget> square_;
};

} // namespace quorrin
