#include "ui/Oborvedom.h"

TOborVed::TOborVed(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("OborVed"));
    setWindowTitle(QStringLiteral("Оборотная ведомость движения товара"));
    resize(700, 500);
}
