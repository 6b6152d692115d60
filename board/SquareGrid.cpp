#include "board/SquareGrid.h"

#include "board/SquareSurface.h"
#include "board/platform/Platform.h"

#include <QApplication>
#include <QWidget>

#include <algorithm>

namespace quorrin {

namespace {

// A square is never smaller than a piece cell at normal density (32 pixels of 15 twips).
constexpr int SmallestSquareTwips = 480;
// Nor larger than this many pixels: 64 pictures of that size already take 256 MB, and an
// absurd extent from a host must not exhaust the memory.
constexpr int LargestSquarePixels = SquareSurface::LargestPicturePixels;

} // namespace

SquareGrid::SquareGrid(QWidget& board, const std::shared_ptr<const PieceArtwork>& artwork)
    : board_(board) {
    for (int k = 1; k <= 64; ++k) {
        squares_[k] = new SquareSurface(k, artwork, &board);
    }
}

SquareSurface* SquareGrid::SquareUnder(const QPointF& globalPos) const {
    // widgetAt answers by what the screen shows there; childAt would go by geometry alone.
    auto* square = qobject_cast<SquareSurface*>(QApplication::widgetAt(globalPos.toPoint()));
    return square != nullptr && square->parentWidget() == &board_ ? square : nullptr;
}

void SquareGrid::LayOut(bool whitesView) {
    const int width = SquarePixels();
    const int height = SquarePixelsY();
    // White's view counts a8 (1) to h1 (64) from the top-left; any other view the reverse.
    int k = whitesView ? 1 : 64;
    for (int row = 1; row <= 8; ++row) {
        for (int column = 1; column <= 8; ++column) {
            squares_[k]->Place(QRect((column - 1) * width, (row - 1) * height, width, height));
            k += whitesView ? 1 : -1;
        }
    }
}

int SquareGrid::SquarePixels() const {
    return templateWidthTwips_ / platform::TwipsPerPixelX();
}

int SquareGrid::SquarePixelsY() const {
    return templateHeightTwips_ / platform::TwipsPerPixelY();
}

QSize SquareGrid::BoardPixels() const {
    return {8 * SquarePixels(), 8 * SquarePixelsY()};
}

QSize SquareGrid::SmallestBoardPixels() {
    return {8 * (SmallestSquareTwips / platform::TwipsPerPixelX()),
            8 * (SmallestSquareTwips / platform::TwipsPerPixelY())};
}

void SquareGrid::SetExtentTwips(int widthTwips, int heightTwips) {
    extentWidthTwips_ = widthTwips;
    extentHeightTwips_ = heightTwips;
}

void SquareGrid::FitTemplate() {
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
}

void SquareGrid::ExtentFromTemplate() {
    extentWidthTwips_ = 8 * templateWidthTwips_;
    extentHeightTwips_ = 8 * templateHeightTwips_;
}

void SquareGrid::SizeBoard() {
    // Our own resize must not come back as a host's resize: its pixels converted to twips
    // would lose the twips that do not make a whole pixel (6128 would become 6120).
    const bool wasResizing = resizing_;
    resizing_ = true;
    board_.resize(BoardPixels());
    resizing_ = wasResizing;
}

bool SquareGrid::OwnResize(QSize size) const {
    // Sizes the board gave itself arrive late too, on a hidden widget only when it is shown.
    return resizing_ || size == BoardPixels();
}

} // namespace quorrin
