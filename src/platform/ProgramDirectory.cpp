#include "platform/ProgramDirectory.h"

#include "platform/AppError.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace ProgramDirectory {

QString choose(const QString& executableDir, bool executableDirWritable, const QString& dataDir) {
    if (executableDirWritable)
        return QDir(executableDir).absolutePath() + QLatin1Char('/');
    if (dataDir.isEmpty() || !QDir().mkpath(dataDir))
        throw AppError(QStringLiteral("Ошибка при создании каталога ") + dataDir);
    return QDir(dataDir).absolutePath() + QLatin1Char('/');
}

bool isInstalled(const QString& executableDir) {
    const QDir dir(executableDir);
    return dir.dirName() == QLatin1String("bin") &&
           QFileInfo(dir.filePath(QStringLiteral("../share/orvanta"))).isDir();
}

QString forThisProgram() {
    const QString executableDir = QCoreApplication::applicationDirPath();
    // isWritable asks the system (access()), so a read-only mount counts as not writable too.
    const bool writable = !isInstalled(executableDir) && QFileInfo(executableDir).isWritable();
    return choose(executableDir, writable, QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

} // namespace ProgramDirectory
