#include "support/TestTls.h"

#include "support/TestFiles.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace TestTls {

namespace {

bool openssl(const QString& dir, const QStringList& arguments) {
    QProcess p;
    p.setWorkingDirectory(dir);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(QStringLiteral("openssl"), arguments);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        ADD_FAILURE() << "openssl " << arguments.join(QLatin1Char(' ')).toStdString() << ": "
                      << p.readAll().toStdString() << p.errorString().toStdString();
        return false;
    }
    return true;
}

// An authority of its own, self-signed.
bool makeAuthority(const QString& dir, const QString& name, const QString& subject) {
    return openssl(dir, {"req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1",
                         "-nodes", "-days", "2", "-subj", subject, "-keyout", name + ".key", "-out",
                         name + ".pem", "-addext", "basicConstraints=critical,CA:TRUE", "-addext",
                         "keyUsage=critical,keyCertSign,cRLSign"});
}

Files make(QTemporaryDir& dir) {
    const QString d = dir.path() + QLatin1Char('/');
    TestFiles::write(d + "server.ext", "basicConstraints=CA:FALSE\n"
                                       "keyUsage=critical,digitalSignature\n"
                                       "extendedKeyUsage=serverAuth\n"
                                       "subjectAltName=DNS:localhost,IP:127.0.0.1\n");
    const bool ok =
        makeAuthority(d, "ca", "/CN=Orvanta test authority") &&
        makeAuthority(d, "other-ca", "/CN=Another authority") &&
        openssl(d, {"req", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1", "-nodes", "-subj",
                    "/CN=localhost", "-keyout", "server.key", "-out", "server.csr"}) &&
        openssl(d, {"x509", "-req", "-in", "server.csr", "-CA", "ca.pem", "-CAkey", "ca.key", "-set_serial",
                    "2", "-days", "2", "-extfile", "server.ext", "-out", "server.pem"});
    if (!ok)
        return {};
    return {d + "ca.pem", d + "server.pem", d + "server.key", d + "other-ca.pem"};
}

} // namespace

const Files& files() {
    static QTemporaryDir dir;
    static const Files made = make(dir);
    if (made.ca.isEmpty())
        ADD_FAILURE() << "no test certificates";
    return made;
}

void writeIpIni(const QString& programDir, quint16 port, const QString& caFile, const QByteArray& more) {
    TestFiles::write(programDir + QStringLiteral("ip.ini"),
                     QByteArray("[options]\r\nip=127.0.0.1\r\nipport=") + QByteArray::number(port) +
                         "\r\ntls=1\r\ntlsca=" + caFile.toUtf8() + "\r\n" + more);
}

} // namespace TestTls
