#pragma once

#include <QDate>
#include <QList>
#include <QString>

class DayJournal;

// Payments recorded on this terminal that the server has not accepted yet, looked
// for in the day files of today and of the days before it.
namespace WaitingPayments {

struct Day {
    QDate date;
    QList<QString> transactionIds; // top to bottom, as the journal lists them
};

// Today first, then earlier days newest first; days without waiting rows are left out.
QList<Day> find(const DayJournal& days, const QDate& today, int daysBefore);

int count(const QList<Day>& found);
// Of those, the ones of days before `today`.
int countBefore(const QList<Day>& found, const QDate& today);

// The question asked after a login when payments wait.
QString question(const QList<Day>& found, const QDate& today);

} // namespace WaitingPayments
