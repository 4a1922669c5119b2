#include "ui/Oplata.h"

TOplat::TOplat(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Oplat"));
    setWindowTitle(QStringLiteral("ПЛАТЕЖИ"));
    resize(518, 284);
}
