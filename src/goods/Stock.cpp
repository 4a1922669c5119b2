#include "goods/Stock.h"

#include "core/FieldLine.h"
#include "core/Session.h"
#include "goods/GoodsSale.h"
#include "link/Messages.h"
#include "platform/FileIo.h"
#include "platform/Money.h"

Stock::Stock(const ServerFed& fed, const GoodsSale& sale, SpreadsheetExport& spreadsheet, QObject* parent)
    : GoodsList(
          fed, sale, spreadsheet,
          Setup{QLatin1Char('s'),
                {QStringLiteral("Артикул"), QStringLiteral("Счет"), QStringLiteral("Наименование товара"),
                 QStringLiteral("Кол-во"), QStringLiteral("Цена"), QStringLiteral("Сумма")},
                &Messages::stock,
                QStringLiteral("Остатки на складе"),
                {Quantity, UnitPrice, Amount}},
          parent) {}

void Stock::activate() {
    pickButtonVisible_ = sale_.pickMode();
    emit changed();
    GoodsList::activate();
}

namespace {

// A stock line cut into its row, with the two figures read once for the totals.
struct StockItem {
    QStringList row;
    Decimal quantity;
    Decimal amount;
};

StockItem cut(QStringView line) {
    // The file has five fields; the unit price goes between quantity and amount.
    QStringList fields = FieldLine::fields(line, 5);
    const QString quantity = FieldLine::decimal(fields[3]);
    const QString amount = FieldLine::decimal(fields[4]);
    StockItem item;
    item.quantity = Decimal::readOr0(quantity, Decimal::Form::Goods);
    item.amount = Decimal::readOr0(amount, Decimal::Form::Goods);
    const QString unitPrice =
        item.quantity.isZero() ? QString() : Money::format(Money::divide(item.amount, item.quantity));
    item.row = QStringList{fields[0], fields[1], fields[2], quantity, unitPrice, amount};
    return item;
}

} // namespace

QStringList Stock::item(QStringView line) {
    return cut(line).row;
}

std::optional<StockHeld> Stock::held(const QString& article, const QString& invoice) const {
    QStringList lines;
    if (!FileIo::readLines(filePath(), &lines) || lines.isEmpty())
        return std::nullopt;
    lines.removeFirst(); // the stamp
    std::vector<StockItem> ofArticle;
    std::vector<StockItem> ofInvoice;
    for (const QString& line : lines) {
        if (FieldLine::field(line, Article) != article)
            continue;
        StockItem entry = cut(line);
        if (!invoice.isEmpty() && entry.row[Invoice] == invoice)
            ofInvoice.push_back(entry);
        ofArticle.push_back(std::move(entry));
    }
    const std::vector<StockItem>& counted = ofInvoice.empty() ? ofArticle : ofInvoice;
    if (counted.empty())
        return std::nullopt;
    if (counted.size() == 1)
        return StockHeld{counted.front().quantity, counted.front().row[Quantity]};
    Money::Total total;
    for (const StockItem& entry : counted)
        total.add(entry.quantity);
    const qint64 cents = total.cents();
    // A sum of several lines is told as a whole number where it is one.
    return StockHeld{Decimal::fromCents(cents),
                     cents % 100 == 0 ? QString::number(cents / 100) : Money::format(cents)};
}

std::vector<QStringList> Stock::rowsFor(const QStringList& lines) const {
    std::vector<QStringList> rows;
    Money::Total quantity;
    Money::Total amount;
    for (const QString& line : lines) {
        // Only the items kept are cut whole: typing into the filter reloads the list.
        if (!keeps(filterTicked(), filterText(), FieldLine::field(line, Name)))
            continue;
        StockItem entry = cut(line);
        quantity.add(entry.quantity);
        amount.add(entry.amount);
        rows.push_back(std::move(entry.row));
    }
    rows.push_back({QStringLiteral(" "), QStringLiteral(" "), QStringLiteral("ИТОГО"),
                    Money::format(quantity.cents()), QString(), Money::format(amount.cents())});
    return rows;
}

QString Stock::exportTitle() const {
    return QStringLiteral("ОСТАТКИ НА СКЛАДЕ ") + session_.loginTerminal() + QStringLiteral(" на ") + stamp();
}

GoodsPick Stock::pickOf(const QStringList& row) const {
    return GoodsPick{row[Article], row[Invoice], row[Name], row[UnitPrice], true};
}
