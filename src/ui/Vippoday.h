#pragma once

#include "ui/ServerFedWindow.h"

class BarGrid;
class DayStatement;
class QLabel;

// The daily statement "Платежи за день": every movement of one day with its
// running balance, and the day's totals.
class TVipDay : public ServerFedWindow {
    Q_OBJECT
public:
    TVipDay(DayStatement& statement, QWidget* parent = nullptr);

protected:
    // FormActivate.
    void activated() override;
    void changeEvent(QEvent* event) override;

private:
    void syncFromStatement();
    void showStatement();

    DayStatement& statement_;
    BarGrid* balGrid_;
    QLabel* label1_;
    QLabel* label2_;
    QLabel* label5_;
    QLabel* label6_;
    QLabel* label7_;
    QLabel* label8_;
};
