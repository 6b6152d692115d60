// The board component: a widget that owns one rules engine, draws its 64 squares, lets the
// side to move drag pieces with the left mouse button, and reports the game's events to its
// host as Qt signals.
#pragma once

#include "engine/ChessEngine.h"

#include <QString>
#include <QWidget>

#include <array>
#include <cstdint>
#include <memory>

class QKeyEvent;
class QMouseEvent;
class QResizeEvent;
class QTimer;

namespace quorrin {

class PieceArtwork;
class PropertyStore;
class SquareSurface;

class brdChessboard : public QWidget, private SquareDrawer {
    Q_OBJECT
    // Colours are 32-bit values &H00BBGGRR (red in the low byte); only the low 24 bits are
    // drawn. Every write reports "PropertyChanged", also when the value is unchanged.
    Q_PROPERTY(quint32 DarkSquareColor READ DarkSquareColor WRITE setDarkSquareColor)
    Q_PROPERTY(quint32 LightSquareColor READ LightSquareColor WRITE setLightSquareColor)
    Q_PROPERTY(bool Locked READ Locked WRITE setLocked)
    Q_PROPERTY(qint32 SideView READ SideView WRITE setSideView)
    Q_PROPERTY(bool HighlightMove READ HighlightMove WRITE setHighlightMove)
    Q_PROPERTY(quint32 HighlightMoveColor READ HighlightMoveColor WRITE setHighlightMoveColor)

public:
    static constexpr quint32 DefaultDarkSquareColor = 0x00808080;
    static constexpr quint32 DefaultLightSquareColor = 0x00E0E0E0;
    static constexpr bool DefaultLocked = false;
    static constexpr qint32 DefaultSideView = 0;
    static constexpr bool DefaultHighlightMove = true;
    static constexpr quint32 DefaultHighlightMoveColor = 0x00FF0000;

    // Builds the 64 squares and sets up the start position with White to move.
    explicit brdChessboard(QWidget* parent = nullptr);
    ~brdChessboard() override;

    // The game, as the engine offers it. A call made from a handler of one of the signals
    // below while a move is being made or taken back is refused (false / nothing done).
    bool NewGame(const QString& sLayout = QString::fromLatin1(StartLayout.data(),
                                                              StartLayout.size()),
                 bool bWhitesTurn = true);
    std::int32_t SideTurn() const;
    bool MovePiece(const QString& sFrom, const QString& sTo);
    bool UndoLastMove();

    quint32 DarkSquareColor() const;
    void setDarkSquareColor(quint32 value);
    quint32 LightSquareColor() const;
    void setLightSquareColor(quint32 value);
    bool Locked() const;
    void setLocked(bool value);
    qint32 SideView() const; // 0: White's view (a8 top-left); any other value: Black's
    void setSideView(qint32 value);
    bool HighlightMove() const;
    void setHighlightMove(bool value);
    quint32 HighlightMoveColor() const;
    void setHighlightMoveColor(quint32 value);

    // First placement in a host with no saved state: default property values, and the
    // component sized to eight template squares.
    void InitProperties();
    // Loads the six saved properties (a missing or unreadable key takes its default), then
    // lays the squares out for the loaded SideView.
    void ReadProperties(const PropertyStore& store);
    // Saves all six properties, each even when it holds its default.
    void WriteProperties(PropertyStore& store) const;

    // Sets the component's extent in twips and runs the resize handling: the board ends
    // square, eight whole squares of at least 480 twips (32 pixels) a side.
    void SetExtentTwips(int widthTwips, int heightTwips);
    int ExtentWidthTwips() const;
    int ExtentHeightTwips() const;
    int SquarePixels() const; // side of one square in pixels

    // A modal message box about the component.
    void About();

    // Read-only view of the position, for hosts and tests.
    const EngineState& State() const;

signals:
    // The events of the game, in their order of declaration. Connect PawnPromotion with a
    // direct connection (the default for a receiver on the same thread): the handler writes
    // the wanted piece into eChoice before the move goes on.
    void PieceMovement(bool bWhite, const QString& sFrom, const QString& sTo);
    void PieceCapture(int ePiece);
    void KingInCheck(bool bWhite, bool bCheckmate);
    void PawnPromotion(bool bWhite, int& eChoice);
    void Stalemate();
    void MoveUndo(bool bWhite);

    // A property was written (its name, e.g. "SideView").
    void PropertyChanged(const QString& name);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    // Hears the engine's events and raises the signals above. A separate object, because the
    // engine's event functions share their names and arguments with the signals.
    class EngineEventRelay final : public BoardEvents {
    public:
        explicit EngineEventRelay(brdChessboard& board) : board_(board) {}
        void PieceMovement(bool bWhite, const std::string& sFrom, const std::string& sTo) override;
        void PieceCapture(PieceType ePiece) override;
        void KingInCheck(bool bWhite, bool bCheckmate) override;
        void PawnPromotion(bool bWhite, PieceType& eChoice) override;
        void Stalemate() override;
        void MoveUndo(bool bWhite) override;

    private:
        brdChessboard& board_;
    };

    // Redraws one square from the position: colour, last-move frame, piece.
    void DrawSquare(SquareIndex square, bool showHighlight) override;
    void RepaintBoard();
    void LayOutSquares();
    // Squares the template, writes SideView (which lays out), sizes the component to eight
    // squares and repaints; runs on every new extent.
    void UserControl_Resize();
    int SquarePixelsY() const;
    QSize BoardPixels() const; // eight squares a side, in pixels
    QSize sizeHint() const override;

    // Mouse: pick-up on a square, drop over a square, the 100 ms poll of the left button.
    void picSquare_MouseDown(int index, Qt::MouseButton button);
    void picSquare_DragDrop(int index);
    void tmrDrag_Timer();
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override; // Escape puts a carried piece back
    void changeEvent(QEvent* event) override;      // losing the activation may end a carry
    // A left-button release while a piece is carried: ends the carrying, then drops the
    // piece on the square under the pointer, if any.
    void ReleaseAt(const QPointF& globalPos);
    // This board's square surface that is the topmost widget on the screen at globalPos;
    // null over anything else, a square hidden under another window included.
    SquareSurface* SquareUnder(const QPointF& globalPos) const;
    // Ends the drag with no move: timer stopped, carrying stopped, origin drawn again.
    void EndDrag();
    // Where the button cannot be read, a window that loses the activation may never hear
    // the release, so a carry ends at once.
    void DragInterrupted();
    // Gives back the grabs and the pointer; safe to call when not carrying.
    void StopCarrying();

    friend class SquareSurface;
    friend class BoardTestAccess; // tests and benchmarks reach the private drawing and mouse

    ChessEngine engine_;
    EngineEventRelay relay_{*this};
    std::shared_ptr<const PieceArtwork> artwork_;
    std::array<SquareSurface*, 65> picSquare_{}; // 1..64; element 0 unused
    QTimer* tmrDrag_ = nullptr;
    SquareIndex DragFromSquare_ = 0;
    bool carrying_ = false;       // mouse and keyboard are grabbed, the pointer shows the piece
    bool releaseUnheard_ = false; // the last tick found the button up, the application not

    quint32 darkSquareColor_ = DefaultDarkSquareColor;
    quint32 lightSquareColor_ = DefaultLightSquareColor;
    bool locked_ = DefaultLocked;
    qint32 sideView_ = DefaultSideView;
    bool highlightMove_ = DefaultHighlightMove;
    quint32 highlightMoveColor_ = DefaultHighlightMoveColor;

    int templateWidthTwips_ = 615; // the template square, 41 pixels at 15 twips a pixel
    int templateHeightTwips_ = 615;
    int extentWidthTwips_ = 0;
    int extentHeightTwips_ = 0;
    bool resizing_ = false;
};

} // namespace quorrin
