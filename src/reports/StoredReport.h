#pragma once

#include <QChar>
#include <QString>
#include <QStringList>

// The report files the server's replies are stored in beside the program.
namespace StoredReport {

// The file's lines. Throws AppError, naming the file as `what`, when it cannot
// be read or has no line at all: such a file is no report.
QStringList lines(const QString& path, const QString& what);

// From the file's own name (never the folders above it, which may hold "#"):
// the text after its n-th "#" up to the next `until`, or to the end of the name;
// empty when the name has fewer "#".
QString nameField(const QString& path, int n, QChar until);

} // namespace StoredReport
