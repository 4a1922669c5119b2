#pragma once

#include "ui/ServerFedWindow.h"

#include <vector>

class GoodsList;
class QCheckBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QTableView;

// The price list and the stock windows: the grid with its waiting text, the
// name filter, "Обновить" with the update stamp, "Отчет" and "Выход". A
// double-click on a row, Enter on it, or tabbing into the grid hands the item to
// the sale window while goods pick mode is on, and the window closes.
class GoodsWindow : public ServerFedWindow {
    Q_OBJECT
public:
    QTableView* grid() const { return grid_; }

protected:
    // widths: one per column; stretchColumn takes whatever width the others leave.
    GoodsWindow(GoodsList& list, Dialogs& dialogs, const char* objectName, const QString& caption,
                const std::vector<int>& widths, int stretchColumn, QWidget* parent);

    void activated() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    // The row of buttons at the bottom, for a window to add its own.
    QHBoxLayout* buttonRow() const { return buttons_; }
    // Hands the selected row over; closes the window when it was taken.
    void pickSelected();
    virtual void syncFromList();

private:
    GoodsList& list_;
    QTableView* grid_;
    QCheckBox* checkBox1_;
    QLineEdit* edit1_;
    QLabel* label2_;
    QHBoxLayout* buttons_;
};
