#include "support/TestFiles.h"

#include "platform/TextCodec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTcpServer>

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

quint16 closedLoopbackPort() {
    QTcpServer server;
    if (!server.listen(QHostAddress::LocalHost, 0))
        qFatal("cannot bind a loopback port");
    const quint16 port = server.serverPort();
    server.close();
    return port;
}

void writeIpIni(const QString& programDir, quint16 port) {
    write(programDir + QStringLiteral("ip.ini"),
          QByteArray("[options]\r\nip=127.0.0.1\r\nipport=") + QByteArray::number(port) + "\r\n");
}

QString dirPath(const QTemporaryDir& dir) { return dir.path() + QLatin1Char('/'); }

} // namespace TestFiles
