#pragma once

#include "ui/StatementWindow.h"

class BarGrid;
class DayStatement;

// The daily statement "Платежи за день": every movement of one day with its
// running balance, and the day's totals.
class TVipDay : public StatementWindow {
    Q_OBJECT
public:
    TVipDay(DayStatement& statement, Dialogs& dialogs, QWidget* parent = nullptr);

protected:
    // FormActivate.
    void activated() override;

private:
    void syncFromStatement();

    DayStatement& statement_;
    BarGrid* balGrid_;
    QLabel* label1_;
    QLabel* label2_;
    QLabel* label8_;
    std::array<QLabel*, 3> totals_{}; // Label5 to Label7
};
