#pragma once

#include "ui/ServerFedWindow.h"

class BarGrid;
class MonthStatement;
class QLabel;
class QMenu;

// The monthly statement "Платежи по дням": one line per day with a bar of the
// day's income, the opening balance and the month's totals.
class TVipMon : public ServerFedWindow {
    Q_OBJECT
public:
    TVipMon(MonthStatement& statement, QWidget* parent = nullptr);

protected:
    // FormActivate.
    void activated() override;
    void changeEvent(QEvent* event) override;

private:
    void syncFromStatement();
    void showStatement();

    MonthStatement& statement_;
    BarGrid* balGrid_;
    QLabel* label2_;
    QLabel* label3_;
    QLabel* label5_;
    QLabel* label6_;
    QLabel* label7_;
    QLabel* label8_;
    QPushButton* button2_;
    QMenu* popupMenu1_;
};
