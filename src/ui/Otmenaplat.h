#pragma once

#include <QDialog>

// The cancellation and correction window.
class TCancelPlat : public QDialog {
    Q_OBJECT
public:
    explicit TCancelPlat(QWidget* parent = nullptr);
};
