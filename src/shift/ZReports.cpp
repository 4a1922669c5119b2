#include "shift/ZReports.h"

#include "platform/AppError.h"
#include "platform/FileIo.h"

#include <QDir>
#include <QRegularExpression>

#include <algorithm>

namespace {

const QString kBlock = QStringLiteral("[Z]");
const QString kMoment = QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz");
const QString kDay = QStringLiteral("yyyyMMdd");

QString value(const QStringList& block, const QString& key) {
    const QString prefix = key + QLatin1Char('=');
    for (const QString& line : block)
        if (line.startsWith(prefix))
            return line.mid(prefix.size());
    return QString();
}

} // namespace

QString ZReports::fileName(int number) {
    return QStringLiteral("Z%1.txt").arg(number, 4, 10, QLatin1Char('0'));
}

QList<int> ZReports::numbers() const {
    static const QRegularExpression name(QStringLiteral("^Z(\\d{4,9})\\.txt$"));
    QList<int> out;
    for (const QString& file : QDir(dir_).entryList({QStringLiteral("Z*.txt")}, QDir::Files)) {
        const QRegularExpressionMatch m = name.match(file);
        if (m.hasMatch())
            out << m.captured(1).toInt();
    }
    std::sort(out.begin(), out.end());
    return out;
}

int ZReports::nextNumber() const {
    const QList<int> all = numbers();
    return all.isEmpty() ? 1 : all.last() + 1;
}

std::optional<ZReports::Closed> ZReports::read(int number) const {
    QStringList lines;
    const QString path = dir_ + fileName(number);
    if (!FileIo::readLines(path, &lines))
        return std::nullopt;
    const qsizetype at = lines.lastIndexOf(kBlock);
    if (at < 0)
        return std::nullopt;
    const QStringList block = lines.mid(at + 1);
    Closed z;
    z.number = value(block, QStringLiteral("number")).toInt();
    z.path = path;
    z.since = QDateTime::fromString(value(block, QStringLiteral("since")), kMoment);
    z.until = QDateTime::fromString(value(block, QStringLiteral("until")), kMoment);
    bool ok = false;
    z.drawer = value(block, QStringLiteral("drawer")).toLongLong(&ok);
    if (z.number != number || !z.until.isValid() || !ok)
        return std::nullopt;
    for (const QString& item : value(block, QStringLiteral("awaited")).split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const qsizetype sep = item.lastIndexOf(QLatin1Char('@'));
        const QDate day = QDate::fromString(item.mid(sep + 1), kDay);
        if (sep > 0 && day.isValid())
            z.awaited << PendingCancellation{item.left(sep), day};
    }
    z.lines = lines.first(at);
    const QString row = QStringLiteral("grid=");
    for (const QString& line : block)
        if (line.startsWith(row))
            z.table << line.mid(row.size());
    return z;
}

std::optional<ZReports::Closed> ZReports::last() const {
    const QList<int> all = numbers();
    for (auto it = all.crbegin(); it != all.crend(); ++it)
        if (std::optional<Closed> z = read(*it))
            return z;
    return std::nullopt;
}

ZReports::Closed ZReports::write(const QStringList& lines, const QStringList& table, const ShiftFigures& figures,
                                 qint64 drawer) const {
    Closed z;
    z.number = nextNumber();
    z.path = dir_ + fileName(z.number);
    if (FileIo::exists(z.path))
        throw AppError(QStringLiteral("Z-отчет ") + QDir::toNativeSeparators(z.path) +
                       QStringLiteral(" уже есть"));
    z.since = figures.since;
    z.until = figures.until;
    z.drawer = drawer;
    z.awaited = figures.awaited;
    z.lines = lines;
    z.table = table;
    QStringList awaited;
    for (const PendingCancellation& p : z.awaited)
        awaited << p.transactionId + QLatin1Char('@') + p.day.toString(kDay);
    QStringList file = lines;
    file << kBlock << QStringLiteral("number=%1").arg(z.number)
         << QStringLiteral("since=") + (z.since.isValid() ? z.since.toString(kMoment) : QString())
         << QStringLiteral("until=") + z.until.toString(kMoment) << QStringLiteral("drawer=%1").arg(drawer)
         << QStringLiteral("awaited=") + awaited.join(QLatin1Char(' '));
    for (const QString& row : table)
        file << QStringLiteral("grid=") + row;
    FileIo::writeLines(z.path, file,
                       QStringLiteral("Не удалось записать Z-отчет ") + QDir::toNativeSeparators(z.path));
    return z;
}
