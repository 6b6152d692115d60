#include "GameApplication.h"

#include <QApplication>

namespace quorrin {

void SetUpGameApplication() {
    QApplication::setApplicationName(QStringLiteral("quorrin"));
    QApplication::setApplicationVersion(QStringLiteral("1.5"));
    QApplication::setQuitOnLastWindowClosed(true);
}

} // namespace quorrin
