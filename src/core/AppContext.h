#pragma once

#include "core/IniFile.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

class Dialogs;
class SystemClock;
class FileDialog;
class ReceiptPrinter;
class SpreadsheetWriter;

// Process-wide state of the terminal, owned by the main window for the whole run.
struct AppContext {
    QString programDir; // with a trailing "/"
    QString version;
    QString serverAddress;
    QString serverPort;

    IniFile ipIni;
    IniFile operatorIni;
    IniFile terminalSettingsIni;

    QString operatorCatalogueStamp;
    QString terminalSettingsStamp;
    QString terminalNumber;
    QString loginTerminal;
    QString journalDir;
    bool registered = false;
    // 0 in the clock's terms, that is 30.12.1899 00:00, until the first login.
    QDateTime loginDateTime{QDate(1899, 12, 30), QTime(0, 0)};

    QStringList payloadBuffer;
    QString categorySection;
    QString paymentType;
    QString inn;
    QString lastRequest;
    QString newsText;

    // The seams every part of the logic reaches the platform through.
    Dialogs* dialogs = nullptr;
    SystemClock* clock = nullptr;
    FileDialog* fileDialog = nullptr;
    ReceiptPrinter* printer = nullptr;         // the receipt
    SpreadsheetWriter* spreadsheet = nullptr; // the spreadsheet export

    // setting.ini of a terminal directory: programDir + terminal + "/setting.ini".
    QString settingsPath(const QString& terminal) const {
        return programDir + terminal + QStringLiteral("/setting.ini");
    }
};
