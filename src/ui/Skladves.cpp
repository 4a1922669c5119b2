#include "ui/Skladves.h"

TSklad::TSklad(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Sklad"));
    setWindowTitle(QStringLiteral("Товары на складе"));
    resize(700, 480);
}
