#pragma once

#include "payments/WaitingPayments.h"

#include <QObject>
#include <QString>

class DayJournal;
class Dialogs;
class Transmission;

// After every accepted login: the payments recorded here that the server has
// not accepted yet, today's and those of the last days, are offered to the
// cashier once; on OK today's go as "Провести все платежи" sends them, then each
// earlier day's through that day's own journal, so every answer lands in the
// file its row came from. Nothing waits forgotten in an old day file.
class WaitingSender : public QObject {
    Q_OBJECT
public:
    static constexpr int DaysBefore = 7;

    WaitingSender(DayJournal& days, Transmission& transmission, Dialogs& dialogs, QObject* parent = nullptr);

    // Looks through the files and, when payments wait, asks.
    void offer();
    bool running() const { return running_; }

signals:
    // How the earlier days went, for the status bar.
    void stateText(const QString& text);

private:
    void sendNextDay();
    void onPassFinished();
    void onChainEnded();
    void finish(bool completed);
    // Of the current day's waiting rows, those the server has accepted by now.
    int acceptedOfCurrentDay() const;

    DayJournal& days_;
    Transmission& transmission_;
    Dialogs& dialogs_;
    QList<WaitingPayments::Day> queue_;
    WaitingPayments::Day current_;
    QDate today_;
    bool running_ = false;
    bool passFinished_ = false;
    int earlierWaiting_ = 0;
    int earlierSent_ = 0;
};
