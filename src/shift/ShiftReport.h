#pragma once

#include "reports/SpreadsheetExport.h"
#include "shift/ShiftFigures.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The X and Z reports of a shift: one list of items, printed as lines of text
// (short enough for a receipt roll) and exported as a table whose counts and
// sums are numbers.
namespace ShiftReport {

enum class Kind { X, Z };

// What the cashier adds to the figures at the close.
struct Closing {
    std::optional<qint64> counted; // the cash counted in the drawer
    QString note;                  // why the count differs
    QString agreement;             // "Сервер: ..."
};

struct Item {
    QString caption;
    int count = -1; // -1: none
    std::optional<qint64> cents;
    QString text; // a value that is a text
    int indent = 0;
    bool attention = false; // money not yet with the server, a shortage
};

QList<Item> items(Kind kind, int number, const QString& terminal, const ShiftFigures& figures,
                  const Closing& closing);

// "Принято: 300,00", "Платежей: 3", "Отмены: 1 на 98,00", a heading alone.
QString line(const Item& item);
QStringList lines(const QList<Item>& items);

// The table: "Показатель", "Количество", "Сумма", "Значение", an item a row,
// each cell followed by "##".
constexpr int TableColumns = 4;
QStringList tableLines(const QList<Item>& items);
// Its count and sum columns.
NumberCells tableNumbers();

// The expected cash less the counted: below 0 short, above 0 over.
qint64 difference(const ShiftFigures& figures, qint64 counted);

} // namespace ShiftReport
