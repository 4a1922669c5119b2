#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// All text on the wire and on disk is single-byte cp1251; inside the program it is QString.
namespace TextCodec {
QString fromCp1251(QByteArrayView bytes);
// Appends the decoded bytes to `out` (one allocation for a prefix and a payload).
void appendCp1251(QString& out, QByteArrayView bytes);
QByteArray toCp1251(QStringView text);
} // namespace TextCodec
