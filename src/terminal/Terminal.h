#pragma once

#include "core/AppContext.h"
#include "core/MainWindowModel.h"
#include "payments/DayJournal.h"

#include <QObject>

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
class Receipt;
class ServerLink;
class Stock;
class SpreadsheetExport;
class TransactionIds;
class Transmission;
class TurnoverStatement;
class WaitingSender;
class YearStatistics;
class UnsentRows;

// The terminal's logic as a whole, without a window: the process-wide state, what
// the main window shows, the subsystems, and the operations behind the main
// window's controls. The subsystems talk to the server themselves and report
// what happened; the terminal decides what the main window shows for it.
// TwinMain owns one and forwards its events here; tests drive one directly.
class Terminal : public QObject {
    Q_OBJECT
public:
    // programDir ends with a path separator; the seams outlive the terminal.
    Terminal(const QString& programDir, Dialogs* dialogs, SystemClock* clock, FileDialog* fileDialog,
             QObject* parent = nullptr);
    ~Terminal() override;

    AppContext& context() { return ctx_; }
    const AppContext& context() const { return ctx_; }
    MainWindowModel& model() { return model_; }

    // The main window's creation: reads ip.ini and operator.ini, points the link
    // at the configured server, sets up the grids and starts connecting. A port
    // that is not an integer throws at step 10; the steps after it do not run.
    void formCreate();

    // Rereads the terminal directory's setting.ini into the header and the
    // context, writes a server address or port that differs into ip.ini, then
    // rebuilds the catalogue and resets the journal headers.
    void applyTerminalSettings();

    // "Сохранить" on the network settings page (takes ComboBox1/ComboBox2 texts).
    void saveNetworkSettings(const QString& address, const QString& port);

    // Rebuilds the operator buttons for the selected category tab.
    void buildCatalogue();
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

    // "Сохранить в Excel" of the journal's menu: rows from the second header
    // row to the totals, every column.
    void exportJournal();
    Receipt& receipt() { return *receipt_; }
    Cancellation& cancellation() { return *cancellation_; }
    PaymentSearch& search() { return *search_; }

    // The journal's days: the table shown, its file, today's.
    DayJournal& days() { return days_; }
    PaymentJournal& journal() { return days_.table(); }
    const PaymentJournal& journal() const { return days_.table(); }

    // Where the link points (empty and 0 until the creation's socket step ran).
    QString peerAddress() const;
    int peerPort() const;

    // Ends the program (the terminal directory cannot be made). Tests replace it.
    std::function<void()> terminateProgram;

    // Column 0 of the statistics grid, once step 11 has filled it.
    const QStringList& balGridMonths() const { return balGridMonths_; }

private:
    void showLinkState();
    void showTransmission();
    void showReports();
    void showUnsentCount();

    AppContext ctx_;
    MainWindowModel model_;
    DayJournal days_;
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
    std::unique_ptr<PriceList> priceList_;
    std::unique_ptr<Stock> stock_;
    std::unique_ptr<GoodsSale> goodsSale_;
    std::unique_ptr<YearStatistics> statistics_;
    std::unique_ptr<MonthStatement> monthStatement_;
    std::unique_ptr<DayStatement> dayStatement_;
    std::unique_ptr<DayReconciliation> reconciliation_;
    std::unique_ptr<Receipt> receipt_;
    std::unique_ptr<Cancellation> cancellation_;
    std::unique_ptr<PaymentSearch> search_;
    std::unique_ptr<UnsentRows> unsent_;
    QStringList balGridMonths_;
};
