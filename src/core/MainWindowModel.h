#pragma once

#include <QDate>
#include <QObject>
#include <QString>
#include <QStringList>

#include <array>

// One operator button of the category toolbar as the last catalogue build left it.
struct OperatorButtonState {
    bool visible = false;
    bool enabled = true;
    QString caption;
    QString hint;
    int imageIndex = -1;
};

// The status bar's ten panels, left to right. The even ones carry fixed captions.
enum class StatusPanel {
    StateCaption = 0,
    State = 1, // connection and transfer state
    DepositCaption = 2,
    Deposit = 3,
    LimitCaption = 4,
    Limit = 5,
    TerminalCaption = 6,
    Terminal = 7,
    ServerCaption = 8,
    Server = 9 // address:port once connected
};

// What the main window shows, kept by the logic. The logic changes fields and
// calls notify(); the window mirrors them. Tests read them directly.
class MainWindowModel : public QObject {
    Q_OBJECT
public:
    static constexpr int StatusPanelCount = 10;
    static constexpr int OperatorButtonCount = 19;

    MainWindowModel();

    QString caption;
    // header
    QString versionText;
    QString terminalText = QStringLiteral("---");
    QString addressText = QStringLiteral("---");
    QString userText = QStringLiteral("---");
    QString supportText = QStringLiteral("---");
    // news line
    QString newsCaption;

    const QString& status(StatusPanel panel) const { return statusPanels_[size_t(panel)]; }
    void setStatus(StatusPanel panel, const QString& text);

    bool registerEnabled = true;
    bool depositCheckEnabled = true;
    bool passwordChangeEnabled = true;
    bool searchEnabled = true;

    // The payment search's result, line by line as Memo2 shows it.
    QStringList searchResult;
    // Rows of the day shown that wait to be sent.
    int unsentCount = 0;

    // The transmission panel and the journal commands it locks.
    bool transmissionPanelVisible = false;
    QString transmissionCaption = QStringLiteral("ПЕРЕДАЁМ ПЛАТЕЖИ.....");
    int progressMax = 100;
    int progressPos = 0;
    bool journalEnabled = true;
    bool sendAllEnabled = true;         // "Провести все платежи"
    bool refreshStatusesEnabled = true; // "Обновить статусы"
    bool cancelEnabled = true;          // "Отменить платеж"
    bool sendSelectedEnabled = true;    // "Провести платеж"

    // A transmission starts: the panel comes up and the four commands wait for its end.
    void beginTransmission();
    // A status pass shows the panel without touching the commands.
    void showTransmissionPanel();
    // The panel goes and the journal takes clicks again; the commands stay as they are.
    void hideTransmissionPanel();
    // The chain is over: panel down, journal and the four commands usable again.
    void endTransmission();
    // "Провести платеж" and "Провести все платежи" while their chain starts.
    void lockSendCommands();
    void setProgress(int position, int maximum);

    // operator catalogue
    int categoryTab = 0;
    bool goodsGroupVisible = false;
    std::array<OperatorButtonState, OperatorButtonCount> operatorButtons;
    QStringList operatorIcons; // icon files, by image index

    // network settings page
    QString serverAddressText;
    QString serverPortText;

    // the journal's date picker
    QDate shownDate;

    // Goods pick mode: the sale window's chooser turns it on, the stock button
    // turns it off; while on, the price list and the stock hand an item to the sale.
    bool goodsPickMode = false;

    // the last workbook the spreadsheet export kept, named in the status bar
    QString workbookPath;

    void notify() { emit changed(); }

signals:
    void changed();

private:
    std::array<QString, StatusPanelCount> statusPanels_;
};
