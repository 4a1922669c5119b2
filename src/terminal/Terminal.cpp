#include "terminal/Terminal.h"

#include "core/Builtins.h"
#include "core/IniFile.h"
#include "goods/GoodsSale.h"
#include "goods/PriceList.h"
#include "goods/Stock.h"
#include "goods/TurnoverStatement.h"
#include "link/AccountSession.h"
#include "link/Cancellation.h"
#include "link/ConfigurationReplies.h"
#include "link/FileReplies.h"
#include "link/PaymentCreation.h"
#include "link/PaymentSearch.h"
#include "link/RequestedFile.h"
#include "link/ServerLink.h"
#include "link/TlsSettings.h"
#include "link/Transmission.h"
#include "link/WaitingSender.h"
#include "payments/OperatorProfile.h"
#include "payments/PaymentEntry.h"
#include "payments/TransactionIds.h"
#include "payments/UnsentRows.h"
#include "platform/Convert.h"
#include "platform/Dialogs.h"
#include "platform/ReceiptPrinter.h"
#include "platform/SafeCall.h"
#include "platform/SystemClock.h"
#include "reports/DayReconciliation.h"
#include "reports/DayStatement.h"
#include "reports/MonthStatement.h"
#include "reports/PrintSettings.h"
#include "reports/Printing.h"
#include "reports/Receipt.h"
#include "reports/SpreadsheetExport.h"
#include "reports/YearStatistics.h"
#include "shift/Shift.h"

#include <QCoreApplication>

template <typename F> auto Terminal::guarded(F f) {
    return SafeCall::guarded(seams_.dialogs, std::move(f));
}

Terminal::Terminal(const QString& programDir, const Seams& seams, QObject* parent)
    : QObject(parent), env_(programDir), seams_(seams), network_(env_),
      catalogue_(env_, session_, seams.dialogs),
      days_(session_, seams.clock, seams.dialogs, seams.fileDialog), records_(days_, seams.clock) {
    Dialogs& dialogs = seams.dialogs;
    SystemClock& clock = seams.clock;
    terminateProgram = [] { QCoreApplication::exit(1); };

    // Each subsystem registers the server commands it handles.
    link_ = std::make_unique<ServerLink>(env_, session_, dialogs);
    link_->setServerList(Builtins::serverAddresses());
    configuration_ = std::make_unique<ConfigurationReplies>(env_, session_, catalogue_, *link_);
    fileReplies_ = std::make_unique<FileReplies>(env_, *link_);
    account_ = std::make_unique<AccountSession>(
        env_, session_, network_, *link_, dialogs, clock,
        AccountSession::Hooks{[this] { applyTerminalSettings(); }, [this] { return settings_.stamp(); },
                              [this] { return catalogue_.stamp(); }});
    ids_ = std::make_unique<TransactionIds>(session_, clock, days_.table());
    transmission_ = std::make_unique<Transmission>(env_, session_, *link_, days_, records_, dialogs);
    waiting_ = std::make_unique<WaitingSender>(days_, *transmission_, dialogs);
    creation_ = std::make_unique<PaymentCreation>(env_, session_, *link_, days_, *ids_, *transmission_,
                                                  dialogs, clock);
    paymentEntry_ = std::make_unique<PaymentEntry>();
    spreadsheet_ = std::make_unique<SpreadsheetExport>(env_, seams.spreadsheet, dialogs, clock);
    const ServerFed fed{env_, session_, dialogs, *link_, *fileReplies_};
    turnover_ = std::make_unique<TurnoverStatement>(fed, *spreadsheet_);
    statistics_ = std::make_unique<YearStatistics>(fed, *account_, *spreadsheet_, clock);
    monthStatement_ = std::make_unique<MonthStatement>(fed, *statistics_, *spreadsheet_);
    dayStatement_ = std::make_unique<DayStatement>(fed, *statistics_, *monthStatement_, *spreadsheet_);
    reconciliation_ = std::make_unique<DayReconciliation>(fed, days_, *transmission_, *spreadsheet_);
    goodsSale_ = std::make_unique<GoodsSale>(*ids_, *creation_, dialogs, clock);
    priceList_ = std::make_unique<PriceList>(fed, *goodsSale_, *spreadsheet_);
    stock_ = std::make_unique<Stock>(fed, *goodsSale_, *spreadsheet_);
    // The price list and the stock hand the item picked to the sale.
    connect(priceList_.get(), &GoodsList::picked, goodsSale_.get(), &GoodsSale::take);
    connect(stock_.get(), &GoodsList::picked, goodsSale_.get(), &GoodsSale::take);
    goodsSale_->setStockLookup([stock = stock_.get()](const QString& article, const QString& invoice) {
        return stock->held(article, invoice);
    });
    printSettings_ = std::make_unique<PrintSettings>(env_);
    printing_ = std::make_unique<Printing>(env_, *printSettings_, seams.printer, clock);
    receipt_ = std::make_unique<Receipt>(settings_, session_, *printing_, records_, dialogs);
    cancellation_ = std::make_unique<Cancellation>(env_, days_, records_, *ids_, *transmission_, dialogs, clock);
    search_ = std::make_unique<PaymentSearch>(session_, dialogs, *link_);
    unsent_ = std::make_unique<UnsentRows>(days_.table());
    shift_ = std::make_unique<Shift>(fed, days_, *transmission_, *spreadsheet_, clock);
    shift_->setPrinter(
        [this](const QStringList& lines, const QString& title) { printing_->print(lines, title); });

    connect(configuration_.get(), &ConfigurationReplies::settingsStored, this,
            guarded([this] { applyTerminalSettings(); }));
    connect(account_.get(), &AccountSession::accepted, this, guarded([this] {
                days_.showDay(days_.today());
                // Payments left unsent are not forgotten. Asked at once: nothing can be
                // paid in between and be taken for a payment left over.
                waiting_->offer();
                // A new shift starts with its drawer counted.
                shift_->askOpeningFloat();
            }));
    connect(account_.get(), &AccountSession::directoryFailed, this, [this] { terminateProgram(); });
    connect(account_.get(), &AccountSession::greeted, transmission_.get(), &Transmission::hidePanel);

    // The payment window hands over what the cashier entered.
    auto input = [this] {
        const PaymentEntry& e = *paymentEntry_;
        return PaymentInput{e.operatorCaption(), e.article(), e.accountNumber(), e.creditedText(),
                            e.sumText(),         catalogue_.paymentType()};
    };
    connect(paymentEntry_.get(), &PaymentEntry::payRequested, this,
            guarded([this, input] { creation_->payNow(input()); }));
    connect(paymentEntry_.get(), &PaymentEntry::deferRequested, this,
            guarded([this, input] { creation_->defer(input()); }));
    connect(paymentEntry_.get(), &PaymentEntry::balanceRequested, this,
            guarded([this, input] { creation_->queryBalance(input()); }));

    showLinkState();
    showReports();
}

Terminal::~Terminal() = default;

void Terminal::showLinkState() {
    const auto state = [this](const QString& text) { status_.set(StatusPanel::State, text); };
    connect(link_.get(), &ServerLink::stateText, this, state);
    connect(transmission_.get(), &Transmission::stateText, this, state);
    connect(waiting_.get(), &WaitingSender::stateText, this, state);
    connect(account_.get(), &AccountSession::stateText, this, state);
    connect(link_.get(), &ServerLink::connected, this,
            [this](const QString& server) { status_.set(StatusPanel::Server, server); });
    connect(account_.get(), &AccountSession::depositChanged, this, [this] {
        status_.set(StatusPanel::Deposit, account_->deposit());
        status_.set(StatusPanel::Limit, account_->limit());
    });
    connect(&session_, &Session::changed, this,
            [this] { status_.set(StatusPanel::Terminal, session_.terminalNumber()); });
}

void Terminal::showReports() {
    // "Подробно" of the statistics page opens the month, that of the month a day.
    connect(statistics_.get(), &YearStatistics::monthChosen, monthStatement_.get(), &MonthStatement::open);
    connect(monthStatement_.get(), &MonthStatement::dayChosen, dayStatement_.get(), &DayStatement::open);
}

void Terminal::exportJournal() {
    const PaymentJournal& j = journal();
    QStringList lines;
    // Row 0 carries only the captions of merged cells; the second header row leads.
    for (int row = 1; row < j.rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < PaymentJournal::ColumnCount; ++column)
            cells << j.cell(row, column);
        lines << SpreadsheetExport::gridLine(cells);
    }
    // The sums below the caption row, the totals row with them.
    spreadsheet_->exportToSpreadsheet(
        lines, PaymentJournal::ColumnCount, QStringLiteral("Журнал"),
        NumberCells().add({PaymentJournal::Credited + 1, PaymentJournal::Received + 1}, 2));
}

void Terminal::formCreate() {
    session_.setRegistered(false);
    network_.load();
    printSettings_->load();
    catalogue_.reloadStamp();

    link_->setTls(TlsSettings::read(network_.file(), env_.programDir()));
    // A port that is not an integer stops the creation here.
    link_->setPeer(network_.serverAddress(), quint16(Convert::strToInt(network_.serverPort())));
    balGridMonths_ = {QStringLiteral("Месяц"),    QStringLiteral("Январь"),  QStringLiteral("Февраль"),
                      QStringLiteral("Март"),     QStringLiteral("Апрель"),  QStringLiteral("Май"),
                      QStringLiteral("Июнь"),     QStringLiteral("Июль"),    QStringLiteral("Август"),
                      QStringLiteral("Сентябрь"), QStringLiteral("Октябрь"), QStringLiteral("Ноябрь"),
                      QStringLiteral("Декабрь")};
    statistics_->setMonthNames(balGridMonths_);
    days_.table().resetHeaders();
}

QStringList Terminal::printerNames() const {
    return seams_.printer.printerNames();
}

void Terminal::applyTerminalSettings() {
    const IniFile settings(env_.settingsPath(session_.loginTerminal()));
    const TerminalSettings::Server server =
        settings_.apply(settings, network_.serverAddress(), network_.serverPort());
    // The running connection keeps its server; the new one is used from the next start.
    network_.keepServerOfSettings(server.address, server.port);
    catalogue_.build();
    days_.table().resetHeaders();
}

void Terminal::saveNetworkSettings(const QString& address, const QString& port) {
    network_.save(address, port);
    seams_.dialogs.message(QStringLiteral("Для активации настроек необходимо \n перезапустить программу!"));
}

void Terminal::openOperator(int buttonIndex) {
    if (buttonIndex < 0 || buttonIndex >= OperatorCatalogue::ButtonCount)
        return;
    const OperatorButton button = catalogue_.button(buttonIndex);
    // Opened afresh, as the server may have replaced either file since the last
    // click. setting.ini is the one the catalogue build laid the buttons out from.
    const IniFile operators(env_.operatorIniPath());
    const IniFile settings(env_.settingsPath(session_.terminalNumber()));
    paymentEntry_->open(categoryCaption(catalogue_.categoryTab()), button,
                        OperatorProfile::read(operators, settings, button.article));
}

void Terminal::connectToServer() {
    link_->connectToServer();
}

void Terminal::disconnectFromServer() {
    link_->disconnectFromServer();
}

QString Terminal::peerAddress() const {
    return link_->peerAddress();
}

int Terminal::peerPort() const {
    return link_->peerPort();
}

QString Terminal::exitQuestion() const {
    if (transmission_->anyOnItsWay())
        return QStringLiteral("Платеж отправлен, ответ сервера еще не получен. Выйти?");
    if (const int unsent = unsent_->count(); unsent > 0)
        return QStringLiteral("Есть неотправленные платежи: %1. Выйти?").arg(unsent);
    return QString();
}
