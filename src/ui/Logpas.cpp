#include "ui/Logpas.h"

TLoginPasw::TLoginPasw(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("LoginPasw"));
    setWindowTitle(QStringLiteral("Авторизация"));
    resize(300, 170);
}
