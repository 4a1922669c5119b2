#include "ui/Price.h"

TPriceall::TPriceall(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Priceall"));
    setWindowTitle(QStringLiteral("ПРАЙС-ЛИСТ ГЛАВНОГО СКЛАДА"));
    resize(520, 480);
}
