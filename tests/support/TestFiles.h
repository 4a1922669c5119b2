#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include "support/QtPrinters.h"

// Small helpers for fixtures written as raw bytes (cp1251, CR LF as given).
namespace TestFiles {
void write(const QString& path, const QByteArray& bytes);
QByteArray read(const QString& path);
// cp1251 bytes of a UTF-8 literal.
QByteArray cp(const char* utf8);
// A loopback port nothing listens on (bound once, then released).
quint16 closedLoopbackPort();
// Writes ip.ini pointing at 127.0.0.1 and the given port.
void writeIpIni(const QString& programDir, quint16 port);
// A temporary program directory, its path with a trailing "/".
QString dirPath(const QTemporaryDir& dir);
} // namespace TestFiles
