#include "board/BoardAccessibility.h"

#include "board/BoardAccessible.h"
#include "board/SquareAccessible.h"
#include "board/SquareSurface.h"
#include "board/brdChessboard.h"

namespace quorrin {

namespace {

QAccessibleInterface* BoardAccessibleFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("quorrin::brdChessboard")) {
        return new BoardAccessible(static_cast<brdChessboard*>(object));
    }
    if (className == QLatin1String("quorrin::SquareSurface")) {
        return new SquareAccessible(static_cast<SquareSurface*>(object));
    }
    return nullptr;
}

} // namespace

void InstallBoardAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(BoardAccessibleFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace quorrin
