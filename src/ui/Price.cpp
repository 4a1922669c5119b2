#include "ui/Price.h"

#include "goods/PriceList.h"

TPriceall::TPriceall(PriceList& list, Dialogs& dialogs, QWidget* parent)
    : GoodsWindow(list, dialogs, "Priceall", QStringLiteral("ПРАЙС-ЛИСТ ГЛАВНОГО СКЛАДА"), {60, 260, 120},
                  PriceList::Name, parent) {
    resize(560, 520);
}
