#pragma once

#include "goods/GoodsList.h"

class SpreadsheetExport;

// The price list of the main warehouse ("Fp"): article, name and price of every
// item, stored as "p" + terminal + ".txt".
class PriceList : public GoodsList {
    Q_OBJECT
public:
    enum Column { Article = 0, Name, Price };

    PriceList(const ServerFed& fed, const GoodsSale& sale, SpreadsheetExport& spreadsheet,
              QObject* parent = nullptr);

    // An item line cut into article, name and price, the price in the locale's
    // decimal form.
    static QStringList item(QStringView line);

protected:
    std::vector<QStringList> rowsFor(const QStringList& lines) const override;
    QString exportTitle() const override;
    GoodsPick pickOf(const QStringList& row) const override;
};
