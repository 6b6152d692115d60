// One square of the board: a child widget that keeps its own picture, composed by the board's
// DrawSquare and blitted when Qt paints, and that reports mouse presses and releases to the
// board. Moving the widget keeps the picture, so turning the board needs no redraw.
#pragma once

#include <QImage>
#include <QWidget>

#include <memory>
#include <optional>

namespace quorrin {

class PieceArtwork;

class SquareSurface : public QWidget {
    Q_OBJECT

public:
    // A mark for a square a piece in hand may go to: a dot on an empty square, a ring on a
    // capture.
    enum class Hint : unsigned char { None, Dot, Ring };

    // What a square shows: its colour, perhaps a one-pixel frame, perhaps a piece (its
    // PieceType), perhaps a file letter (bottom right) and a rank digit (top left) and a hint,
    // drawn in the mark colour. Colours are opaque QRgb values.
    struct Look {
        QRgb background = 0;
        std::optional<QRgb> frame;
        std::optional<int> piece;
        char file = 0; // 'a'..'h', or 0 for none
        char rank = 0; // '1'..'8', or 0 for none
        Hint hint = Hint::None;
        QRgb mark = 0;

        friend bool operator==(const Look&, const Look&) = default;
    };

    // The side of a picture in device pixels is at most this: a square larger than that at the
    // screen's device pixel ratio is composed at a lower ratio and enlarged by Qt when painted,
    // so that 64 pictures never take more than 256 MB.
    static constexpr int LargestPicturePixels = 1024;

    // Square surface index (1..64) of board, named "picSquare<index>", drawn with artwork.
    SquareSurface(int index, std::shared_ptr<const PieceArtwork> artwork, QWidget* board);

    // A colour &H00BBGGRR (red in the low byte) as an opaque QRgb; bits above 24 are ignored.
    static QRgb RgbOf(quint32 colour) {
        return qRgb(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                    static_cast<int>((colour >> 16) & 0xFF));
    }

    int Index() const { return index_; }
    // The picture, Format_RGB32, in device pixels: the square's size times the device pixel
    // ratio it is shown at (rounded up), which is also the picture's devicePixelRatio; at most
    // LargestPicturePixels a side.
    const QImage& Image() const { return image_; }

    // Moves the surface to rect (logical pixels in the board). A new size or device pixel
    // ratio gives a fresh picture that shows nothing until the next Show.
    void Place(const QRect& rect);

    // Composes the look onto the picture in device pixels: background, frame on the outermost
    // logical pixel (ratio device pixels, rounded), the hint (a dot of radius a sixth of the
    // side, or a ring from 0.40 to 0.47 of the side from the centre, pixels whose centres lie
    // inside), the file letter and rank digit in a font sized to the device pixels, then the
    // piece's cell of the AND layer
    // ANDed and of the OR layer ORed in at the ratio's density, centred (an odd margin puts the
    // extra pixel right and below; a square smaller than a cell cuts the piece). Does nothing
    // when the picture already shows exactly this look.
    void Show(const Look& look);

signals:
    // A mouse button went down on the square.
    void MouseDown(int index, Qt::MouseButton button);
    // A button came up after a press on the square; globalPos is where, on the screen.
    void MouseUp(int index, Qt::MouseButton button, const QPointF& globalPos);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // Sets the pixels of a dot or ring hint, centred, to colour.
    static void DrawHint(QImage& pixels, Hint hint, QRgb colour);
    // A fresh picture for the current size and device pixel ratio; true when it is new.
    bool Reallocate();

    int index_;
    std::shared_ptr<const PieceArtwork> artwork_;
    QImage image_;
    std::optional<Look> shown_; // what the picture shows; none for a fresh picture
};

} // namespace quorrin
