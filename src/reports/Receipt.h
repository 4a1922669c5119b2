#pragma once

#include "reports/Printing.h"

#include <QDate>
#include <QString>
#include <QStringList>

class DayRecords;
class Dialogs;
class PaymentJournal;
class Session;
class TerminalSettings;
struct JournalRow;

// The receipt of a journal row: fourteen lines of text, laid out for the paper
// set, printed on demand or shown as a preview. The first print of a
// transaction's receipt is the original; every later one is marked a copy.
class Receipt {
public:
    static constexpr int LineCount = 14;

    // What the receipt says besides the row: the agent's taxpayer number, the
    // terminal typed at login, and the agent's address and support telephone.
    struct Header {
        QString inn;
        QString terminal;
        QString address;
        QString support;
    };

    // The lines as they stand in the row and the labels: nothing is
    // reformatted, trimmed or checked.
    static QStringList lines(const JournalRow& row, const Header& header);
    // The lines of a print made after `printedBefore` others: the original as
    // it is, a copy with "КОПИЯ" above it, numbered from the third print on
    // ("КОПИЯ 2" is the third).
    static QStringList marked(const QStringList& lines, int printedBefore);

    Receipt(const TerminalSettings& settings, const Session& session, Printing& printing, DayRecords& records,
            Dialogs& dialogs)
        : settings_(settings), session_(session), printing_(printing), records_(records), dialogs_(dialogs) {}

    QStringList linesOf(const JournalRow& row) const;
    // "Квитанция" for a row of the journal of `day`: the printer as the settings
    // say (or the dialog, when `choice` asks for it), the page,
    // "Печать окончена!"; the print is recorded for the row's day. A cancelled
    // dialog prints, records and says nothing; a printer error is thrown on and
    // recorded neither.
    void print(const JournalRow& row, const QDate& day,
               Printing::Choice choice = Printing::Choice::AsSet) const;
    // "Просмотр": the page the next print would make, on screen.
    void preview(const JournalRow& row, const QDate& day) const;

    // Why a row of the journal has no receipt (a header row, the totals row, a
    // blank row); empty for a payment.
    static QString refusal(const PaymentJournal& journal, int row);
    // The receipt of a row of the journal of `day`; for a row that is no
    // payment nothing is printed and a box says why.
    void print(const PaymentJournal& journal, int row, const QDate& day,
               Printing::Choice choice = Printing::Choice::AsSet) const;
    void preview(const PaymentJournal& journal, int row, const QDate& day) const;

private:
    int printedBefore(const JournalRow& row, const QDate& day) const;

    const TerminalSettings& settings_;
    const Session& session_;
    Printing& printing_;
    DayRecords& records_;
    Dialogs& dialogs_;
};
