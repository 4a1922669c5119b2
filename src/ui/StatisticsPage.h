#pragma once

#include <QWidget>

class BarGrid;
class Dialogs;
class QComboBox;
class QPushButton;
class YearStatistics;

// The main window's page "Статистика" (TabSheet3): the year table BalGrid with
// its bars, the year box and the page's three buttons. It mirrors the
// YearStatistics logic and forwards the cashier's actions to it.
class StatisticsPage : public QWidget {
    Q_OBJECT
public:
    StatisticsPage(YearStatistics& statistics, Dialogs& dialogs, QWidget* parent = nullptr);

protected:
    // TabSheet3Show: each time the page comes up.
    void showEvent(QShowEvent* event) override;

private:
    void syncFromStatistics();

    YearStatistics& statistics_;
    Dialogs& dialogs_;
    BarGrid* balGrid_;
    QComboBox* comboBox3_;
    QPushButton* bitBtn3_;
    QPushButton* bitBtn4_;
};
