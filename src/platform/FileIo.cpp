#include "platform/FileIo.h"

#include "platform/AppError.h"
#include "platform/TextCodec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>

namespace FileIo {

QByteArrayList splitLines(const QByteArray& bytes) {
    QByteArrayList lines;
    const char* data = bytes.constData();
    const qsizetype n = bytes.size();
    qsizetype start = 0;
    qsizetype i = 0;
    while (i < n) {
        const char c = data[i];
        if (c == '\r' || c == '\n') {
            lines.append(bytes.mid(start, i - start));
            if (c == '\r' && i + 1 < n && data[i + 1] == '\n')
                ++i;
            start = i + 1;
        }
        ++i;
    }
    if (start < n)
        lines.append(bytes.mid(start));
    return lines;
}

QStringList splitLines(const QString& text) {
    QStringList lines;
    const qsizetype n = text.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            lines.append(text.mid(start, i - start));
            if (c == QLatin1Char('\r') && i + 1 < n && text[i + 1] == QLatin1Char('\n'))
                ++i;
            start = i + 1;
        }
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
}

bool readBytes(const QString& path, QByteArray* out) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    *out = f.readAll();
    return f.error() == QFileDevice::NoError;
}

bool readLines(const QString& path, QStringList* lines) {
    QByteArray bytes;
    if (!readBytes(path, &bytes))
        return false;
    lines->clear();
    const QByteArrayList raw = splitLines(bytes);
    lines->reserve(raw.size());
    for (const QByteArray& l : raw)
        lines->append(TextCodec::fromCp1251(l));
    return true;
}

QString failureReason(QFileDevice::FileError error, int systemError) {
    // The system's number says most; Qt's own code where it has none.
    switch (systemError) {
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return QStringLiteral("нет места на диске");
    case EACCES:
    case EPERM:
        return QStringLiteral("нет доступа");
    case EROFS:
        return QStringLiteral("диск только для чтения");
    case ENOENT:
    case ENOTDIR:
        return QStringLiteral("нет такой папки");
    case EISDIR:
        return QStringLiteral("на этом месте папка");
    case EMFILE:
    case ENFILE:
        return QStringLiteral("открыто слишком много файлов");
    case EIO:
        return QStringLiteral("ошибка ввода-вывода");
    default:
        break;
    }
    switch (error) {
    case QFileDevice::ResourceError:
        return QStringLiteral("нет места на диске");
    case QFileDevice::PermissionsError:
        return QStringLiteral("нет доступа");
    case QFileDevice::OpenError:
        return QStringLiteral("файл не открывается");
    case QFileDevice::RenameError:
    case QFileDevice::CopyError:
    case QFileDevice::RemoveError:
        return QStringLiteral("старый файл не удалось заменить");
    case QFileDevice::WriteError:
        return QStringLiteral("ошибка записи");
    default:
        return QStringLiteral("ошибка файла");
    }
}

void writeBytes(const QString& path, const QByteArray& bytes, const QString& errorText) {
    QSaveFile f(path);
    errno = 0;
    bool ok = f.open(QIODevice::WriteOnly);
    if (ok)
        ok = f.write(bytes) == bytes.size();
    // commit() renames the file into place even when flushing its buffer fails
    // (a full disk), so the buffer is flushed and checked first.
    if (ok)
        ok = f.flush();
    // Read at once: cancelling or committing makes system calls of their own.
    int systemError = errno;
    QFileDevice::FileError error = f.error();
    if (ok) {
        errno = 0;
        ok = f.commit();
        systemError = errno;
        error = f.error();
    } else {
        f.cancelWriting();
    }
    if (!ok) {
        throw AppError(errorText.isEmpty() ? QStringLiteral("Не удалось записать файл %1: %2")
                                                 .arg(QDir::toNativeSeparators(path), failureReason(error, systemError))
                                           : errorText);
    }
}

void writeLines(const QString& path, const QStringList& lines, const QString& errorText) {
    QByteArray bytes;
    qsizetype total = 0;
    for (const QString& l : lines)
        total += l.size() + 2;
    bytes.reserve(total);
    for (const QString& l : lines) {
        bytes += TextCodec::toCp1251(l);
        bytes += "\r\n";
    }
    writeBytes(path, bytes, errorText);
}

bool exists(const QString& path) { return QFileInfo::exists(path); }

} // namespace FileIo
