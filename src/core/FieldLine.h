#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

// The lines of the statistics, statement and goods files the server sends: CR LF
// lines of fields, each field ended by its own "#".
namespace FieldLine {

// Every "#"-ended field of the line, in order; text after the last "#" is not a field.
QStringList fields(QStringView line);

// Exactly `count` fields: the text before each next "#". Once no "#" is left,
// that field and every later one are empty; anything after the count-th "#" is
// ignored.
QStringList fields(QStringView line, int count);

// Field `index` (from 0) as fields(line, count) would cut it, without copying:
// empty when the line has no "#" left for it.
QStringView field(QStringView line, int index);

// A figure as the server writes it ("." or "," as its decimal mark) in the
// locale's form: its first "." and then its first "," become the separator.
QString decimal(const QString& figure);

} // namespace FieldLine
