#include "goods/PriceList.h"

#include "core/FieldLine.h"
#include "link/Messages.h"

PriceList::PriceList(const ServerFed& fed, const GoodsSale& sale, SpreadsheetExport& spreadsheet, QObject* parent)
    : GoodsList(
          fed, sale, spreadsheet,
          Setup{QLatin1Char('p'),
                {QStringLiteral("Артикул"), QStringLiteral("Наименование товара"), QStringLiteral("Цена")},
                &Messages::priceList,
                QStringLiteral("Прайс-лист"),
                {Price}},
          parent) {}

QStringList PriceList::item(QStringView line) {
    QStringList fields = FieldLine::fields(line, 3);
    fields[Price] = FieldLine::decimal(fields[Price]);
    return fields;
}

std::vector<QStringList> PriceList::rowsFor(const QStringList& lines) const {
    std::vector<QStringList> rows;
    for (const QString& line : lines) {
        // Only the items kept are cut whole: typing into the filter reloads the list.
        if (keeps(filterTicked(), filterText(), FieldLine::field(line, Name)))
            rows.push_back(item(line));
    }
    return rows;
}

QString PriceList::exportTitle() const {
    return QStringLiteral("ПРАЙС-ЛИСТ товаров на главном складе  на ") + stamp();
}

GoodsPick PriceList::pickOf(const QStringList& row) const {
    return GoodsPick{row[Article], QString(), row[Name], row[Price], false};
}
