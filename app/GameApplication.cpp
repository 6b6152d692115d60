#include "GameApplication.h"

#include "QuorrinVersion.h"

#include <QApplication>

namespace quorrin {

void SetUpGameApplication() {
    QApplication::setApplicationName(QStringLiteral("quorrin"));
    QApplication::setApplicationVersion(QLatin1String(Version));
    QApplication::setQuitOnLastWindowClosed(true);
}

} // namespace quorrin
