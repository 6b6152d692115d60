#include "brdChessboardPlugin.h"

#include "board/brdChessboard.h"

#include <QIcon>

namespace quorrin {

brdChessboardPlugin::brdChessboardPlugin(QObject* parent) : QObject(parent) {}

QString brdChessboardPlugin::name() const {
    return QStringLiteral("quorrin::brdChessboard");
}

QString brdChessboardPlugin::group() const {
    return QStringLiteral("Quorrin");
}

QIcon brdChessboardPlugin::icon() const {
    return QIcon(QStringLiteral(":/designer/brdChessboard.png"));
}

QString brdChessboardPlugin::toolTip() const {
    return QStringLiteral("Chess board for two players");
}

QString brdChessboardPlugin::whatsThis() const {
    return QStringLiteral("A chess board that checks every move against the rules and reports "
                          "moves, captures, check, promotion, stalemate and undo as signals.");
}

QString brdChessboardPlugin::includeFile() const {
    return QStringLiteral("board/brdChessboard.h");
}

bool brdChessboardPlugin::isContainer() const {
    return false;
}

QString brdChessboardPlugin::domXml() const {
    // No geometry: a new board keeps the size its first placement gives it.
    return QStringLiteral(R"(<ui language="c++" displayname="brdChessboard">
 <widget class="quorrin::brdChessboard" name="brdChessboard1"/>
</ui>
)");
}

QWidget* brdChessboardPlugin::createWidget(QWidget* parent) {
    // Every board Designer makes is first placed new: default properties and eight template
    // squares. A board of a saved form then gets its saved properties and geometry, which
    // Designer sets after this.
    auto* board = new brdChessboard(parent);
    board->InitProperties();
    return board;
}

} // namespace quorrin
