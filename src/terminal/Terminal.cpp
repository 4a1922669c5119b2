#include "terminal/Terminal.h"

#include "core/Builtins.h"
#include "core/OperatorCatalogue.h"
#include "core/TerminalCertificate.h"
#include "link/FileReplies.h"
#include "link/ServerLink.h"
#include "payments/PaymentEntry.h"
#include "platform/FileIo.h"
#include "platform/Convert.h"
#include "platform/Dialogs.h"
#include "platform/SystemClock.h"

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
    // The date picker starts on today; the day itself is loaded at login.
    if (clock)
        model_.dateData = clock->now().date();

    link_ = std::make_unique<ServerLink>(ctx_, model_);
    link_->setServerList(Builtins::serverAddresses());
    fileReplies_ = std::make_unique<FileReplies>(ctx_, model_, *link_);
    paymentEntry_ = std::make_unique<PaymentEntry>();
    link_->setHandler(QLatin1Char('G'), [this](const QString& m) { onOperatorCatalogue(m); });
    link_->setHandler(QLatin1Char('Q'), [this](const QString& m) { onTerminalSettings(m); });
    link_->setHandler(QLatin1Char('f'), [this](const QString& m) { fileReplies_->handle(m); });
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
    // Filled in by the payment journal.
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
