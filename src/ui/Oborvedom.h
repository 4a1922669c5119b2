#pragma once

#include <QDialog>

// The goods turnover statement.
class TOborVed : public QDialog {
    Q_OBJECT
public:
    explicit TOborVed(QWidget* parent = nullptr);
};
