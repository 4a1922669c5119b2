#include "terminal/Terminal.h"

#include "core/Builtins.h"
#include "core/OperatorCatalogue.h"
#include "core/TerminalCertificate.h"
#include "link/AccountSession.h"
#include "link/FileReplies.h"
#include "link/PaymentCreation.h"
#include "link/ServerLink.h"
#include "link/Transmission.h"
#include "payments/PaymentEntry.h"
#include "platform/FileIo.h"
#include "platform/AppError.h"
#include "platform/Convert.h"
#include "platform/Dialogs.h"
#include "platform/FileDialog.h"
#include "platform/SystemClock.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {
const QString kOptions = QStringLiteral("options");
}

Terminal::Terminal(const QString& programDir, Dialogs* dialogs, SystemClock* clock, FileDialog* fileDialog,
                   QObject* parent)
    : QObject(parent) {
    ctx_.programDir = programDir;
    ctx_.version = Builtins::version();
    ctx_.dialogs = dialogs;
    ctx_.clock = clock;
    ctx_.fileDialog = fileDialog;
    journal_.setProgramDir(programDir);
    // The date picker starts on today; the day itself is loaded at login.
    if (clock)
        model_.dateData = clock->now().date();

    link_ = std::make_unique<ServerLink>(ctx_, model_);
    link_->setServerList(Builtins::serverAddresses());
    fileReplies_ = std::make_unique<FileReplies>(ctx_, model_, *link_);
    paymentEntry_ = std::make_unique<PaymentEntry>();
    // The payment window hands over what the cashier entered.
    connect(paymentEntry_.get(), &PaymentEntry::createPaymentRequested, this, [this](const QString& mode) {
        const PaymentEntry& e = *paymentEntry_;
        creation_->createPayment(mode, PaymentInput{e.butonCaption(), e.butonHint(), e.accountNumber(),
                                                    e.label18(), e.edit3()});
    });
    link_->setHandler(QLatin1Char('G'), [this](const QString& m) { onOperatorCatalogue(m); });
    link_->setHandler(QLatin1Char('Q'), [this](const QString& m) { onTerminalSettings(m); });
    link_->setHandler(QLatin1Char('f'), [this](const QString& m) { fileReplies_->handle(m); });
    account_ = std::make_unique<AccountSession>(ctx_, model_, *link_);
    account_->applyTerminalSettings = [this] { applyTerminalSettings(); };
    account_->openToday = [this] { showDay(today()); };
    account_->terminate = [this] { terminateProgram(); };
    terminateProgram = [] { QCoreApplication::exit(1); };
    using Msg = const QString&;
    link_->setHandler(QLatin1Char('d'), [this](Msg m) { account_->onGreeting(m); });
    link_->setHandler(QLatin1Char('p'), [this](Msg m) { account_->onAccepted(m); });
    link_->setHandler(QLatin1Char('B'), [this](Msg m) { account_->onDeposit(m); });
    link_->setHandler(QLatin1Char('L'), [this](Msg m) { account_->onPasswordResult(m); });
    link_->setHandler(QLatin1Char('N'), [this](Msg m) { account_->onNews(m); });

    transmission_ = std::make_unique<Transmission>(
        ctx_, model_, *link_, journal_,
        Transmission::Days{[this] { saveDay(); }, [this] { return showingToday(); },
                           [this] {
                               return ctx_.journalDir + today().toString(QStringLiteral("yyyyMMdd")) +
                                      QStringLiteral(".dat");
                           }});
    creation_ = std::make_unique<PaymentCreation>(
        ctx_, *link_, journal_, *transmission_,
        PaymentCreation::Days{[this] { return showingToday(); }, [this] { showDay(today()); },
                              [this] { saveDay(); }});
    link_->setHandler(QLatin1Char('o'), [this](Msg m) { transmission_->onAcknowledged(m); });
    link_->setHandler(QLatin1Char('Z'), [this](Msg m) { transmission_->onStatus(m); });
    link_->setHandler(QLatin1Char('O'), [this](Msg m) { transmission_->onRefused(m); });
    link_->setHandler(QLatin1Char('('), [this](Msg m) { transmission_->onRefused(m); });
    link_->setHandler(QLatin1Char(')'),
                      [this](const QString& m) { TerminalCertificate::storeCertificate(ctx_, m.mid(1)); });
}

Terminal::~Terminal() = default;


void Terminal::formCreate() {
    ctx_.registered = false;
    model_.caption = QStringLiteral("Orvanta версия ") + ctx_.version;
    ctx_.ipIni = IniFile(ctx_.programDir + QStringLiteral("ip.ini"));
    ctx_.payloadBuffer.clear();
    model_.vers = ctx_.version;
    ctx_.serverAddress = ctx_.ipIni.readString(kOptions, QStringLiteral("ip"), Builtins::defaultServerAddress());
    ctx_.serverPort = ctx_.ipIni.readString(kOptions, QStringLiteral("ipport"), Builtins::defaultServerPort());
    model_.comboBox1Text = ctx_.serverAddress;
    model_.comboBox2Text = ctx_.serverPort;
    ctx_.operatorIni = IniFile(ctx_.programDir + QStringLiteral("operator.ini"));
    ctx_.operatorCatalogueStamp = ctx_.operatorIni.readString(kOptions, QStringLiteral("create"), QString());
    model_.notify();

    // A port that is not an integer stops the creation here.
    link_->setPeer(ctx_.serverAddress, quint16(Convert::strToInt(ctx_.serverPort)));
    balGridMonths_ = {QStringLiteral("Месяц"),   QStringLiteral("Январь"),  QStringLiteral("Февраль"),
                      QStringLiteral("Март"),    QStringLiteral("Апрель"),  QStringLiteral("Май"),
                      QStringLiteral("Июнь"),    QStringLiteral("Июль"),    QStringLiteral("Август"),
                      QStringLiteral("Сентябрь"), QStringLiteral("Октябрь"), QStringLiteral("Ноябрь"),
                      QStringLiteral("Декабрь")};
    resetJournalHeaders();
    connectToServer();
    model_.notify();
}

void Terminal::applyTerminalSettings() {
    model_.label5 = QStringLiteral("New");
    ctx_.terminalSettingsIni = IniFile(ctx_.settingsPath(ctx_.loginTerminal));
    const IniFile& s = ctx_.terminalSettingsIni;
    model_.label20 = s.readString(kOptions, QStringLiteral("telsparv"), Builtins::supportTelephone());
    model_.label5 = s.readString(kOptions, QStringLiteral("user"), QStringLiteral("New"));
    model_.label4 = s.readString(kOptions, QStringLiteral("adres"), QString());
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
    resetJournalHeaders();
}

void Terminal::saveNetworkSettings(const QString& address, const QString& port) {
    ctx_.serverAddress = address;
    ctx_.serverPort = port;
    ctx_.ipIni.writeString(kOptions, QStringLiteral("ip"), ctx_.serverAddress);
    ctx_.ipIni.writeString(kOptions, QStringLiteral("ipport"), ctx_.serverPort);
    ctx_.dialogs->message(QStringLiteral("Для активации настроек необходимо \n перезапустить программу!"));
}

void Terminal::buildCatalogue() { ::buildCatalogue(ctx_, model_); }

void Terminal::openOperator(int buttonIndex) {
    if (buttonIndex < 0 || buttonIndex >= MainWindowModel::OperatorButtonCount)
        return;
    const OperatorButtonState button = model_.buttons[size_t(buttonIndex)];
    // Opened afresh, as the server may have replaced either file since the last
    // click. setting.ini is the one the catalogue build laid the buttons out from.
    const IniFile operators(ctx_.programDir + QStringLiteral("operator.ini"));
    const IniFile settings(ctx_.settingsPath(ctx_.terminalNumber));
    paymentEntry_->open(categoryCaption(model_.categoryTab), button,
                        OperatorProfile::read(operators, settings, button.hint));
}

void Terminal::resetJournalHeaders() {
    journal_.resetHeaders();
}

void Terminal::connectToServer() { link_->connectToServer(); }

void Terminal::disconnectFromServer() { link_->disconnectFromServer(); }

QString Terminal::peerAddress() const { return link_->peerAddress(); }

int Terminal::peerPort() const { return link_->peerPort(); }

void Terminal::onOperatorCatalogue(const QString& message) {
    ctx_.payloadBuffer = FileIo::splitLines(message.mid(1));
    const QString path = ctx_.programDir + QStringLiteral("operator.ini");
    FileIo::writeLines(path, ctx_.payloadBuffer);
    ctx_.operatorIni = IniFile(path);
    ctx_.operatorCatalogueStamp = ctx_.operatorIni.readString(kOptions, QStringLiteral("create"), QString());
}

void Terminal::onTerminalSettings(const QString& message) {
    // Stored where the settings application reads it, also before the first
    // acceptance, when the terminal directory may not exist yet.
    const QString path = ctx_.settingsPath(ctx_.loginTerminal);
    QDir().mkpath(QFileInfo(path).absolutePath());
    FileIo::writeLines(path, FileIo::splitLines(message.mid(1)));
    applyTerminalSettings();
}

QString Terminal::dayFilePath() const {
    return ctx_.journalDir + model_.dateData.toString(QStringLiteral("yyyyMMdd")) + QStringLiteral(".dat");
}

void Terminal::saveDay() {
    // Before the first accepted login there is no terminal directory; the
    // journal must not land in whatever directory the program was started from.
    if (ctx_.journalDir.isEmpty())
        throw AppError(QStringLiteral("Журнал не сохранен: терминал не зарегистрирован"));
    FileIo::writeBytes(dayFilePath(), journal_.toDayFile());
}

void Terminal::loadDay() {
    const QString path = dayFilePath();
    if (ctx_.journalDir.isEmpty() || !FileIo::exists(path)) {
        journal_.clearDay();
    } else {
        QByteArray bytes;
        if (!FileIo::readBytes(path, &bytes) || !journal_.fromDayFile(bytes)) {
            // Emptied before the box: the box lets other events run, and they must
            // not find the previous day's payments under this day's date.
            journal_.clearDay();
            ctx_.dialogs->box(QStringLiteral("Неправвельный формат файла!!!"), QStringLiteral("Загрузка данных"),
                              Dialogs::Icon::Error);
        }
    }
    journal_.resetHeaders();
}

namespace {

// "yyyyMMdd..." at the start of a file name; an invalid date otherwise.
QDate dateFromFileName(const QString& name) {
    auto number = [&name](int from, int length) {
        const QString part = name.mid(from, length);
        bool ok = part.size() == length;
        for (const QChar c : part)
            ok = ok && c >= QLatin1Char('0') && c <= QLatin1Char('9');
        return ok ? part.toInt() : -1;
    };
    const int year = number(0, 4);
    const int month = number(4, 2);
    const int day = number(6, 2);
    if (year < 1 || month < 0 || day < 0)
        return QDate();
    return QDate(year, month, day);
}

} // namespace

void Terminal::openDayFile() {
    const QString chosen = ctx_.fileDialog->openFile(ctx_.journalDir, QStringLiteral("*.dat|*.dat"));
    if (chosen.isEmpty())
        return;
    const QDate date = dateFromFileName(QFileInfo(chosen).fileName());
    if (!date.isValid()) {
        ctx_.dialogs->box(QStringLiteral("Некорректный формат файла!!!"), QStringLiteral("Загрузка данных"),
                          Dialogs::Icon::Error);
        return;
    }
    // The day is always read from journalDir, wherever the chosen file was.
    showDay(date);
}

QDate Terminal::today() const { return ctx_.clock->now().date(); }

void Terminal::showDay(const QDate& date) {
    model_.dateData = date;
    model_.notify();
    loadDay();
}
