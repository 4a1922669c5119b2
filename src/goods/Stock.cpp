#include "goods/Stock.h"

#include "core/FieldLine.h"
#include "core/Session.h"
#include "goods/Fixed4.h"
#include "goods/GoodsSale.h"
#include "link/Messages.h"

Stock::Stock(const ServerFed& fed, const GoodsSale& sale, SpreadsheetExport& spreadsheet, QObject* parent)
    : GoodsList(
          fed, sale, spreadsheet,
          Setup{QLatin1Char('s'),
                {QStringLiteral("Артикул"), QStringLiteral("Счет"), QStringLiteral("Наименование товара"),
                 QStringLiteral("Кол-во"), QStringLiteral("Цена"), QStringLiteral("Сумма")},
                &Messages::stock,
                QStringLiteral("Остатки на складе")},
          parent) {}

void Stock::activate() {
    pickButtonVisible_ = sale_.pickMode();
    emit changed();
    GoodsList::activate();
}

QStringList Stock::item(QStringView line) {
    // The file has five fields; the unit price goes between quantity and amount.
    QStringList fields = FieldLine::fields(line, 5);
    const QString quantity = FieldLine::decimal(fields[3]);
    const QString amount = FieldLine::decimal(fields[4]);
    const qint64 q = Fixed4::valueOr0(quantity);
    const QString unitPrice = q == 0 ? QString() : Fixed4::quotient2(Fixed4::valueOr0(amount), q);
    return {fields[0], fields[1], fields[2], quantity, unitPrice, amount};
}

std::vector<QStringList> Stock::rowsFor(const QStringList& lines) const {
    std::vector<QStringList> rows;
    Fixed4::Total quantity;
    Fixed4::Total amount;
    for (const QString& line : lines) {
        // Only the items kept are cut whole: typing into the filter reloads the list.
        if (!keeps(filterTicked(), filterText(), FieldLine::field(line, Name)))
            continue;
        QStringList row = item(line);
        quantity.add(Fixed4::valueOr0(row[Quantity]));
        amount.add(Fixed4::valueOr0(row[Amount]));
        rows.push_back(std::move(row));
    }
    rows.push_back({QStringLiteral(" "), QStringLiteral(" "), QStringLiteral("ИТОГО"), quantity.format2(),
                    QString(), amount.format2()});
    return rows;
}

QString Stock::exportTitle() const {
    return QStringLiteral("ОСТАТКИ НА СКЛАДЕ ") + session_.loginTerminal() + QStringLiteral(" на ") + stamp();
}

GoodsPick Stock::pickOf(const QStringList& row) const {
    return GoodsPick{row[Article], row[Invoice], row[Name], row[UnitPrice], true};
}
