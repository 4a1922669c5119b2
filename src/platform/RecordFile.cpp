#include "platform/RecordFile.h"

#include "platform/AppError.h"
#include "platform/FileIo.h"
#include "platform/TextCodec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>

namespace RecordFile {

namespace {

// Closes every entry (a tab and the record separator, which no field holds): a
// line without it was cut short by a crash.
const QByteArray kEnd = QByteArrayLiteral("\t\x1e");

QByteArray encode(const QStringList& fields) {
    QByteArray line;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        QString f = fields[i];
        for (QChar& c : f) {
            if (c == QLatin1Char('\t') || c == QLatin1Char('\r') || c == QLatin1Char('\n') || c.unicode() == 0x1e)
                c = QLatin1Char(' ');
        }
        if (i > 0)
            line += '\t';
        line += TextCodec::toCp1251(f);
    }
    return line + kEnd + "\r\n";
}

} // namespace

void append(const QString& path, const QStringList& fields) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    errno = 0;
    const auto fail = [&path, &f] {
        const int systemError = errno;
        throw AppError(QStringLiteral("Не удалось дописать запись %1: %2")
                           .arg(QDir::toNativeSeparators(path), FileIo::failureReason(f.error(), systemError)));
    };
    if (!f.open(QIODevice::ReadWrite | QIODevice::Append))
        fail();
    QByteArray bytes = encode(fields);
    // After a crash the last line may lack its end: the new entry starts afresh.
    if (f.size() > 0) {
        f.seek(f.size() - 1);
        char last = 0;
        if (f.getChar(&last) && last != '\n')
            bytes.prepend("\r\n");
        f.seek(f.size());
    }
    if (f.write(bytes) != bytes.size() || !f.flush())
        fail();
}

QList<QStringList> read(const QString& path) {
    QList<QStringList> entries;
    QByteArray bytes;
    if (!FileIo::readBytes(path, &bytes))
        return entries;
    for (const QByteArray& line : FileIo::splitLines(bytes)) {
        if (!line.endsWith(kEnd))
            continue;
        entries << TextCodec::fromCp1251(line.chopped(kEnd.size())).split(QLatin1Char('\t'));
    }
    return entries;
}

} // namespace RecordFile
