#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// A record that only grows, beside the files it speaks of: one entry a line, its
// fields separated by tabs and closed by an end mark, cp1251, CR LF. Each entry
// is appended and flushed at once and the file never rewritten, so a crash
// loses at most the entry being written; a line a crash cut short is left out
// when the record is read, and the next entry starts on a line of its own.
namespace RecordFile {

// Tabs and line breaks inside a field become blanks. Throws AppError when the
// entry cannot be written.
void append(const QString& path, const QStringList& fields);

// The whole entries, oldest first; none when there is no file.
QList<QStringList> read(const QString& path);

} // namespace RecordFile
