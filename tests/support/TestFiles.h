#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// Small helpers for fixtures written as raw bytes (cp1251, CR LF as given).
namespace TestFiles {
void write(const QString& path, const QByteArray& bytes);
QByteArray read(const QString& path);
// cp1251 bytes of a UTF-8 literal.
QByteArray cp(const char* utf8);
// A temporary program directory, its path with a trailing "/".
QString dirPath(const QTemporaryDir& dir);
} // namespace TestFiles
