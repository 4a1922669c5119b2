#include "ui/Otmenaplat.h"

TCancelPlat::TCancelPlat(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("CancelPlat"));
    setWindowTitle(QStringLiteral("Отмена платежа"));
    resize(420, 330);
}
