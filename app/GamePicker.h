// The list to pick one game from: a file's or a pasted text's games, or the recent games. The
// rows are made when they are shown, so that a list of a million games opens at once; a filter
// box narrows it; a row that cannot be chosen (a damaged game) is listed with why, greyed.
#pragma once

#include "engine/PgnListing.h"

#include <QAbstractListModel>
#include <QHash>
#include <QString>
#include <QStringList>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

class QWidget;

namespace quorrin {

// The games of a text as rows "White - Black   Result   Date   first moves", or "Game N cannot
// be read: why" for one that cannot be read or whose moves cannot be played. Each game is read
// again (tags and first moves) when its row is shown, and checked by playing it when its text is
// not over CheckedGameBytes; a longer one is checked when it is chosen.
class PgnGamesModel final : public QAbstractListModel {
public:
    static constexpr std::size_t CheckedGameBytes = std::size_t{1} << 20;
    // The row as shown, without playing the game: what the filter box looks through, so that
    // filtering a long list reads each game's tags and first moves only.
    static constexpr int FilterRole = Qt::UserRole;

    // text and entries must outlive the model.
    PgnGamesModel(const std::string& text, const std::vector<PgnEntry>& entries,
                  QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Why the game of row cannot be opened, read or played, when it has been found so.
    std::optional<QString> Damage(int row) const;

private:
    // Reads the row's game and, when short enough, plays it, once.
    void Check(int row) const;

    const std::string& text_;
    const std::vector<PgnEntry>& entries_;
    // Per row: 0 not yet checked, 1 can be chosen, 2 cannot.
    mutable std::vector<unsigned char> checked_;
    mutable QHash<int, QString> damage_;
};

// Shows model's rows in a dialog of that name and title with a filter box, and returns the row
// of model chosen; nullopt when cancelled. Rows without Qt::ItemIsEnabled cannot be chosen.
std::optional<std::size_t> PickFromList(QWidget* parent, const char* name, const QString& title,
                                        QAbstractItemModel* model, int width);

} // namespace quorrin
