#pragma once

#include <QDialog>

// The payment entry window: account number in masked cells, the sum, and the way out to payment creation.
class TOplat : public QDialog {
    Q_OBJECT
public:
    explicit TOplat(QWidget* parent = nullptr);
};
