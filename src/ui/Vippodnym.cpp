#include "ui/Vippodnym.h"

TVipMon::TVipMon(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("VipMon"));
    setWindowTitle(QStringLiteral("Платежи по дням"));
    resize(640, 480);
}
