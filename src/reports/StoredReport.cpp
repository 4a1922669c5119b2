#include "reports/StoredReport.h"

#include "platform/AppError.h"
#include "platform/FileIo.h"

#include <QFileInfo>

namespace StoredReport {

QStringList lines(const QString& path, const QString& what) {
    const QString name = QFileInfo(path).fileName();
    QStringList out;
    if (!FileIo::readLines(path, &out))
        throw AppError(QStringLiteral("Не удалось прочитать %1 %2").arg(what, name));
    if (out.isEmpty())
        throw AppError(QStringLiteral("Пустой файл: %1 %2").arg(what, name));
    return out;
}

QString nameField(const QString& path, int n, QChar until) {
    const QString name = QFileInfo(path).fileName();
    qsizetype from = 0;
    for (int i = 0; i < n; ++i) {
        const qsizetype hash = name.indexOf(QLatin1Char('#'), from);
        if (hash < 0)
            return QString();
        from = hash + 1;
    }
    const qsizetype end = name.indexOf(until, from);
    return name.mid(from, end < 0 ? -1 : end - from);
}

} // namespace StoredReport
