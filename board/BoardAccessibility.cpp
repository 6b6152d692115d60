#include "board/BoardAccessibility.h"

#include "board/SquareSurface.h"
#include "board/brdChessboard.h"
#include "board/brdChessboard_p.h"
#include "engine/Squares.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QTimer>

#include <string_view>

namespace quorrin {

namespace {

const char* const ShapeNames[] = {"king", "queen", "rook", "knight", "bishop", "pawn"};

QString ShapeName(PieceType kind) {
    return QLatin1String(ShapeNames[static_cast<int>(ShapeOf(kind))]);
}

QString PieceName(const PieceState& piece) {
    return (piece.IsWhite ? QStringLiteral("white ") : QStringLiteral("black ")) +
           ShapeName(piece.Kind);
}

QString SquareName(int square) {
    return QString::fromStdString(SquareIndexToName(square));
}

QString SideName(bool bWhite) {
    return bWhite ? QStringLiteral("White") : QStringLiteral("Black");
}

const brdChessboardPrivate& PrivateOf(const QWidget* board) {
    return brdChessboardPrivate::Of(*static_cast<const brdChessboard*>(board));
}

// The square shown at row and column (0..7) of the board's view: a8 top-left in White's view,
// h1 top-left in Black's.
SquareIndex SquareAt(const brdChessboardPrivate& d, int row, int column) {
    const int cell = row * 8 + column;
    return static_cast<SquareIndex>(d.sideView_ == 0 ? cell + 1 : 64 - cell);
}

int CellOf(const brdChessboardPrivate& d, int square) {
    return d.sideView_ == 0 ? square - 1 : 64 - square;
}

// A rank ("rank 8") or file ("file a") heading a row or a column of the board's view.
class HeaderAccessible final : public QAccessibleInterface {
public:
    HeaderAccessible(brdChessboard* board, Qt::Orientation orientation, int position)
        : board_(board), orientation_(orientation), position_(position) {}

    bool isValid() const override { return board_ != nullptr; }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override {
        return board_ != nullptr ? board_->window()->windowHandle() : nullptr;
    }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(board_);
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override {
        if (t != QAccessible::Name || board_ == nullptr) {
            return {};
        }
        // The first of the row or column's squares carries the rank or the file.
        const brdChessboardPrivate& d = PrivateOf(board_);
        const bool column = orientation_ == Qt::Horizontal;
        const int square = SquareAt(d, column ? 0 : position_, column ? position_ : 0);
        const QString name = SquareName(square);
        return column ? QStringLiteral("file ") + name[0] : QStringLiteral("rank ") + name[1];
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        if (board_ == nullptr) {
            return {};
        }
        // The whole column or row of squares it heads.
        const QRect board(board_->mapToGlobal(QPoint(0, 0)), board_->size());
        const int side = board_->SquarePixels();
        return orientation_ == Qt::Horizontal
                   ? QRect(board.left() + position_ * side, board.top(), side, 8 * side)
                   : QRect(board.left(), board.top() + position_ * side, 8 * side, side);
    }
    QAccessible::Role role() const override {
        return orientation_ == Qt::Horizontal ? QAccessible::ColumnHeader : QAccessible::RowHeader;
    }
    QAccessible::State state() const override {
        QAccessible::State state;
        state.readOnly = true;
        return state;
    }

private:
    QPointer<brdChessboard> board_;
    Qt::Orientation orientation_;
    int position_;
};

// The board: a table of 8 x 8 squares in its view, named "Chess board" unless its host named
// it, whose description is the latest announcement.
class BoardAccessible final : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit BoardAccessible(brdChessboard* board) : QAccessibleWidget(board, QAccessible::Table) {
        // The headers have no object of their own: the table owns them through the cache.
        for (int i = 0; i < 8; ++i) {
            columnHeaders_[i] = new HeaderAccessible(board, Qt::Horizontal, i);
            rowHeaders_[i] = new HeaderAccessible(board, Qt::Vertical, i);
            headerIds_[2 * i] = QAccessible::registerAccessibleInterface(columnHeaders_[i]);
            headerIds_[2 * i + 1] = QAccessible::registerAccessibleInterface(rowHeaders_[i]);
        }
    }
    ~BoardAccessible() override {
        for (const QAccessible::Id id : headerIds_) {
            QAccessible::deleteAccessibleInterface(id);
        }
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TableInterface) {
            return static_cast<QAccessibleTableInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty()) {
            return QStringLiteral("Chess board");
        }
        if (t == QAccessible::Description && widget()->accessibleDescription().isEmpty()) {
            return Private().announcement_;
        }
        return QAccessibleWidget::text(t);
    }

    int childCount() const override { return 64; }
    QAccessibleInterface* child(int index) const override {
        return index >= 0 && index < 64 ? cellAt(index / 8, index % 8) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        auto* square = child != nullptr ? qobject_cast<SquareSurface*>(child->object()) : nullptr;
        return square != nullptr && square->parentWidget() == widget()
                   ? CellOf(Private(), square->Index())
                   : -1;
    }
    QAccessibleInterface* focusChild() const override {
        return widget()->hasFocus() ? Cell(Private().cursorSquare_) : nullptr;
    }

    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override {
        if (row < 0 || row > 7 || column < 0 || column > 7) {
            return nullptr;
        }
        return Cell(SquareAt(Private(), row, column));
    }
    int selectedCellCount() const override { return Private().SelectedSquare() != 0 ? 1 : 0; }
    QList<QAccessibleInterface*> selectedCells() const override {
        const SquareIndex selected = Private().SelectedSquare();
        return selected != 0 ? QList<QAccessibleInterface*>{Cell(selected)}
                             : QList<QAccessibleInterface*>{};
    }
    QString columnDescription(int column) const override {
        return column >= 0 && column < 8 ? columnHeaders_[column]->text(QAccessible::Name)
                                         : QString();
    }
    QString rowDescription(int row) const override {
        return row >= 0 && row < 8 ? rowHeaders_[row]->text(QAccessible::Name) : QString();
    }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override { return 8; }
    int rowCount() const override { return 8; }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override {}

    QAccessibleInterface* ColumnHeader(int column) const { return columnHeaders_[column]; }
    QAccessibleInterface* RowHeader(int row) const { return rowHeaders_[row]; }

private:
    const brdChessboardPrivate& Private() const { return PrivateOf(widget()); }
    QAccessibleInterface* Cell(SquareIndex square) const {
        return QAccessible::queryAccessibleInterface(Private().picSquare_[square]);
    }

    std::array<HeaderAccessible*, 8> columnHeaders_{};
    std::array<HeaderAccessible*, 8> rowHeaders_{};
    std::array<QAccessible::Id, 16> headerIds_{};
};

// One square: a cell of the board's table, named by SquareSpokenName.
class SquareAccessible final : public QAccessibleWidget, public QAccessibleTableCellInterface {
public:
    explicit SquareAccessible(SquareSurface* square)
        : QAccessibleWidget(square, QAccessible::Cell) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TableCellInterface) {
            return static_cast<QAccessibleTableCellInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) {
            return SquareSpokenName(Private().engine_.State(), Square(),
                                    Private().SelectedSquare());
        }
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.focusable = true;
        state.selectable = true;
        state.focused = widget()->parentWidget()->hasFocus() && Private().cursorSquare_ == Square();
        state.selected = Private().SelectedSquare() == Square();
        return state;
    }

    bool isSelected() const override { return Private().SelectedSquare() == Square(); }
    QList<QAccessibleInterface*> columnHeaderCells() const override {
        const BoardAccessible* board = Board();
        return board != nullptr ? QList<QAccessibleInterface*>{board->ColumnHeader(columnIndex())}
                                : QList<QAccessibleInterface*>{};
    }
    QList<QAccessibleInterface*> rowHeaderCells() const override {
        const BoardAccessible* board = Board();
        return board != nullptr ? QList<QAccessibleInterface*>{board->RowHeader(rowIndex())}
                                : QList<QAccessibleInterface*>{};
    }
    int columnIndex() const override { return CellOf(Private(), Square()) % 8; }
    int rowIndex() const override { return CellOf(Private(), Square()) / 8; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return parent(); }

private:
    SquareIndex Square() const {
        return static_cast<SquareIndex>(static_cast<const SquareSurface*>(widget())->Index());
    }
    const brdChessboardPrivate& Private() const { return PrivateOf(widget()->parentWidget()); }
    const BoardAccessible* Board() const { return dynamic_cast<const BoardAccessible*>(parent()); }
};

QAccessibleInterface* BoardAccessibleFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("quorrin::brdChessboard")) {
        return new BoardAccessible(static_cast<brdChessboard*>(object));
    }
    if (className == QLatin1String("quorrin::SquareSurface")) {
        return new SquareAccessible(static_cast<SquareSurface*>(object));
    }
    return nullptr;
}

} // namespace

void InstallBoardAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(BoardAccessibleFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

QString SquareSpokenName(const EngineState& state, SquareIndex square, SquareIndex selected) {
    const BoardSquare& record = state.Squares[square];
    QString name = SquareName(square) + QStringLiteral(", ") +
                   (record.Occupied ? PieceName(record.Piece) : QStringLiteral("empty"));
    if (square == state.LastMoveFrom || square == state.LastMoveTo) {
        name += QStringLiteral(", last move");
    }
    if (square == selected) {
        name += QStringLiteral(", selected");
    }
    return name;
}

QString MoveAnnouncement(const EngineState& state) {
    if (state.MoveHistory.empty()) {
        return {};
    }
    const MoveRecord& move = state.MoveHistory.back();
    const std::string_view san(move.San.data());
    QString text = SideName(move.WhiteMoved) + QStringLiteral(": ");
    const QString mover = ShapeName(move.MovedPiece.Kind);
    const QString from = SquareName(move.FromSquare);
    switch (move.Kind) {
    case MoveKind::CastleKingSide:
        text += QStringLiteral("castles king side");
        break;
    case MoveKind::CastleQueenSide:
        text += QStringLiteral("castles queen side");
        break;
    case MoveKind::EnPassantMove:
        // The record keeps the square of the pawn taken; the capturing pawn lands beyond it.
        text += mover + QLatin1Char(' ') + from + QStringLiteral(" takes pawn en passant on ") +
                SquareName(move.ToSquare + (move.WhiteMoved ? -8 : 8));
        break;
    case MoveKind::NormalMove:
    case MoveKind::PromotionMove:
        if (move.ToOccupied) {
            // As the notation does: the origin is named for a pawn and wherever another piece
            // of the kind could have taken too.
            const bool named = ShapeOf(move.MovedPiece.Kind) == Shape::Pawn || san.find('x') > 1;
            text += mover + (named ? QLatin1Char(' ') + from : QString()) +
                    QStringLiteral(" takes ") + ShapeName(move.CapturedPiece.Kind) +
                    QStringLiteral(" on ") + SquareName(move.ToSquare);
        } else {
            text += mover + QLatin1Char(' ') + from + QStringLiteral(" to ") +
                    SquareName(move.ToSquare);
        }
        if (move.Kind == MoveKind::PromotionMove) {
            text +=
                QStringLiteral(", becomes ") + ShapeName(state.Squares[move.ToSquare].Piece.Kind);
        }
        break;
    }

    if (move.After.Mated) {
        text += QStringLiteral(", checkmate");
    } else if (!san.empty() && san.back() == '+') {
        text += QStringLiteral(", check");
    } else if (move.After.Stalemated) {
        text += QStringLiteral(", stalemate");
    } else {
        // A draw by rule, on the move that brings it about.
        const std::uint8_t before =
            state.MoveHistory.size() >= 2
                ? state.MoveHistory[state.MoveHistory.size() - 2].After.AutomaticDraws
                : state.Start.AutomaticDraws;
        const unsigned fresh = move.After.AutomaticDraws & ~before;
        if ((fresh & (1U << static_cast<int>(DrawReason::InsufficientMaterial))) != 0) {
            text += QStringLiteral(", draw by insufficient material");
        } else if ((fresh & (1U << static_cast<int>(DrawReason::FivefoldRepetition))) != 0) {
            text += QStringLiteral(", draw by fivefold repetition");
        } else if ((fresh & (1U << static_cast<int>(DrawReason::SeventyFiveMoveRule))) != 0) {
            text += QStringLiteral(", draw by the seventy-five-move rule");
        }
    }
    return text;
}

QString UndoAnnouncement(bool bWhite) {
    return SideName(bWhite) + QStringLiteral("'s move taken back");
}

QString NewGameAnnouncement(bool bWhitesTurn) {
    return QStringLiteral("New game, ") + SideName(bWhitesTurn) + QStringLiteral(" to move");
}

QString RefusalAnnouncement(SquareIndex from, SquareIndex to) {
    return SquareName(from) + QStringLiteral(" to ") + SquareName(to) +
           QStringLiteral(" is not a legal move");
}

// The board's side: announcements and name changes reach the assistive technology as events.

void brdChessboardPrivate::Announce(const QString& text) {
    announcement_ = text;
    announcementUntold_ = true;
    RefreshSpokenNames();
}

void brdChessboardPrivate::RefreshSpokenNames() {
    // Told once the event being handled is done: a game replayed in one go is told once.
    if (!QAccessible::isActive() || tellPending_) {
        return;
    }
    tellPending_ = true;
    QTimer::singleShot(0, &q, [this] { TellChanges(); });
}

void brdChessboardPrivate::TellChanges() {
    tellPending_ = false;
    if (!QAccessible::isActive()) {
        return;
    }
    const SquareIndex selected = SelectedSquare();
    for (SquareIndex k = 1; k <= 64; ++k) {
        QString name = SquareSpokenName(engine_.State(), k, selected);
        if (name != spokenNames_[k]) {
            spokenNames_[k] = std::move(name);
            QAccessibleEvent event(picSquare_[k], QAccessible::NameChanged);
            QAccessible::updateAccessibility(&event);
        }
    }
    if (announcementUntold_) {
        announcementUntold_ = false;
        QAccessibleEvent event(&q, QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&event);
    }
}

void brdChessboardPrivate::SendCursorFocus() {
    if (q.hasFocus() && QAccessible::isActive()) {
        QAccessibleEvent event(picSquare_[cursorSquare_], QAccessible::Focus);
        QAccessible::updateAccessibility(&event);
    }
}

} // namespace quorrin
