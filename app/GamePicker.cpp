#include "GamePicker.h"
#include "StdText.h"

#include "ReadErrorText.h"
#include "engine/Pgn.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QTimer>
#include <QVBoxLayout>

namespace quorrin {

PgnGamesModel::PgnGamesModel(const std::string& text, const std::vector<PgnEntry>& entries,
                             QObject* parent)
    : QAbstractListModel(parent), text_(text), entries_(entries), checked_(entries.size(), 0) {}

int PgnGamesModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(entries_.size());
}

void PgnGamesModel::Check(int row) const {
    const auto at = static_cast<std::size_t>(row);
    if (checked_[at] != 0) {
        return;
    }
    checked_[at] = 1;
    const std::size_t end = at + 1 < entries_.size() ? entries_[at + 1].Offset : text_.size();
    std::optional<ReadError> why;
    if (entries_[at].Damaged) {
        why = ReadPgnEntry(text_, entries_[at], PgnReader::Keep::Summary).Error();
    } else if (end - entries_[at].Offset <= CheckedGameBytes) {
        const ReadResult<PgnGame> game = ReadPgnEntry(text_, entries_[at]);
        ChessEngine played;
        why = game ? PlayPgnGame(*game, played) : game.Error();
    }
    if (why) {
        checked_[at] = 2;
        damage_.insert(row, ReadErrorText(*why));
    }
}

std::optional<QString> PgnGamesModel::Damage(int row) const {
    Check(row);
    const auto found = damage_.constFind(row);
    return found == damage_.cend() ? std::nullopt : std::optional<QString>(*found);
}

QVariant PgnGamesModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != FilterRole)) {
        return {};
    }
    const int row = index.row();
    const bool damaged = role == FilterRole ? entries_[static_cast<std::size_t>(row)].Damaged == 1
                                            : Damage(row).has_value();
    if (damaged) {
        return QCoreApplication::translate("quorrin::GAME", "Game %1 cannot be read: %2")
            .arg(row + 1)
            .arg(role == FilterRole ? QString() : *Damage(row));
    }
    const ReadResult<PgnGame> game =
        ReadPgnEntry(text_, entries_[static_cast<std::size_t>(row)], PgnReader::Keep::Summary);
    const PgnSummary about = Summarize(*game);
    return QStringLiteral("%1 - %2   %3   %4   %5")
        .arg(Text(about.White), Text(about.Black), Text(about.Result), Text(about.Date),
             Text(about.FirstMoves));
}

Qt::ItemFlags PgnGamesModel::flags(const QModelIndex& index) const {
    if (!index.isValid() || Damage(index.row())) {
        return Qt::NoItemFlags;
    }
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

std::optional<std::size_t> PickFromList(QWidget* parent, const char* name, const QString& title,
                                        QAbstractItemModel* model, int width) {
    QDialog dialog(parent);
    dialog.setObjectName(QLatin1String(name));
    dialog.setWindowTitle(title);
    auto* filter = new QLineEdit(&dialog);
    filter->setObjectName(QStringLiteral("txtFilter"));
    filter->setPlaceholderText(QCoreApplication::translate("quorrin::GAME", "Filter"));
    filter->setClearButtonEnabled(true);
    // The filter's model maps every row (8 bytes a row): it stands between the list and model
    // only while a filter is typed.
    auto* filtered = new QSortFilterProxyModel(&dialog);
    filtered->setFilterCaseSensitivity(Qt::CaseInsensitive);
    if (dynamic_cast<PgnGamesModel*>(model) != nullptr) {
        filtered->setFilterRole(PgnGamesModel::FilterRole);
    }
    auto* games = new QListView(&dialog);
    games->setObjectName(QStringLiteral("lstGames"));
    // Rows of one height: only the rows in sight are made.
    games->setUniformItemSizes(true);
    games->setEditTriggers(QAbstractItemView::NoEditTriggers);
    games->setModel(model);
    games->setMinimumWidth(width);
    auto* buttons =
        new QDialogButtonBox(QDialogButtonBox::Open | QDialogButtonBox::Cancel, &dialog);
    QPushButton* open = buttons->button(QDialogButtonBox::Open);
    const auto chosen = [games] {
        const QModelIndex current = games->currentIndex();
        return current.isValid() && (current.flags() & Qt::ItemIsEnabled) ? current : QModelIndex();
    };
    const auto update = [open, chosen] { open->setEnabled(chosen().isValid()); };
    const auto selectFirst = [games, update] {
        // The first row that can be chosen, looked for among the first screenfuls only.
        const QAbstractItemModel* shown = games->model();
        for (int row = 0; row < std::min(shown->rowCount(), 1000); ++row) {
            if (shown->index(row, 0).flags() & Qt::ItemIsEnabled) {
                games->setCurrentIndex(shown->index(row, 0));
                break;
            }
        }
        update();
    };
    // Filtering reads every game: it waits until the typing stops.
    auto* typing = new QTimer(&dialog);
    typing->setSingleShot(true);
    typing->setInterval(300);
    QObject::connect(filter, &QLineEdit::textChanged, typing, qOverload<>(&QTimer::start));
    const auto follow = [games, &dialog, update] {
        QObject::connect(games->selectionModel(), &QItemSelectionModel::currentChanged, &dialog,
                         update);
    };
    QObject::connect(
        typing, &QTimer::timeout, &dialog, [games, model, filtered, filter, selectFirst, follow] {
            const bool filtering = !filter->text().isEmpty();
            filtered->setSourceModel(filtering ? model : nullptr);
            filtered->setFilterFixedString(filter->text());
            games->setModel(filtering ? static_cast<QAbstractItemModel*>(filtered) : model);
            follow();
            selectFirst();
        });
    follow();
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(games, &QListView::activated, &dialog, [&dialog, chosen] {
        if (chosen().isValid()) {
            dialog.accept();
        }
    });
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(filter);
    layout->addWidget(games);
    layout->addWidget(buttons);
    selectFirst();
    games->setFocus(); // Return opens the row marked, arrows move the mark
    if (dialog.exec() != QDialog::Accepted || !chosen().isValid()) {
        return std::nullopt;
    }
    const QModelIndex row = chosen();
    return static_cast<std::size_t>(
        (row.model() == filtered ? filtered->mapToSource(row) : row).row());
}

} // namespace quorrin
