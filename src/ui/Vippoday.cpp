#include "ui/Vippoday.h"

TVipDay::TVipDay(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("VipDay"));
    setWindowTitle(QStringLiteral("Платежи за день"));
    resize(640, 480);
}
