// The board as assistive technology sees it: a table of its 64 squares in the board's view,
// named "Chess board" unless its host named it, with its rows headed by ranks and its columns by
// files. Its description is the latest announcement; its focus is the keyboard cursor's square.
#pragma once

#include "engine/Records.h"

#include <QAccessibleWidget>

#include <array>

namespace quorrin {

class brdChessboard;
class HeaderAccessible;

class BoardAccessible final : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit BoardAccessible(brdChessboard* board);
    ~BoardAccessible() override;

    // The square shown at row and column (0..7) of the board's view: a8 top-left in White's
    // view, h1 top-left in Black's; and the cell (row * 8 + column) that shows a square.
    static SquareIndex SquareAt(const brdChessboard& board, int row, int column);
    static int CellOf(const brdChessboard& board, int square);

    void* interface_cast(QAccessible::InterfaceType type) override;
    QString text(QAccessible::Text t) const override;
    int childCount() const override { return 64; }
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* focusChild() const override;

    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override;
    int selectedCellCount() const override;
    QList<QAccessibleInterface*> selectedCells() const override;
    QString columnDescription(int column) const override;
    QString rowDescription(int row) const override;
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

    // The heading of a column ("file a") or a row ("rank 8") of the board's view.
    QAccessibleInterface* ColumnHeader(int column) const;
    QAccessibleInterface* RowHeader(int row) const;

private:
    const brdChessboard& Board() const;
    QAccessibleInterface* Cell(SquareIndex square) const;

    std::array<HeaderAccessible*, 8> columnHeaders_{};
    std::array<HeaderAccessible*, 8> rowHeaders_{};
    std::array<QAccessible::Id, 16> headerIds_{};
};

} // namespace quorrin
