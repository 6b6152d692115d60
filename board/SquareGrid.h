// The board's 64 square surfaces and their layout: the template square in twips that sets their
// size, the component's extent in twips, and the place of every square in either view.
#pragma once

#include "engine/Records.h"

#include <QPointF>
#include <QSize>

#include <array>
#include <memory>

class QWidget;

namespace quorrin {

class PieceArtwork;
class SquareSurface;

class SquareGrid {
public:
    // The surfaces picSquare1 (a8) to picSquare64 (h1), children of board, drawn with artwork.
    SquareGrid(QWidget& board, const std::shared_ptr<const PieceArtwork>& artwork);
    SquareGrid(const SquareGrid&) = delete;
    SquareGrid& operator=(const SquareGrid&) = delete;

    // The surface of a square (1..64).
    SquareSurface* Surface(SquareIndex square) const { return squares_[square]; }
    // This board's square surface that is the topmost widget on the screen at globalPos; null
    // over anything else, a square hidden under another window included.
    SquareSurface* SquareUnder(const QPointF& globalPos) const;
    // Places the squares at the template's size: a8 top-left in White's view, h1 in the other.
    void LayOut(bool whitesView);

    int SquarePixels() const; // a square's width in pixels
    int SquarePixelsY() const;
    QSize BoardPixels() const; // eight squares a side
    // Eight of the smallest squares a side, 480 twips each.
    static QSize SmallestBoardPixels();

    int TemplateWidthTwips() const { return templateWidthTwips_; }
    int TemplateHeightTwips() const { return templateHeightTwips_; }
    int ExtentWidthTwips() const { return extentWidthTwips_; }
    int ExtentHeightTwips() const { return extentHeightTwips_; }
    // The extent a host asks for; FitTemplate and ExtentFromTemplate make it square.
    void SetExtentTwips(int widthTwips, int heightTwips);
    // The template becomes square: an eighth of the extent's larger side, at least 480 twips
    // (32 pixels), at most a square whose pictures the surfaces still make at full size.
    void FitTemplate();
    // The extent becomes eight template squares a side.
    void ExtentFromTemplate();

    // Resizes the board to eight squares; the resize event this brings is the board's own.
    void SizeBoard();
    // Whether a resize of the board to size is one it made itself or leaves it as it is, rather
    // than a host's new size.
    bool OwnResize(QSize size) const;

private:
    QWidget& board_;
    std::array<SquareSurface*, 65> squares_{}; // 1..64; element 0 unused
    int templateWidthTwips_ = 615;             // the template square, 41 pixels at 15 twips a pixel
    int templateHeightTwips_ = 615;
    int extentWidthTwips_ = 0;
    int extentHeightTwips_ = 0;
    bool resizing_ = false;
};

} // namespace quorrin
