// One square as assistive technology sees it: a cell of the board's table, named by its square
// and what stands there (SquareSpokenName), focused while the keyboard cursor is on it and the
// board has the focus, selected while its piece is picked up by keyboard.
#pragma once

#include "engine/Records.h"

#include <QAccessibleWidget>

namespace quorrin {

class BoardAccessible;
class brdChessboardPrivate;
class SquareSurface;

class SquareAccessible final : public QAccessibleWidget, public QAccessibleTableCellInterface {
public:
    explicit SquareAccessible(SquareSurface* square);

    void* interface_cast(QAccessible::InterfaceType type) override;
    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;

    bool isSelected() const override;
    QList<QAccessibleInterface*> columnHeaderCells() const override;
    QList<QAccessibleInterface*> rowHeaderCells() const override;
    int columnIndex() const override;
    int rowIndex() const override;
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return parent(); }

private:
    SquareIndex Square() const;
    const brdChessboardPrivate& Private() const;
    const BoardAccessible* Board() const;
};

} // namespace quorrin
