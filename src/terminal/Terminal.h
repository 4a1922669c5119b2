#pragma once

#include "core/AppContext.h"
#include "core/MainWindowModel.h"
#include "payments/PaymentJournal.h"

#include <QObject>

#include <functional>
#include <memory>

class AccountSession;
class PaymentCreation;
class Transmission;
class FileReplies;
class PaymentEntry;
class ServerLink;

// The terminal's logic as a whole, without a window: the process-wide state, what
// the main window shows, and the operations behind the main window's controls.
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
    // Resets the journal grid's headers, widths and merges.
    void resetJournalHeaders();
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
    PaymentCreation& creation() { return *creation_; }
    FileReplies& fileReplies() { return *fileReplies_; }

    // Where the link points (empty and 0 until the creation's socket step ran).
    QString peerAddress() const;
    int peerPort() const;

    // Ends the program (the terminal directory cannot be made). Tests replace it.
    std::function<void()> terminateProgram;

    // The day's payment journal shown in the grid.
    PaymentJournal& journal() { return journal_; }
    const PaymentJournal& journal() const { return journal_; }
    // journalDir + the date shown as "yyyyMMdd" + ".dat".
    QString dayFilePath() const;
    // Writes the whole journal to the day file; throws AppError when it cannot,
    // leaving the previous file whole.
    void saveDay();
    // Replaces the journal with the day file of the date shown: an empty day when
    // there is none, a message and an empty day when it is damaged.
    void loadDay();
    // "Открыть файл": the day named by a chosen file, from journalDir.
    void openDayFile();
    // A change of the date picker: that day's journal.
    void showDay(const QDate& date);
    // Today by the terminal's clock, and whether it is the day shown.
    QDate today() const;
    bool showingToday() const { return model_.dateData == today(); }

    // Column 0 of the statistics grid, once step 11 has filled it.
    const QStringList& balGridMonths() const { return balGridMonths_; }

private:
    void onOperatorCatalogue(const QString& message);
    void onTerminalSettings(const QString& message);

    AppContext ctx_;
    MainWindowModel model_;
    PaymentJournal journal_;
    std::unique_ptr<ServerLink> link_;
    std::unique_ptr<FileReplies> fileReplies_;
    std::unique_ptr<AccountSession> account_;
    std::unique_ptr<Transmission> transmission_;
    std::unique_ptr<PaymentCreation> creation_;
    std::unique_ptr<PaymentEntry> paymentEntry_;
    QStringList balGridMonths_;
};
