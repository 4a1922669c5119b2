#pragma once

#include "core/AppContext.h"
#include "core/MainWindowModel.h"
#include "payments/PaymentJournal.h"

#include <QObject>

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

    // Where the link points, as step 10 of the creation set it.
    const QString& peerAddress() const { return peerAddress_; }
    int peerPort() const { return peerPort_; }
    // How many of the creation's thirteen steps ran (13 when all did).
    int formCreateSteps() const { return formCreateSteps_; }

    // Column 0 of the statistics grid, once step 11 has filled it.
    const QStringList& balGridMonths() const { return balGridMonths_; }

private:
    AppContext ctx_;
    MainWindowModel model_;
    PaymentJournal journal_;
    QString peerAddress_;
    int peerPort_ = 0;
    int formCreateSteps_ = 0;
    QStringList balGridMonths_;
};
