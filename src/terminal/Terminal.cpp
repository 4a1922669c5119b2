#include "terminal/Terminal.h"

#include "core/Builtins.h"
#include "core/OperatorCatalogue.h"
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
#include "link/ServerLink.h"
#include "link/TlsSettings.h"
#include "link/Transmission.h"
#include "link/WaitingSender.h"
#include "payments/PaymentEntry.h"
#include "payments/TransactionIds.h"
#include "payments/UnsentRows.h"
#include "platform/Convert.h"
#include "platform/Dialogs.h"
#include "platform/SystemClock.h"
#include "reports/DayReconciliation.h"
#include "reports/DayStatement.h"
#include "reports/MonthStatement.h"
#include "reports/Receipt.h"
#include "reports/SpreadsheetExport.h"
#include "reports/YearStatistics.h"

#include <QCoreApplication>

namespace {
const QString kOptions = QStringLiteral("options");
}

Terminal::Terminal(const QString& programDir, Dialogs* dialogs, SystemClock* clock, FileDialog* fileDialog,
                   QObject* parent)
    : QObject(parent), days_(ctx_, model_) {
    ctx_.programDir = programDir;
    ctx_.version = Builtins::version();
    ctx_.dialogs = dialogs;
    ctx_.clock = clock;
    ctx_.fileDialog = fileDialog;
    days_.table().setProgramDir(programDir);
    // The date picker starts on today; the day itself is loaded at login.
    if (clock)
        model_.shownDate = clock->now().date();
    terminateProgram = [] { QCoreApplication::exit(1); };

    // Each subsystem registers the server commands it handles.
    link_ = std::make_unique<ServerLink>(ctx_);
    link_->setServerList(Builtins::serverAddresses());
    configuration_ = std::make_unique<ConfigurationReplies>(ctx_, *link_);
    fileReplies_ = std::make_unique<FileReplies>(ctx_, *link_);
    account_ = std::make_unique<AccountSession>(ctx_, model_, *link_);
    ids_ = std::make_unique<TransactionIds>(ctx_, days_.table());
    transmission_ = std::make_unique<Transmission>(ctx_, *link_, days_);
    waiting_ = std::make_unique<WaitingSender>(ctx_, days_, *transmission_);
    creation_ = std::make_unique<PaymentCreation>(ctx_, *link_, days_, *ids_, *transmission_);
    paymentEntry_ = std::make_unique<PaymentEntry>();
    spreadsheet_ = std::make_unique<SpreadsheetExport>(ctx_);
    turnover_ = std::make_unique<TurnoverStatement>(ctx_, *link_, *fileReplies_, *spreadsheet_);
    statistics_ =
        std::make_unique<YearStatistics>(ctx_, *link_, *fileReplies_, account_->loginWindow(), *spreadsheet_);
    monthStatement_ =
        std::make_unique<MonthStatement>(ctx_, *link_, *fileReplies_, *statistics_, *spreadsheet_);
    dayStatement_ = std::make_unique<DayStatement>(ctx_, *link_, *fileReplies_, *statistics_,
                                                   *monthStatement_, *spreadsheet_);
    reconciliation_ = std::make_unique<DayReconciliation>(ctx_, *link_, *fileReplies_, days_, *transmission_,
                                                          *spreadsheet_);
    priceList_ = std::make_unique<PriceList>(ctx_, model_, *link_, *fileReplies_, *spreadsheet_);
    stock_ = std::make_unique<Stock>(ctx_, model_, *link_, *fileReplies_, *spreadsheet_);
    goodsSale_ = std::make_unique<GoodsSale>(ctx_, model_, *ids_, *creation_);
    // The price list and the stock hand the item picked to the sale.
    connect(priceList_.get(), &GoodsList::picked, goodsSale_.get(), &GoodsSale::take);
    connect(stock_.get(), &GoodsList::picked, goodsSale_.get(), &GoodsSale::take);
    receipt_ = std::make_unique<Receipt>(ctx_, model_, days_.table());
    cancellation_ = std::make_unique<Cancellation>(ctx_, days_, *ids_, *transmission_);
    search_ = std::make_unique<PaymentSearch>(ctx_, model_, *link_);
    unsent_ = std::make_unique<UnsentRows>(days_.table());

    connect(configuration_.get(), &ConfigurationReplies::settingsStored, this,
            &Terminal::applyTerminalSettings);
    connect(account_.get(), &AccountSession::settingsNeeded, this, &Terminal::applyTerminalSettings);
    connect(account_.get(), &AccountSession::accepted, this, [this] {
        days_.showDay(days_.today());
        // Payments left unsent are not forgotten. Asked at once: nothing can be
        // paid in between and be taken for a payment left over.
        waiting_->offer();
    });
    connect(waiting_.get(), &WaitingSender::stateText, this,
            [this](const QString& text) { model_.setStatus(StatusPanel::State, text); });
    connect(account_.get(), &AccountSession::directoryFailed, this, [this] { terminateProgram(); });
    connect(account_.get(), &AccountSession::greeted, &model_, &MainWindowModel::hideTransmissionPanel);

    // The payment window hands over what the cashier entered.
    auto input = [this] {
        const PaymentEntry& e = *paymentEntry_;
        return PaymentInput{e.operatorCaption(), e.article(), e.accountNumber(), e.creditedText(),
                            e.sumText()};
    };
    connect(paymentEntry_.get(), &PaymentEntry::payRequested, this,
            [this, input] { creation_->payNow(input()); });
    connect(paymentEntry_.get(), &PaymentEntry::deferRequested, this,
            [this, input] { creation_->defer(input()); });
    connect(paymentEntry_.get(), &PaymentEntry::balanceRequested, this,
            [this, input] { creation_->queryBalance(input()); });

    showLinkState();
    showTransmission();
    showReports();
    showUnsentCount();
}

Terminal::~Terminal() = default;

void Terminal::showLinkState() {
    ServerLink* link = link_.get();
    connect(link, &ServerLink::stateText, this,
            [this](const QString& text) { model_.setStatus(StatusPanel::State, text); });
    connect(link, &ServerLink::connected, this,
            [this](const QString& server) { model_.setStatus(StatusPanel::Server, server); });
    connect(link, &ServerLink::connecting, this, [this] {
        model_.registerEnabled = false;
        model_.notify();
    });
    connect(link, &ServerLink::disconnected, this, [this] {
        model_.registerEnabled = true;
        model_.notify();
    });
    connect(link, &ServerLink::disconnectedByCashier, this, [this] {
        model_.depositCheckEnabled = false;
        model_.registerEnabled = true;
        model_.endTransmission();
    });
}

void Terminal::showTransmission() {
    Transmission* tx = transmission_.get();
    connect(tx, &Transmission::sendingStarted, &model_, &MainWindowModel::beginTransmission);
    connect(tx, &Transmission::statusPassRunning, &model_, &MainWindowModel::showTransmissionPanel);
    connect(tx, &Transmission::chainEnded, &model_, &MainWindowModel::endTransmission);
    connect(tx, &Transmission::answerNotFound, &model_, &MainWindowModel::hideTransmissionPanel);
    connect(tx, &Transmission::sendCommandsLocked, &model_, &MainWindowModel::lockSendCommands);
    connect(tx, &Transmission::captionChanged, this, [this](const QString& caption) {
        model_.transmissionCaption = caption;
        model_.notify();
    });
    connect(tx, &Transmission::progressChanged, this, [this](int position, int maximum) {
        model_.setProgress(position >= 0 ? position : model_.progressPos, maximum);
    });
    connect(tx, &Transmission::stateText, this,
            [this](const QString& text) { model_.setStatus(StatusPanel::State, text); });
}

void Terminal::showReports() {
    // "Подробно" of the statistics page opens the month, that of the month a day.
    connect(statistics_.get(), &YearStatistics::monthChosen, monthStatement_.get(), &MonthStatement::open);
    connect(monthStatement_.get(), &MonthStatement::dayChosen, dayStatement_.get(), &DayStatement::open);
    connect(spreadsheet_.get(), &SpreadsheetExport::saved, this, [this](const QString& path) {
        model_.workbookPath = path;
        model_.notify();
    });
}

void Terminal::showUnsentCount() {
    model_.unsentCount = unsent_->count();
    connect(unsent_.get(), &UnsentRows::changed, this, [this](int count) {
        model_.unsentCount = count;
        model_.notify();
    });
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
    spreadsheet_->exportToSpreadsheet(lines, PaymentJournal::ColumnCount, QStringLiteral("Журнал"));
}

void Terminal::formCreate() {
    ctx_.registered = false;
    model_.caption = QStringLiteral("Orvanta версия ") + ctx_.version;
    ctx_.ipIni = IniFile(ctx_.programDir + QStringLiteral("ip.ini"));
    ctx_.payloadBuffer.clear();
    model_.versionText = ctx_.version;
    ctx_.serverAddress =
        ctx_.ipIni.readString(kOptions, QStringLiteral("ip"), Builtins::defaultServerAddress());
    ctx_.serverPort =
        ctx_.ipIni.readString(kOptions, QStringLiteral("ipport"), Builtins::defaultServerPort());
    model_.serverAddressText = ctx_.serverAddress;
    model_.serverPortText = ctx_.serverPort;
    ctx_.operatorIni = IniFile(ctx_.programDir + QStringLiteral("operator.ini"));
    ctx_.operatorCatalogueStamp = ctx_.operatorIni.readString(kOptions, QStringLiteral("create"), QString());
    model_.notify();

    link_->setTls(TlsSettings::read(ctx_.ipIni, ctx_.programDir));
    // A port that is not an integer stops the creation here.
    link_->setPeer(ctx_.serverAddress, quint16(Convert::strToInt(ctx_.serverPort)));
    balGridMonths_ = {QStringLiteral("Месяц"),    QStringLiteral("Январь"),  QStringLiteral("Февраль"),
                      QStringLiteral("Март"),     QStringLiteral("Апрель"),  QStringLiteral("Май"),
                      QStringLiteral("Июнь"),     QStringLiteral("Июль"),    QStringLiteral("Август"),
                      QStringLiteral("Сентябрь"), QStringLiteral("Октябрь"), QStringLiteral("Ноябрь"),
                      QStringLiteral("Декабрь")};
    statistics_->setMonthNames(balGridMonths_);
    days_.table().resetHeaders();
    connectToServer();
    model_.notify();
}

void Terminal::applyTerminalSettings() {
    model_.userText = QStringLiteral("New");
    ctx_.terminalSettingsIni = IniFile(ctx_.settingsPath(ctx_.loginTerminal));
    const IniFile& s = ctx_.terminalSettingsIni;
    model_.supportText = s.readString(kOptions, QStringLiteral("telsparv"), Builtins::supportTelephone());
    model_.userText = s.readString(kOptions, QStringLiteral("user"), QStringLiteral("New"));
    model_.addressText = s.readString(kOptions, QStringLiteral("adres"), QString());
    ctx_.inn = s.readString(kOptions, QStringLiteral("inn"), QString());
    ctx_.terminalSettingsStamp = s.readString(kOptions, QStringLiteral("create"), QString());
    const QString address = s.readString(kOptions, QStringLiteral("ip"), ctx_.serverAddress);
    const QString port = s.readString(kOptions, QStringLiteral("IpPort"), ctx_.serverPort);
    model_.notify();
    // The running connection keeps its server; the new one is used from the next start.
    if (address != ctx_.serverAddress)
        ctx_.ipIni.writeString(kOptions, QStringLiteral("ip"), address);
    if (port != ctx_.serverPort)
        ctx_.ipIni.writeString(kOptions, QStringLiteral("IpPort"), port);
    buildCatalogue();
    days_.table().resetHeaders();
}

void Terminal::saveNetworkSettings(const QString& address, const QString& port) {
    ctx_.serverAddress = address;
    ctx_.serverPort = port;
    ctx_.ipIni.writeString(kOptions, QStringLiteral("ip"), ctx_.serverAddress);
    ctx_.ipIni.writeString(kOptions, QStringLiteral("ipport"), ctx_.serverPort);
    ctx_.dialogs->message(QStringLiteral("Для активации настроек необходимо \n перезапустить программу!"));
}

void Terminal::buildCatalogue() {
    ::buildCatalogue(ctx_, model_);
}

void Terminal::openOperator(int buttonIndex) {
    if (buttonIndex < 0 || buttonIndex >= MainWindowModel::OperatorButtonCount)
        return;
    const OperatorButtonState button = model_.operatorButtons[size_t(buttonIndex)];
    // Opened afresh, as the server may have replaced either file since the last
    // click. setting.ini is the one the catalogue build laid the buttons out from.
    const IniFile operators(ctx_.programDir + QStringLiteral("operator.ini"));
    const IniFile settings(ctx_.settingsPath(ctx_.terminalNumber));
    paymentEntry_->open(categoryCaption(model_.categoryTab), button,
                        OperatorProfile::read(operators, settings, button.hint));
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
