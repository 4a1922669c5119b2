#pragma once

#include <QDialog>

// The price list of the main warehouse.
class TPriceall : public QDialog {
    Q_OBJECT
public:
    explicit TPriceall(QWidget* parent = nullptr);
};
