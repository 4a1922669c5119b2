#pragma once

#include "ui/StatementWindow.h"

class BarGrid;
class MonthStatement;
class QMenu;

// The monthly statement "Платежи по дням": one line per day with a bar of the
// day's income, the opening balance and the month's totals.
class TVipMon : public StatementWindow {
    Q_OBJECT
public:
    TVipMon(MonthStatement& statement, Dialogs& dialogs, QWidget* parent = nullptr);

protected:
    // FormActivate.
    void activated() override;

private:
    void syncFromStatement();

    MonthStatement& statement_;
    BarGrid* balGrid_;
    QLabel* label2_;
    QLabel* label3_;
    QLabel* label8_;
    std::array<QLabel*, 3> totals_{}; // Label5 to Label7
    QPushButton* button2_;
    QAction* n1_;
};
