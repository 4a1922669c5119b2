#include "ui/Procent.h"

TProgress::TProgress(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Progress"));
    setWindowTitle(QStringLiteral("Загрузка"));
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    resize(314, 57);
}
