#include "board/SquareAccessible.h"

#include "board/BoardAccessible.h"
#include "board/SpokenText.h"
#include "board/SquareSurface.h"
#include "board/brdChessboard.h"
#include "board/brdChessboard_p.h"

namespace quorrin {

SquareAccessible::SquareAccessible(SquareSurface* square)
    : QAccessibleWidget(square, QAccessible::Cell) {}

void* SquareAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TableCellInterface) {
        return static_cast<QAccessibleTableCellInterface*>(this);
    }
    return QAccessibleWidget::interface_cast(type);
}

QString SquareAccessible::text(QAccessible::Text t) const {
    if (t == QAccessible::Name) {
        return SquareSpokenName(Private().Shown(), Square(), Private().SelectedSquare());
    }
    return QAccessibleWidget::text(t);
}

QAccessible::State SquareAccessible::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    state.focusable = true;
    state.selectable = true;
    state.focused =
        widget()->parentWidget()->hasFocus() && Private().keyboard_.Square() == Square();
    state.selected = Private().SelectedSquare() == Square();
    return state;
}

bool SquareAccessible::isSelected() const {
    return Private().SelectedSquare() == Square();
}

QList<QAccessibleInterface*> SquareAccessible::columnHeaderCells() const {
    const BoardAccessible* board = Board();
    return board != nullptr ? QList<QAccessibleInterface*>{board->ColumnHeader(columnIndex())}
                            : QList<QAccessibleInterface*>{};
}

QList<QAccessibleInterface*> SquareAccessible::rowHeaderCells() const {
    const BoardAccessible* board = Board();
    return board != nullptr ? QList<QAccessibleInterface*>{board->RowHeader(rowIndex())}
                            : QList<QAccessibleInterface*>{};
}

int SquareAccessible::columnIndex() const {
    return BoardAccessible::CellOf(Private().q, Square()) % 8;
}

int SquareAccessible::rowIndex() const {
    return BoardAccessible::CellOf(Private().q, Square()) / 8;
}

SquareIndex SquareAccessible::Square() const {
    return static_cast<SquareIndex>(static_cast<const SquareSurface*>(widget())->Index());
}

const brdChessboardPrivate& SquareAccessible::Private() const {
    return brdChessboardPrivate::Of(*static_cast<const brdChessboard*>(widget()->parentWidget()));
}

const BoardAccessible* SquareAccessible::Board() const {
    return dynamic_cast<const BoardAccessible*>(parent());
}

} // namespace quorrin
