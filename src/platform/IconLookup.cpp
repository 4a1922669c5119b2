#include "platform/IconLookup.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace IconLookup {

QStringList directories(const QString& programDir, const QString& executableDir) {
    QStringList dirs{programDir + QStringLiteral("img/")};
    if (!executableDir.isEmpty())
        dirs << QDir::cleanPath(executableDir + QStringLiteral("/../share/orvanta/img")) + QLatin1Char('/');
    return dirs;
}

QString find(const QStringList& dirs, const QString& name) {
    for (const QString& dir : dirs) {
        const QString path = dir + name;
        if (QFileInfo::exists(path))
            return path;
    }
    return QString();
}

QString findIcon(const QString& programDir, const QString& name) {
    return find(directories(programDir, QCoreApplication::applicationDirPath()), name);
}

} // namespace IconLookup
