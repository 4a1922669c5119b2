#pragma once

#include "goods/GoodsSale.h"

#include <QDialog>

#include <array>

class QComboBox;
class Dialogs;
class QDateEdit;
class QGridLayout;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QWindow;

// The goods sale window with the customer questionnaire. It mirrors GoodsSale
// and forwards what the cashier types and clicks.
class TProdaja : public QDialog {
    Q_OBJECT
public:
    TProdaja(GoodsSale& sale, Dialogs& dialogs, QWidget* parent = nullptr);

    QLineEdit* field(GoodsSale::Field f) const { return edits_[size_t(f)]; }
    // How often the window was raised over another one that took the keys.
    int raisedOver() const { return raisedOver_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildBuyerTab();
    QWidget* buildGoodsTab();
    QLineEdit* makeEdit(GoodsSale::Field f, QWidget* parent);
    // The field's label at (row, column) and its control right of it.
    void addField(QGridLayout* grid, int row, int column, const QString& caption, const char* labelName,
                  GoodsSale::Field f, int span = 1);
    void syncFromSale();
    // Stays over the program's other windows.
    void keepOnTop(QWindow* focused);

    GoodsSale& sale_;
    Dialogs& dialogs_;
    std::array<QLineEdit*, GoodsSale::FieldCount> edits_{};
    QTabWidget* pageControl1_ = nullptr;
    QDateEdit* dateTimePicker1_ = nullptr;
    QDateEdit* dateTimePicker2_ = nullptr;
    QPushButton* bitBtn2_ = nullptr;
    int raisedOver_ = 0;
};
