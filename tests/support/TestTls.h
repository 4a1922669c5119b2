#pragma once

#include <QString>

// Throw-away certificates for TLS tests, made once per test program with the
// openssl command into a temporary directory: a test authority, a server
// certificate it signed for "localhost" and 127.0.0.1 with the server's key,
// and a second authority that signed nothing the server holds.
namespace TestTls {
struct Files {
    QString ca;        // the test authority's certificate (PEM)
    QString serverPem; // signed by ca, for localhost and 127.0.0.1
    QString serverKey;
    QString otherCa; // another authority
};
// Fails the calling test (and returns empty paths) when openssl cannot make them.
const Files& files();

// ip.ini for 127.0.0.1:port with TLS on, trusting caFile, and any further
// [options] lines (CR LF ended) as given.
void writeIpIni(const QString& programDir, quint16 port, const QString& caFile, const QByteArray& more = {});
} // namespace TestTls
