// Sizing the board and drawing its 64 squares.
#include "board/SquareSurface.h"
#include "board/brdChessboard.h"
#include "board/brdChessboard_p.h"
#include "board/platform/Platform.h"

#include <QResizeEvent>

namespace quorrin {

int brdChessboard::SquarePixels() const {
    return d_func()->grid_.SquarePixels();
}

QSize brdChessboard::sizeHint() const {
    return d_func()->grid_.BoardPixels();
}

QSize brdChessboard::minimumSizeHint() const {
    return SquareGrid::SmallestBoardPixels();
}

int brdChessboard::ExtentWidthTwips() const {
    return d_func()->grid_.ExtentWidthTwips();
}

int brdChessboard::ExtentHeightTwips() const {
    return d_func()->grid_.ExtentHeightTwips();
}

void brdChessboard::SetExtentTwips(int widthTwips, int heightTwips) {
    Q_D(brdChessboard);
    d->grid_.SetExtentTwips(widthTwips, heightTwips);
    d->UserControl_Resize();
}

void brdChessboardPrivate::UserControl_Resize() {
    grid_.FitTemplate();
    q.setSideView(props_.sideView); // reports "SideView" and lays the squares out at the new size
    grid_.ExtentFromTemplate();
    grid_.SizeBoard();
    RepaintBoard();
}

void brdChessboard::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Q_D(brdChessboard);
    if (d->grid_.OwnResize(event->size())) {
        return;
    }
    SetExtentTwips(platform::PixelsToTwipsX(event->size().width()),
                   platform::PixelsToTwipsY(event->size().height()));
}

void brdChessboardPrivate::DrawSquare(SquareIndex square, bool showHighlight) {
    if (!IsBoardSquare(square) || grid_.Surface(square) == nullptr) {
        return;
    }
    grid_.Surface(square)->Show(LookOf(square, showHighlight));
}

SquareSurface::Look brdChessboardPrivate::LookOf(SquareIndex square, bool showHighlight) const {
    const EngineState& state = Shown();
    const BoardSquare& record = state.Squares[square];

    SquareSurface::Look look;
    look.background =
        SquareSurface::RgbOf(record.IsDark ? props_.darkSquareColor : props_.lightSquareColor);
    if (props_.highlightMove && showHighlight &&
        (square == state.LastMoveFrom || square == state.LastMoveTo)) {
        look.frame = SquareSurface::RgbOf(props_.highlightMoveColor);
    }
    if (record.Occupied && record.Piece.Kind >= 0 && record.Piece.Kind < PieceTypeCount) {
        look.piece = record.Piece.Kind;
    }
    const int column = (square - 1) % 8, row = (square - 1) / 8; // a8 is column 0, row 0
    const bool whitesView = props_.sideView == 0;
    if (props_.coordinates && row == (whitesView ? 7 : 0)) {
        look.file = static_cast<char>('a' + column);
    }
    if (props_.coordinates && column == (whitesView ? 0 : 7)) {
        look.rank = static_cast<char>('8' - row);
    }
    look.hint = hints_[square];
    if (look.file != 0 || look.rank != 0 || look.hint != SquareSurface::Hint::None) {
        look.mark =
            SquareSurface::RgbOf(record.IsDark ? props_.lightSquareColor : props_.darkSquareColor);
    }
    return look;
}

void brdChessboardPrivate::ShowHints(SquareIndex from) {
    const BoardHints shown = TakeHints();
    if (props_.showLegalMoves && IsBoardSquare(from)) {
        const EngineState& state = engine_.State();
        const bool pawn = state.Squares[from].Piece.Kind == WhitePawn ||
                          state.Squares[from].Piece.Kind == BlackPawn;
        for (const Move& move : engine_.LegalMoves()) {
            if (move.From != from) {
                continue;
            }
            // A pawn moving to another file captures, en passant onto an empty square too.
            const bool capture =
                state.Squares[move.To].Occupied || (pawn && (move.To - from) % 8 != 0);
            hints_[move.To] = capture ? SquareSurface::Hint::Ring : SquareSurface::Hint::Dot;
        }
    }
    for (SquareIndex k = 1; k <= 64; ++k) {
        if (hints_[k] != shown[k]) {
            DrawSquare(k, true);
        }
    }
}

void brdChessboardPrivate::RedrawHinted(const BoardHints& hinted) {
    for (SquareIndex k = 1; k <= 64; ++k) {
        if (hinted[k] != SquareSurface::Hint::None) {
            DrawSquare(k, true);
        }
    }
}

void brdChessboardPrivate::RepaintBoard() {
    for (SquareIndex k = 1; k <= 64; ++k) {
        DrawSquare(k, true);
    }
}

} // namespace quorrin
