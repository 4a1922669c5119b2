#include "ui/Anketa.h"

TProdaja::TProdaja(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Prodaja"));
    setWindowTitle(QStringLiteral("Продажа товара"));
    resize(640, 520);
}
