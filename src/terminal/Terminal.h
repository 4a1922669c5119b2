#pragma once

#include "core/Environment.h"
#include "core/NetworkSettings.h"
#include "core/OperatorCatalogue.h"
#include "core/Session.h"
#include "core/TerminalSettings.h"
#include "payments/DayJournal.h"
#include "payments/DayRecords.h"
#include "platform/Seams.h"
#include "terminal/StatusLine.h"

#include <QObject>
#include <QStringList>

#include <functional>
#include <memory>

class AccountSession;
class Cancellation;
class ConfigurationReplies;
class DayReconciliation;
class DayStatement;
class FileReplies;
class GoodsSale;
class MonthStatement;
class PaymentCreation;
class PaymentEntry;
class PriceList;
class PaymentSearch;
class Printing;
class PrintSettings;
class Receipt;
class ServerLink;
class Shift;
class Stock;
class SpreadsheetExport;
class TransactionIds;
class Transmission;
class TurnoverStatement;
class WaitingSender;
class YearStatistics;
class UnsentRows;

// The terminal's logic as a whole, without a window: the environment, the
// session, the settings, the subsystems, and the operations behind the main
// window's controls. The subsystems talk to the server themselves and report
// what happened; the windows show it. main() makes one and the windows after it;
// tests drive one directly.
class Terminal : public QObject {
    Q_OBJECT
public:
    // programDir ends with a path separator; the seams outlive the terminal.
    Terminal(const QString& programDir, const Seams& seams, QObject* parent = nullptr);
    ~Terminal() override;

    const Environment& environment() const { return env_; }
    Session& session() { return session_; }
    const Session& session() const { return session_; }
    NetworkSettings& network() { return network_; }
    TerminalSettings& settings() { return settings_; }
    OperatorCatalogue& catalogue() { return catalogue_; }
    StatusLine& status() { return status_; }
    Dialogs& dialogs() { return seams_.dialogs; }

    // The main window's creation: reads ip.ini and operator.ini, points the link
    // at the configured server and sets up the grids. A port that is not an
    // integer throws; the steps after it do not run, and the caller does not
    // connect. Connecting is the caller's next step, once the windows exist.
    void formCreate();

    // Rereads the terminal directory's setting.ini into the settings, writes a
    // server address or port that differs into ip.ini, then rebuilds the
    // catalogue and resets the journal headers.
    void applyTerminalSettings();

    // "Сохранить" on the network settings page (takes ComboBox1/ComboBox2 texts).
    void saveNetworkSettings(const QString& address, const QString& port);

    // Starts connecting as "Регистрация" does.
    void connectToServer();
    // "Отключиться".
    void disconnectFromServer();

    // A click on operator button buttonIndex (0 for Buton1 .. 18 for Buton19):
    // reads the operator's profile afresh, prepares the payment window's logic
    // and shows the window modally; returns when it is closed.
    void openOperator(int buttonIndex);
    PaymentEntry& paymentEntry() { return *paymentEntry_; }

    ServerLink& link() { return *link_; }
    AccountSession& account() { return *account_; }
    Transmission& transmission() { return *transmission_; }
    WaitingSender& waiting() { return *waiting_; }
    PaymentCreation& creation() { return *creation_; }
    FileReplies& fileReplies() { return *fileReplies_; }
    TransactionIds& transactionIds() { return *ids_; }
    TurnoverStatement& turnover() { return *turnover_; }
    PriceList& priceList() { return *priceList_; }
    Stock& stock() { return *stock_; }
    GoodsSale& goodsSale() { return *goodsSale_; }
    SpreadsheetExport& spreadsheet() { return *spreadsheet_; }
    YearStatistics& statistics() { return *statistics_; }
    MonthStatement& monthStatement() { return *monthStatement_; }
    DayStatement& dayStatement() { return *dayStatement_; }
    DayReconciliation& reconciliation() { return *reconciliation_; }
    UnsentRows& unsent() { return *unsent_; }
    // The cashier's shift: the drawer, the X and Z reports.
    Shift& shift() { return *shift_; }

    // What to ask before the program ends with work in hand: an "o" still
    // awaiting its answer, or payments waiting unsent; empty when nothing is.
    QString exitQuestion() const;

    // "Сохранить в Excel" of the journal's menu: rows from the second header
    // row to the totals, every column.
    void exportJournal();
    Receipt& receipt() { return *receipt_; }
    // How receipts and reports are printed (ip.ini [print]), and the one path
    // they take to the printer.
    PrintSettings& printSettings() { return *printSettings_; }
    Printing& printing() { return *printing_; }
    // The printers of the system, for the settings page.
    QStringList printerNames() const;
    Cancellation& cancellation() { return *cancellation_; }
    PaymentSearch& search() { return *search_; }

    // The journal's days: the table shown, its file, today's.
    DayJournal& days() { return days_; }
    // What is kept beside each day file: transmissions, deletions, requests.
    DayRecords& records() { return records_; }
    PaymentJournal& journal() { return days_.table(); }
    const PaymentJournal& journal() const { return days_.table(); }

    // Where the link points (empty and 0 until the creation's socket step ran).
    QString peerAddress() const;
    int peerPort() const;

    // Ends the program (the terminal directory cannot be made). Tests replace it.
    std::function<void()> terminateProgram;

    // Column 0 of the statistics grid, once the creation has filled it.
    const QStringList& balGridMonths() const { return balGridMonths_; }

private:
    void showLinkState();
    void showReports();
    // A signal's slot inside the exception boundary.
    template <typename F> auto guarded(F f);

    Environment env_;
    Seams seams_;
    Session session_;
    NetworkSettings network_;
    TerminalSettings settings_;
    OperatorCatalogue catalogue_;
    StatusLine status_;
    DayJournal days_;
    DayRecords records_;
    std::unique_ptr<ServerLink> link_;
    std::unique_ptr<ConfigurationReplies> configuration_;
    std::unique_ptr<FileReplies> fileReplies_;
    std::unique_ptr<AccountSession> account_;
    std::unique_ptr<TransactionIds> ids_;
    std::unique_ptr<Transmission> transmission_;
    std::unique_ptr<WaitingSender> waiting_;
    std::unique_ptr<PaymentCreation> creation_;
    std::unique_ptr<PaymentEntry> paymentEntry_;
    std::unique_ptr<SpreadsheetExport> spreadsheet_;
    std::unique_ptr<TurnoverStatement> turnover_;
    std::unique_ptr<GoodsSale> goodsSale_;
    std::unique_ptr<PriceList> priceList_;
    std::unique_ptr<Stock> stock_;
    std::unique_ptr<YearStatistics> statistics_;
    std::unique_ptr<MonthStatement> monthStatement_;
    std::unique_ptr<DayStatement> dayStatement_;
    std::unique_ptr<DayReconciliation> reconciliation_;
    std::unique_ptr<PrintSettings> printSettings_;
    std::unique_ptr<Printing> printing_;
    std::unique_ptr<Receipt> receipt_;
    std::unique_ptr<Cancellation> cancellation_;
    std::unique_ptr<PaymentSearch> search_;
    std::unique_ptr<UnsentRows> unsent_;
    std::unique_ptr<Shift> shift_;
    QStringList balGridMonths_;
};
