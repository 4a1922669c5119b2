#include "terminal/Terminal.h"

#include "core/Builtins.h"
#include "core/OperatorCatalogue.h"
#include "platform/Convert.h"
#include "platform/Dialogs.h"

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
}

Terminal::~Terminal() = default;

void Terminal::formCreate() {
    formCreateSteps_ = 0;
    // 1. programDir was given at construction.
    formCreateSteps_ = 1;
    ctx_.registered = false;
    formCreateSteps_ = 2;
    model_.caption = QStringLiteral("Orvanta версия ") + ctx_.version;
    formCreateSteps_ = 3;
    ctx_.ipIni = IniFile(ctx_.programDir + QStringLiteral("ip.ini"));
    formCreateSteps_ = 4;
    ctx_.payloadBuffer.clear();
    formCreateSteps_ = 5;
    model_.vers = ctx_.version;
    formCreateSteps_ = 6;
    ctx_.serverAddress = ctx_.ipIni.readString(kOptions, QStringLiteral("ip"), Builtins::defaultServerAddress());
    ctx_.serverPort = ctx_.ipIni.readString(kOptions, QStringLiteral("ipport"), Builtins::defaultServerPort());
    formCreateSteps_ = 7;
    model_.comboBox1Text = ctx_.serverAddress;
    model_.comboBox2Text = ctx_.serverPort;
    formCreateSteps_ = 8;
    ctx_.operatorIni = IniFile(ctx_.programDir + QStringLiteral("operator.ini"));
    ctx_.operatorCatalogueStamp = ctx_.operatorIni.readString(kOptions, QStringLiteral("create"), QString());
    formCreateSteps_ = 9;
    model_.notify();

    // A port that is not an integer stops the creation here.
    peerPort_ = Convert::strToInt(ctx_.serverPort);
    peerAddress_ = ctx_.serverAddress;
    formCreateSteps_ = 10;
    balGridMonths_ = {QStringLiteral("Месяц"),   QStringLiteral("Январь"),  QStringLiteral("Февраль"),
                      QStringLiteral("Март"),    QStringLiteral("Апрель"),  QStringLiteral("Май"),
                      QStringLiteral("Июнь"),    QStringLiteral("Июль"),    QStringLiteral("Август"),
                      QStringLiteral("Сентябрь"), QStringLiteral("Октябрь"), QStringLiteral("Ноябрь"),
                      QStringLiteral("Декабрь")};
    formCreateSteps_ = 11;
    resetJournalHeaders();
    formCreateSteps_ = 12;
    connectToServer();
    formCreateSteps_ = 13;
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

void Terminal::resetJournalHeaders() {
    // Filled in by the payment journal.
}

void Terminal::connectToServer() {
    // Filled in by the server link.
}
