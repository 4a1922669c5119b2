#pragma once

#include "link/RequestedFile.h"
#include "shift/ShiftFigures.h"
#include "shift/ShiftReport.h"
#include "shift/ZReports.h"

#include <QDate>
#include <QObject>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <optional>

class DayJournal;
class SpreadsheetExport;
class SystemClock;
class Transmission;

// The cashier's shift: from the close of the last one (or the start of today on
// a terminal that never closed one) to now. It keeps the cash drawer's entries,
// the figures, the count at the close, the server's agreement, and the Z
// reports. Only the terminal's own records are read and written; nothing new is
// said to the server.
class Shift : public QObject {
    Q_OBJECT
public:
    // The somoni's notes and coins and the diram's coins, largest first, in diram.
    static constexpr std::array<qint64, 15> Denominations = {50000, 20000, 10000, 5000, 2000, 1000, 500, 300,
                                                             100,   50,    25,    20,   10,   5,    1};
    static const QString NotReconciledText;
    // "500 сом.", "50 дир."
    static QString denominationCaption(int index);

    // Prints a report's lines as the receipts are printed; throws AppError on a
    // printer's failure.
    using Printer = std::function<void(const QStringList& lines, const QString& title)>;

    Shift(const ServerFed& fed, DayJournal& days, Transmission& transmission, SpreadsheetExport& spreadsheet,
          SystemClock& clock, QObject* parent = nullptr);

    void setPrinter(Printer printer) { printer_ = std::move(printer); }

    // Whether the terminal has its directory (a login was accepted once): no
    // shift is kept before.
    bool available() const;

    // Reads the figures afresh, up to now.
    void refresh();
    const ShiftFigures& figures() const { return figures_; }

    // After an accepted login: the opening float is asked once a shift, the
    // last close's drawer offered. False when nothing was asked.
    bool askOpeningFloat();
    bool floatWanted() const;

    // "Внесение" and "Изъятие": a sum above zero as the cashier types it, and a
    // note; false (after a box saying why) when the sum is no such sum.
    bool cashIn(const QString& sum, const QString& note);
    bool cashOut(const QString& sum, const QString& note);

    // The count: typed as a whole, or by denominations (which then give the
    // whole). An empty text clears it; false for a text that is no sum.
    bool setCountedText(const QString& text);
    void setDenominationCount(int index, int count);
    int denominationCount(int index) const { return denominations_[size_t(index)]; }
    const std::optional<qint64>& counted() const { return counted_; }
    std::optional<qint64> difference() const;
    void setNote(const QString& note);
    const QString& note() const { return note_; }

    // "Сверить с сервером": each day of the shift against the server's own
    // statement of it, one after the other; agreement() sums them in one line.
    bool reconcile();
    const QString& agreement() const { return agreement_; }
    RequestedFile& statementFile() { return statement_; }

    // "X-отчет": the figures up to now, without closing, as the window shows them.
    QList<ShiftReport::Item> items() const;
    QStringList xLines() const;
    void printX();
    void exportX();

    // "Закрыть смену (Z-отчет)": offers to send what is unsent, asks for the
    // count and, with a difference, a note; writes the Z report, starts the
    // next shift at its moment and prints it. True when the shift was closed.
    bool close();

    ZReports archive() const;
    QList<int> closedNumbers() const { return archive().numbers(); }
    void reprintZ(int number);
    void exportZ(int number);

signals:
    void changed();
    void closed(int number);

private:
    bool cash(CashDrawer::Entry::Kind kind, const QString& sum, const QString& note);
    QString terminalDir() const;
    QDateTime entryMoment() const;
    ShiftReport::Closing closing() const;
    void print(const QStringList& lines, const QString& title);
    void compareDay(const QString& statementPath);
    void resetCount();

    const Session& session_;
    Dialogs& dialogs_;
    DayJournal& days_;
    Transmission& transmission_;
    SpreadsheetExport& spreadsheet_;
    SystemClock& clock_;
    Printer printer_;
    ShiftFigures figures_;
    std::optional<qint64> counted_;
    std::array<int, Denominations.size()> denominations_{};
    QString note_;
    QString agreement_;
    // The reconciliation under way: the days left and what was found so far.
    QList<QDate> daysToReconcile_;
    QDate dayReconciled_;
    int onlyInJournal_ = 0;
    int onlyOnServer_ = 0;
    int sumsDiffer_ = 0;
    RequestedFile statement_;
};
