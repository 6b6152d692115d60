// Sizing, layout and drawing of the 64 squares.
#include "board/PieceArtwork.h"
#include "board/SquareSurface.h"
#include "board/brdChessboard.h"
#include "board/brdChessboard_p.h"
#include "board/platform/Platform.h"

#include <QResizeEvent>

#include <algorithm>

namespace quorrin {

namespace {

// A square is never smaller than a piece cell at normal density (32 pixels of 15 twips).
constexpr int SmallestSquareTwips = 480;
// Nor larger than this many pixels: 64 pictures of that size already take 256 MB, and an
// absurd extent from a host must not exhaust the memory.
constexpr int LargestSquarePixels = SquareSurface::LargestPicturePixels;

} // namespace

int brdChessboardPrivate::SquarePixels() const {
    return templateWidthTwips_ / platform::TwipsPerPixelX();
}

int brdChessboardPrivate::SquarePixelsY() const {
    return templateHeightTwips_ / platform::TwipsPerPixelY();
}

QSize brdChessboardPrivate::BoardPixels() const {
    return {8 * SquarePixels(), 8 * SquarePixelsY()};
}

int brdChessboard::SquarePixels() const {
    return d_func()->SquarePixels();
}

QSize brdChessboard::sizeHint() const {
    return d_func()->BoardPixels();
}

QSize brdChessboard::minimumSizeHint() const {
    return {8 * (SmallestSquareTwips / platform::TwipsPerPixelX()),
            8 * (SmallestSquareTwips / platform::TwipsPerPixelY())};
}

int brdChessboard::ExtentWidthTwips() const {
    return d_func()->extentWidthTwips_;
}

int brdChessboard::ExtentHeightTwips() const {
    return d_func()->extentHeightTwips_;
}

void brdChessboard::SetExtentTwips(int widthTwips, int heightTwips) {
    Q_D(brdChessboard);
    d->extentWidthTwips_ = widthTwips;
    d->extentHeightTwips_ = heightTwips;
    d->UserControl_Resize();
}

void brdChessboardPrivate::UserControl_Resize() {
    const int side =
        extentWidthTwips_ > extentHeightTwips_ ? extentWidthTwips_ : extentHeightTwips_;
    int square = side / 8;
    if (SmallestSquareTwips > square) {
        square = SmallestSquareTwips;
    }
    const int largest =
        LargestSquarePixels * std::min(platform::TwipsPerPixelX(), platform::TwipsPerPixelY());
    square = std::min(square, std::max(largest, SmallestSquareTwips));
    templateWidthTwips_ = square;
    templateHeightTwips_ = templateWidthTwips_;

    q.setSideView(sideView_); // reports "SideView" and lays the squares out at the new size

    extentWidthTwips_ = 8 * templateWidthTwips_;
    extentHeightTwips_ = 8 * templateHeightTwips_;
    // Our own resize must not come back as a host's resize: its pixels converted to twips
    // would lose the twips that do not make a whole pixel (6128 would become 6120).
    const bool wasResizing = resizing_;
    resizing_ = true;
    q.resize(BoardPixels());
    resizing_ = wasResizing;

    RepaintBoard();
}

void brdChessboard::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Q_D(brdChessboard);
    // Sizes the board gave itself arrive here too, on a hidden widget only when it is shown.
    if (d->resizing_ || event->size() == d->BoardPixels()) {
        return;
    }
    SetExtentTwips(platform::PixelsToTwipsX(event->size().width()),
                   platform::PixelsToTwipsY(event->size().height()));
}

void brdChessboardPrivate::LayOutSquares() {
    const int width = SquarePixels();
    const int height = SquarePixelsY();
    // White's view counts a8 (1) to h1 (64) from the top-left; any other view the reverse.
    const bool whitesView = sideView_ == 0;
    int k = whitesView ? 1 : 64;
    for (int row = 1; row <= 8; ++row) {
        for (int column = 1; column <= 8; ++column) {
            picSquare_[k]->Place(QRect((column - 1) * width, (row - 1) * height, width, height));
            k += whitesView ? 1 : -1;
        }
    }
}

void brdChessboardPrivate::DrawSquare(SquareIndex square, bool showHighlight) {
    if (!IsBoardSquare(square) || picSquare_[square] == nullptr) {
        return;
    }
    const EngineState& state = engine_.State();
    const BoardSquare& record = state.Squares[square];

    SquareSurface::Look look;
    look.background = SquareSurface::RgbOf(record.IsDark ? darkSquareColor_ : lightSquareColor_);
    if (highlightMove_ && showHighlight &&
        (square == state.LastMoveFrom || square == state.LastMoveTo)) {
        look.frame = SquareSurface::RgbOf(highlightMoveColor_);
    }
    if (record.Occupied && record.Piece.Kind >= 0 && record.Piece.Kind < PieceTypeCount) {
        look.piece = record.Piece.Kind;
    }
    picSquare_[square]->Show(look, *artwork_);
}

void brdChessboardPrivate::RepaintBoard() {
    for (SquareIndex k = 1; k <= 64; ++k) {
        DrawSquare(k, true);
    }
}

} // namespace quorrin
