// The game window in German: each menu's accelerator letters (&) are its own, so that Alt and
// a letter reach one item.
#include "GAME.h"
#include "SoundPlayer.h"
#include "tests/support/QuietOffscreen.h"

#include <QtTest>
#include <QtWidgets>

using namespace quorrin;

class GermanWindowTest final : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        testing::QuietOffscreenPlatform();
        qputenv("XDG_CONFIG_HOME", folder_.filePath("config").toUtf8());
        qputenv("XDG_DATA_HOME", folder_.filePath("data").toUtf8());
        QVERIFY(german_.load(QStringLiteral(":/i18n/quorrin_de")));
        QCoreApplication::installTranslator(&german_);
    }

    void acceleratorsDoNotClash() {
        SilentSoundPlayer sounds;
        GAME window(sounds);
        // Every menu, and the menu bar's shown menus: each item with a letter of its own.
        QList<QPair<QString, QList<QAction*>>> menus = {{"menu bar", {}}};
        for (QAction* action : window.menuBar()->actions()) {
            if (action->isVisible()) {
                menus[0].second.append(action);
            }
        }
        for (const QMenu* menu : window.findChildren<QMenu*>()) {
            menus.append({menu->title(), menu->actions()});
        }
        QVERIFY(menus.size() > 8);
        for (const auto& [title, actions] : menus) {
            QMap<QChar, QString> taken;
            for (const QAction* action : actions) {
                const QString text = action->text();
                const qsizetype key = text.indexOf(QLatin1Char('&')) + 1;
                if (action->isSeparator()) {
                    continue;
                }
                QVERIFY2(key > 0 && key < text.size(), qPrintable(title + ": no & in " + text));
                const QChar letter = text.at(key).toLower();
                QVERIFY2(!taken.contains(letter),
                         qPrintable(title + ": " + text + " and " + taken.value(letter)));
                taken.insert(letter, text);
            }
        }
    }

private:
    QTemporaryDir folder_;
    QTranslator german_;
};

QTEST_MAIN(GermanWindowTest)
#include "GermanWindowTest.moc"
