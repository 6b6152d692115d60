// Game > Players...: the names of the two players, kept for the next game and written to the
// game's White and Black tags.
#include "GAME.h"

#include "UserSettings.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>

#include <algorithm>

namespace quorrin {

void GAME::mnuGamePlayers_Click() {
    // The names of the game on the board: those it was opened with, else those kept.
    const PlayerNames kept = SavedPlayers();
    const auto current = [this](const char* tag, const QString& otherwise) {
        const auto found = std::find_if(tags_.begin(), tags_.end(),
                                        [tag](const PgnTag& t) { return t.Name == tag; });
        return found != tags_.end() ? QString::fromStdString(found->Value) : otherwise;
    };
    QDialog dialog(this);
    dialog.setObjectName(QStringLiteral("dlgPlayers"));
    dialog.setWindowTitle(tr("Players"));
    auto* white = new QLineEdit(current("White", kept.White), &dialog);
    white->setObjectName(QStringLiteral("txtWhitePlayer"));
    auto* black = new QLineEdit(current("Black", kept.Black), &dialog);
    black->setObjectName(QStringLiteral("txtBlackPlayer"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* form = new QFormLayout(&dialog);
    form->addRow(tr("&White:"), white);
    form->addRow(tr("&Black:"), black);
    form->addRow(buttons);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    // A name left empty is the colour's.
    const auto name = [](const QLineEdit* edit, const QString& colour) {
        const QString typed = edit->text().simplified();
        return typed.isEmpty() ? colour : typed;
    };
    SavePlayers({name(white, QStringLiteral("White")), name(black, QStringLiteral("Black"))});
    // The names typed are this game's players too, whatever it was opened with.
    std::erase_if(tags_, [](const PgnTag& t) { return t.Name == "White" || t.Name == "Black"; });
}

} // namespace quorrin
