#pragma once

#include <QDialog>

// The goods sale window with the customer questionnaire.
class TProdaja : public QDialog {
    Q_OBJECT
public:
    explicit TProdaja(QWidget* parent = nullptr);
};
