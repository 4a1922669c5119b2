#pragma once

#include <QDialog>

// The stock of the payment point.
class TSklad : public QDialog {
    Q_OBJECT
public:
    explicit TSklad(QWidget* parent = nullptr);
};
