#pragma once

#include "goods/GoodsList.h"

#include <optional>

class SpreadsheetExport;
struct StockHeld;

// What the payment point holds ("Fs"): article, invoice, name, quantity and
// amount of every item, stored as "s" + terminal + ".txt", shown with the unit
// price and a totals row. It is also the sale window's goods chooser.
class Stock : public GoodsList {
    Q_OBJECT
public:
    enum Column { Article = 0, Invoice, Name, Quantity, UnitPrice, Amount };

    Stock(const ServerFed& fed, const GoodsSale& sale, SpreadsheetExport& spreadsheet,
          QObject* parent = nullptr);

    // Shows "К форме продаж" in goods pick mode only, then reloads.
    void activate() override;
    bool pickButtonVisible() const { return pickButtonVisible_; }

    // What the stored stock holds of an article: the lines of that invoice
    // where there are any, else every line of the article; nothing when the
    // article is not there or there is no stored stock.
    std::optional<StockHeld> held(const QString& article, const QString& invoice) const;

    // An item line as its grid row: the figures in the locale's decimal form and
    // the unit price (amount / quantity, empty for a quantity of 0).
    static QStringList item(QStringView line);

protected:
    std::vector<QStringList> rowsFor(const QStringList& lines) const override;
    QString exportTitle() const override;
    GoodsPick pickOf(const QStringList& row) const override;

private:
    bool pickButtonVisible_ = false;
};
