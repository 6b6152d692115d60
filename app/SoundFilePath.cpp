#include "SoundPlayer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace quorrin {

QString SoundFilePath(const QString& fileName) {
    const QDir programFolder(QCoreApplication::applicationDirPath());
    const QString besideProgram = programFolder.filePath(fileName);
    if (!QFileInfo(besideProgram).isFile()) {
        const QString installed =
            QDir::cleanPath(programFolder.filePath(QStringLiteral("../share/quorrin/") + fileName));
        if (QFileInfo(installed).isFile()) {
            return QDir::toNativeSeparators(installed);
        }
    }
    return QDir::toNativeSeparators(besideProgram);
}

} // namespace quorrin
