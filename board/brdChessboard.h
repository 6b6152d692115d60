// The board component: a widget that owns one rules engine, draws its 64 squares, lets the
// side to move drag pieces with the left mouse button, and reports the game's events to its
// host as Qt signals. Its state lives in a private part (brdChessboard_p.h, not installed).
#pragma once

#include "engine/Layout.h"
#include "engine/Move.h"
#include "engine/Outcome.h"

#include <QString>
#include <QWidget>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

namespace quorrin {

class ChessEngine;
class PropertyStore;
class brdChessboardPrivate;
struct EngineState;
struct FenPosition;

class brdChessboard : public QWidget {
    Q_OBJECT
    // Colours are 32-bit values &H00BBGGRR (red in the low byte); only the low 24 bits are
    // drawn. Every write reports "PropertyChanged" and the property's own signal, also when
    // the value is unchanged.
    Q_PROPERTY(quint32 DarkSquareColor READ DarkSquareColor WRITE setDarkSquareColor NOTIFY
                   DarkSquareColorChanged)
    Q_PROPERTY(quint32 LightSquareColor READ LightSquareColor WRITE setLightSquareColor NOTIFY
                   LightSquareColorChanged)
    Q_PROPERTY(bool Locked READ Locked WRITE setLocked NOTIFY LockedChanged)
    Q_PROPERTY(qint32 SideView READ SideView WRITE setSideView NOTIFY SideViewChanged)
    Q_PROPERTY(
        bool HighlightMove READ HighlightMove WRITE setHighlightMove NOTIFY HighlightMoveChanged)
    Q_PROPERTY(quint32 HighlightMoveColor READ HighlightMoveColor WRITE setHighlightMoveColor NOTIFY
                   HighlightMoveColorChanged)
    // File letters and rank numbers inside the edge squares.
    Q_PROPERTY(bool Coordinates READ Coordinates WRITE setCoordinates NOTIFY CoordinatesChanged)
    // Marks on the squares a piece in hand may go to.
    Q_PROPERTY(bool ShowLegalMoves READ ShowLegalMoves WRITE setShowLegalMoves NOTIFY
                   ShowLegalMovesChanged)

public:
    static constexpr quint32 DefaultDarkSquareColor = 0x00808080;
    static constexpr quint32 DefaultLightSquareColor = 0x00E0E0E0;
    static constexpr bool DefaultLocked = false;
    static constexpr qint32 DefaultSideView = 0;
    static constexpr bool DefaultHighlightMove = true;
    static constexpr quint32 DefaultHighlightMoveColor = 0x00FF0000;
    static constexpr bool DefaultCoordinates = false;
    static constexpr bool DefaultShowLegalMoves = false;

    // Builds the 64 squares and sets up the start position with White to move.
    explicit brdChessboard(QWidget* parent = nullptr);
    ~brdChessboard() override;

    // 0 when White is to move, 1 when Black is.
    std::int32_t SideTurn() const;

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
    // A small file letter in each square of the bottom rank as shown and a rank digit in each
    // square of the left file, in the other square colour; they turn with SideView.
    bool Coordinates() const;
    void setCoordinates(bool value);
    // While a piece is picked up (mouse or keys): a dot on each empty square it may go to and a
    // ring on each capture, in the other square colour, gone with the drop or the put-back.
    bool ShowLegalMoves() const;
    void setShowLegalMoves(bool value);

    // First placement in a host with no saved state: default property values, and the
    // component sized to eight template squares.
    void InitProperties();
    // Loads the eight saved properties (a missing or unreadable key takes its default), then
    // lays the squares out for the loaded SideView.
    void ReadProperties(const PropertyStore& store);
    // Saves all eight properties, each even when it holds its default.
    void WriteProperties(PropertyStore& store) const;

    // Sets the component's extent in twips and runs the resize handling: the board ends
    // square, eight whole squares of at least 480 twips (32 pixels) a side.
    void SetExtentTwips(int widthTwips, int heightTwips);
    int ExtentWidthTwips() const;
    int ExtentHeightTwips() const;
    int SquarePixels() const; // side of one square in pixels

    // Eight squares of the current size; at least eight squares of 480 twips.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // Read-only view of the position, for hosts and tests.
    const EngineState& State() const;
    // The rules engine itself, read-only: legal moves, notation, FEN, outcome, move parsing
    // (include engine/ChessEngine.h to use it).
    const ChessEngine& Engine() const;

    // What the host asks before a move is taken from the mouse or the keyboard: "" lets the
    // player move, any other text refuses (a piece is then neither picked up nor put down, and
    // the text is told to a screen reader). It is asked again when a promotion piece has been
    // chosen, and a refusal then abandons the move. No gate lets every move through.
    using MoveGate = std::function<QString()>;
    void SetMoveGate(MoveGate gate);

public slots:
    // The game, as the engine offers it. A call made from a handler of one of the signals
    // below while a move is being made or taken back is refused (false / nothing done).
    bool NewGame(const QString& sLayout = QString::fromLatin1(StartLayout.data(),
                                                              StartLayout.size()),
                 bool bWhitesTurn = true);
    bool MovePiece(const QString& sFrom, const QString& sTo);
    bool UndoLastMove();
    // Makes a legal move given as a value (its promotion piece included, so PawnPromotion is
    // not raised) with the events of MovePiece; false for any other move.
    bool MakeMove(const quorrin::Move& move);
    // Sets up a position read from a FEN (ReadFen) as a new game.
    bool NewGame(const quorrin::FenPosition& position);
    // Takes over the game that source holds, with its whole history, as if it had been played
    // here, and raises GameLoaded (not the events of its moves).
    bool LoadGame(const quorrin::ChessEngine& source);
    // Makes the last move taken back again, its promotion piece included, with the events of a
    // move; false when there is none. Any other move ends what could be made again, and so does
    // a new or loaded game; the very move Redo would make leaves the rest to make.
    bool RedoMove();

    // Looking back through the game: shows the position after its first plies moves, the game
    // itself staying as it is and the board taking no moves meanwhile; nullopt, or the game's
    // length, shows the game's own position again. The squares, the last-move frame, the
    // keyboard cursor and the accessible names follow the position shown, and the accessible
    // description names its move. False, showing nothing new, for more plies than the game has.
    bool ShowPosition(std::optional<std::size_t> plies);

    // A modal message box about the component.
    void About();

public:
    bool CanRedo() const;
    // Where a pop-up for the move being made belongs, in global coordinates: beside the square
    // a move made by keys goes to, else at the mouse pointer.
    QPoint PopupPoint() const;
    // The number of moves of the position shown; nullopt while the game's own is shown.
    std::optional<std::size_t> ShownPlies() const;
    // The position shown, with the moves that led to it (the game itself while none is shown).
    const quorrin::ChessEngine& ShownGame() const;
    // The shown position's last move, numbered: "12. Nf3", "12... Nf6"; "" for the start.
    QString ShownMoveText() const;

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
    // The move just made drew the game by rule (after the events of the move, and only when it
    // neither mated nor stalemated).
    void Draw(quorrin::DrawReason eReason);
    // A whole game was taken over by LoadGame: the position and the history are new.
    void GameLoaded();
    // A move or an undo began raising its events (bBusy true) and is done (false): meanwhile
    // the board refuses every new move, undo or game.
    void BusyChanged(bool bBusy);

    // A property was written (its name, e.g. "SideView").
    void PropertyChanged(const QString& name);

    // The same writes, one signal per property with its new value.
    void DarkSquareColorChanged(quint32 value);
    void LightSquareColorChanged(quint32 value);
    void LockedChanged(bool value);
    void SideViewChanged(qint32 value);
    void HighlightMoveChanged(bool value);
    void HighlightMoveColorChanged(quint32 value);
    void CoordinatesChanged(bool value);
    void ShowLegalMovesChanged(bool value);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    // The board's keys go before the host's shortcuts; losing the activation may end a carry.
    bool event(QEvent* event) override;
    // Arrows move the keyboard cursor, Space or Enter picks up and puts down, Escape puts a
    // piece in hand back.
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    Q_DECLARE_PRIVATE(brdChessboard)
    std::unique_ptr<brdChessboardPrivate> d_ptr;
};

} // namespace quorrin
