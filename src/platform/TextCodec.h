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

// The DOS code page (cp866), in which some servers still prepare their
// ready-made text reports.
QString fromCp866(QByteArrayView bytes);
// True when the bytes read as Russian text in cp866 rather than cp1251: cp866
// keeps half its letters (А-Я, а-п) at 0x80-0xAF, where cp1251 has only rare
// signs, and cp1251 keeps the frequent р-я at 0xF0-0xFF, where cp866 has rare signs.
bool looksLikeCp866(QByteArrayView bytes);
// Writes the text's text.size() bytes at `out`, for writers that size their buffer once.
void writeCp1251(char* out, QStringView text);
// The cp1251 byte of every UTF-16 unit from 0x80 on; 0 for a character cp1251
// does not have (written as "?"). For writers that convert as they go.
const char* cp1251Bytes();
} // namespace TextCodec
