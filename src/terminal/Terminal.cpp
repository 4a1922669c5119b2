#include "terminal/Terminal.h"

#include "core/Builtins.h"
#include "platform/Convert.h"
#include "platform/Dialogs.h"
#include "platform/FileDialog.h"
#include "platform/FileIo.h"

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

void Terminal::buildCatalogue() {
    // Filled in by the operator catalogue.
}

void Terminal::resetJournalHeaders() {
    journal_.resetHeaders();
}

void Terminal::connectToServer() {
    // Filled in by the server link.
}

QString Terminal::dayFilePath() const {
    return ctx_.journalDir + model_.dateData.toString(QStringLiteral("yyyyMMdd")) + QStringLiteral(".dat");
}

void Terminal::saveDay() {
    FileIo::writeBytes(dayFilePath(), journal_.toDayFile());
}

void Terminal::loadDay() {
    const QString path = dayFilePath();
    if (!FileIo::exists(path)) {
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

void Terminal::showDay(const QDate& date) {
    model_.dateData = date;
    model_.notify();
    loadDay();
}
