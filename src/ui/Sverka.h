#pragma once

#include "ui/ServerFedWindow.h"

class DayReconciliation;
class QLabel;
class QPushButton;
class QTabWidget;
class QTableWidget;

// "Сверка с сервером": the day's journal against the server's statement, with
// counts and sums at the top and the three lists of differences below.
class TReconciliation : public ServerFedWindow {
    Q_OBJECT
public:
    TReconciliation(DayReconciliation& reconciliation, Dialogs& dialogs, QWidget* parent = nullptr);

protected:
    void activated() override;

private:
    void syncFromReconciliation();
    void updateSend();

    DayReconciliation& reconciliation_;
    QLabel* title_;
    QLabel* summary_;
    QTabWidget* lists_;
    QTableWidget* onlyInJournal_;
    QTableWidget* onlyOnServer_;
    QTableWidget* sumsDiffer_;
    QPushButton* send_;
};
