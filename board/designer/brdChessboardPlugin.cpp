#include "brdChessboardPlugin.h"

#include "board/brdChessboard.h"
#include "board/platform/Platform.h"

#include <QIcon>

namespace quorrin {

namespace {

// The size a form gives a new board, as in the game window.
constexpr int DesignExtentTwips = 6135;

} // namespace

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
    return QStringLiteral(R"(<ui language="c++" displayname="brdChessboard">
 <widget class="quorrin::brdChessboard" name="brdChessboard1">
  <property name="geometry">
   <rect><x>0</x><y>0</y><width>%1</width><height>%2</height></rect>
  </property>
 </widget>
</ui>
)")
        .arg(platform::TwipsToPixelsX(DesignExtentTwips))
        .arg(platform::TwipsToPixelsY(DesignExtentTwips));
}

QWidget* brdChessboardPlugin::createWidget(QWidget* parent) {
    return new brdChessboard(parent);
}

} // namespace quorrin
