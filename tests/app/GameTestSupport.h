// Driving the game window in tests: the window's sounds, and its message boxes and pop-up menus
// (answered by a timer), all go to one log, so that their order can be checked.
#pragma once

#include "GAME.h"
#include "SoundPlayer.h"
#include "board/brdChessboard.h"
#include "tests/support/QuietOffscreen.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <functional>

namespace quorrin::test {

// A game window that is its own sound player and answers its own boxes and pop-ups.
class GameUnderTest final : public SoundPlayer {
public:
    explicit GameUnderTest(const QString& statePath = GAME::SavedStatePath)
        : Window(*this, statePath),
          Board(*Window.findChild<brdChessboard*>(QStringLiteral("brdChessboard1"))) {
        testing::QuietOffscreenPlatform();
        QObject::connect(&answerer_, &QTimer::timeout, [this] { Answer(); });
        answerer_.start(2);
    }

    bool Play(const QString& filePath) override {
        const QString name = QFileInfo(filePath).fileName();
        const bool beside = filePath == QDir(QCoreApplication::applicationDirPath()).filePath(name);
        Log.append(beside ? QStringLiteral("sound ") + name
                          : QStringLiteral("odd sound ") + filePath);
        EntriesAtSounds.append(Entries());
        if (Peek) {
            Peek();
        }
        return true;
    }

    // Shows the window and waits until it is active, as a player's pointer and keys need.
    bool Show() {
        Window.show();
        return QTest::qWaitForWindowActive(&Window);
    }

    // The window's part of that name: Find<QAction>("mnuGameNew").
    template <typename Part = QWidget> Part* Find(const QString& name) const {
        return Window.findChild<Part*>(name);
    }

    // Each step names a menu command ("mnu...") or a button ("cmd...") to use, or else is a
    // move to type and send with "Move Piece".
    void Run(const QStringList& steps) const {
        for (QString step : steps) {
            if (!step.startsWith("mnu") && !step.startsWith("cmd")) {
                Find<QLineEdit>(QStringLiteral("txtMovePiece"))->setText(step);
                step = QStringLiteral("cmdMovePiece");
            }
            if (auto* action = Find<QAction>(step)) {
                action->trigger();
            } else {
                Find<QAbstractButton>(step)->click();
            }
        }
    }

    // White's entries, a bar, then Black's entries, all joined with blanks: "e2-e4 | e7-e5".
    QString Entries() const {
        QStringList texts;
        for (const auto* list : Lists()) {
            for (int row = 0; row < list->count(); ++row) {
                texts.append(list->item(row)->text());
            }
            texts.append(QStringLiteral("|"));
        }
        texts.removeLast();
        return texts.join(QLatin1Char(' '));
    }

    QList<QListWidget*> Lists() const {
        return {Find<QListWidget>(QStringLiteral("lstWhiteMoves")),
                Find<QListWidget>(QStringLiteral("lstBlackMoves"))};
    }

    // "sound click.wav", "message Stalemate", "popup mnuWhitePawnPromotion". A sound not asked
    // for by its full path in the program's folder is logged as "odd sound <path>", a box that
    // is not plain (title "Quorrin", no icon, only OK) as "odd message <text> (<title>, icon
    // <icon>)".
    QStringList Log;
    // Entries() as each sound was asked for.
    QStringList EntriesAtSounds;
    // The caption to choose in a pop-up menu; without one, or with "", it is dismissed.
    std::function<QString(QMenu&)> PopupAnswer;
    // What a file dialog chooses, an input box takes and a list of games picks (its row; -1
    // cancels it), logged as "file dialog", "input box" and "game list" (with the list's rows).
    QString FileAnswer;
    QString TextAnswer;
    int PickAnswer = 0;
    // Runs at each sound and before each pop-up, box or dialog is answered.
    std::function<void()> Peek;
    GAME Window;
    brdChessboard& Board;

private:
    void Answer() {
        if (Peek && (QApplication::activePopupWidget() || QApplication::activeModalWidget())) {
            Peek();
        }
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            Log.append(QStringLiteral("popup ") + menu->objectName());
            const QString caption = PopupAnswer ? PopupAnswer(*menu) : QString();
            for (QAction* action : menu->actions()) {
                if (!caption.isEmpty() && action->text() == caption) {
                    menu->setActiveAction(action);
                    QTest::keyClick(menu, Qt::Key_Return);
                    return;
                }
            }
            QTest::keyClick(menu, Qt::Key_Escape);
        } else if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            const bool plain = box->windowTitle() == QStringLiteral("Quorrin") &&
                               box->icon() == QMessageBox::NoIcon && box->buttons().size() == 1;
            Log.append(plain ? QStringLiteral("message ") + box->text()
                             : QStringLiteral("odd message %1 (%2, icon %3)")
                                   .arg(box->text(), box->windowTitle())
                                   .arg(box->icon()));
            box->button(QMessageBox::Ok)->click();
        } else if (auto* files = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
            Log.append(QStringLiteral("file dialog"));
            // Typed in full, and taken whatever the dialog thinks of it.
            files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(FileAnswer);
            files->QDialog::done(QDialog::Accepted);
        } else if (auto* input = qobject_cast<QInputDialog*>(QApplication::activeModalWidget())) {
            Log.append(QStringLiteral("input box"));
            input->setTextValue(TextAnswer);
            input->accept();
        } else if (auto* pick = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            auto* games = pick->findChild<QListWidget*>(QStringLiteral("lstGames"));
            Log.append(QStringLiteral("game list of %1").arg(games->count()));
            if (PickAnswer < 0) {
                pick->reject();
            } else {
                games->setCurrentRow(PickAnswer);
                pick->accept();
            }
        }
    }

    QTimer answerer_;
};

// The top-level windows of that name.
inline QWidgetList TopLevels(const QString& name) {
    QWidgetList windows = QApplication::topLevelWidgets();
    windows.removeIf([&name](const QWidget* window) { return window->objectName() != name; });
    return windows;
}

} // namespace quorrin::test
