#include "board/BoardAccessible.h"

#include "board/SquareSurface.h"
#include "board/brdChessboard.h"
#include "board/brdChessboard_p.h"
#include "engine/Squares.h"

#include <QCoreApplication>
#include <QPointer>

namespace quorrin {

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
        const bool column = orientation_ == Qt::Horizontal;
        const int square =
            BoardAccessible::SquareAt(*board_, column ? 0 : position_, column ? position_ : 0);
        const QString name = QString::fromStdString(SquareIndexToName(square));
        // The file's letter and the rank's digit stay as they are: squares keep their names.
        return column
                   ? QCoreApplication::translate("quorrin::BoardAccessible", "file %1").arg(name[0])
                   : QCoreApplication::translate("quorrin::BoardAccessible", "rank %1")
                         .arg(name[1]);
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

BoardAccessible::BoardAccessible(brdChessboard* board)
    : QAccessibleWidget(board, QAccessible::Table) {
    // The headers have no object of their own: the table owns them through the cache.
    for (int i = 0; i < 8; ++i) {
        columnHeaders_[i] = new HeaderAccessible(board, Qt::Horizontal, i);
        rowHeaders_[i] = new HeaderAccessible(board, Qt::Vertical, i);
        headerIds_[2 * i] = QAccessible::registerAccessibleInterface(columnHeaders_[i]);
        headerIds_[2 * i + 1] = QAccessible::registerAccessibleInterface(rowHeaders_[i]);
    }
}

BoardAccessible::~BoardAccessible() {
    for (const QAccessible::Id id : headerIds_) {
        QAccessible::deleteAccessibleInterface(id);
    }
}

SquareIndex BoardAccessible::SquareAt(const brdChessboard& board, int row, int column) {
    const int cell = row * 8 + column;
    return static_cast<SquareIndex>(board.SideView() == 0 ? cell + 1 : 64 - cell);
}

int BoardAccessible::CellOf(const brdChessboard& board, int square) {
    return board.SideView() == 0 ? square - 1 : 64 - square;
}

void* BoardAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TableInterface) {
        return static_cast<QAccessibleTableInterface*>(this);
    }
    return QAccessibleWidget::interface_cast(type);
}

QString BoardAccessible::text(QAccessible::Text t) const {
    if (t == QAccessible::Name && widget()->accessibleName().isEmpty()) {
        return QCoreApplication::translate("quorrin::BoardAccessible", "Chess board");
    }
    if (t == QAccessible::Description && widget()->accessibleDescription().isEmpty()) {
        return brdChessboardPrivate::Of(Board()).announcer_.Announcement();
    }
    return QAccessibleWidget::text(t);
}

QAccessibleInterface* BoardAccessible::child(int index) const {
    return index >= 0 && index < 64 ? cellAt(index / 8, index % 8) : nullptr;
}

int BoardAccessible::indexOfChild(const QAccessibleInterface* child) const {
    auto* square = child != nullptr ? qobject_cast<SquareSurface*>(child->object()) : nullptr;
    return square != nullptr && square->parentWidget() == widget()
               ? CellOf(Board(), square->Index())
               : -1;
}

QAccessibleInterface* BoardAccessible::focusChild() const {
    return widget()->hasFocus() ? Cell(brdChessboardPrivate::Of(Board()).keyboard_.Square())
                                : nullptr;
}

QAccessibleInterface* BoardAccessible::cellAt(int row, int column) const {
    if (row < 0 || row > 7 || column < 0 || column > 7) {
        return nullptr;
    }
    return Cell(SquareAt(Board(), row, column));
}

int BoardAccessible::selectedCellCount() const {
    return brdChessboardPrivate::Of(Board()).SelectedSquare() != 0 ? 1 : 0;
}

QList<QAccessibleInterface*> BoardAccessible::selectedCells() const {
    const SquareIndex selected = brdChessboardPrivate::Of(Board()).SelectedSquare();
    return selected != 0 ? QList<QAccessibleInterface*>{Cell(selected)}
                         : QList<QAccessibleInterface*>{};
}

QString BoardAccessible::columnDescription(int column) const {
    return column >= 0 && column < 8 ? columnHeaders_[column]->text(QAccessible::Name) : QString();
}

QString BoardAccessible::rowDescription(int row) const {
    return row >= 0 && row < 8 ? rowHeaders_[row]->text(QAccessible::Name) : QString();
}

QAccessibleInterface* BoardAccessible::ColumnHeader(int column) const {
    return columnHeaders_[column];
}

QAccessibleInterface* BoardAccessible::RowHeader(int row) const {
    return rowHeaders_[row];
}

const brdChessboard& BoardAccessible::Board() const {
    return *static_cast<const brdChessboard*>(widget());
}

QAccessibleInterface* BoardAccessible::Cell(SquareIndex square) const {
    return QAccessible::queryAccessibleInterface(
        brdChessboardPrivate::Of(Board()).grid_.Surface(square));
}

} // namespace quorrin
