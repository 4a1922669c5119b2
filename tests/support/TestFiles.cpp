#include "support/TestFiles.h"

#include "platform/TextCodec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace TestFiles {

void write(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        qFatal("cannot write fixture %s", qPrintable(path));
    f.write(bytes);
}

QByteArray read(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}

QByteArray cp(const char* utf8) { return TextCodec::toCp1251(QString::fromUtf8(utf8)); }

QString dirPath(const QTemporaryDir& dir) { return dir.path() + QLatin1Char('/'); }

} // namespace TestFiles
