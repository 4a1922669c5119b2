#pragma once

#include "link/AccountSession.h"
#include "platform/Locale.h"
#include "reports/DayStatement.h"
#include "reports/MonthStatement.h"
#include "reports/SpreadsheetExport.h"
#include "reports/YearStatistics.h"
#include "support/FakeSpreadsheet.h"
#include "support/LinkedTerminal.h"

// A registered terminal 101 (login "101") over loopback, its month names in
// place, exporting into a fake spreadsheet. `subDir` puts the program in a
// folder of that name inside the temporary one.
class Reports : public Linked {
protected:
    FakeSpreadsheet& sheet = spreadsheet;
    QChar separatorBefore = Locale::decimalSeparator();

    void SetUp() override { setUpIn(QString()); }
    void setUpIn(const QString& subDir) {
        if (!subDir.isEmpty()) {
            programDir += subDir + QLatin1Char('/');
            QDir().mkpath(programDir);
        }
        Linked::SetUp();
        if (HasFatalFailure())
            return;
        session().setLoginTerminal(QStringLiteral("101")); session().setTerminalNumber(QStringLiteral("101"));
        session().setRegistered(true);
        terminal->account().setTypedLogin(QStringLiteral("101"));
    }
    void TearDown() override { Locale::setDecimalSeparator(separatorBefore); }

    YearStatistics& year() { return terminal->statistics(); }
    MonthStatement& month() { return terminal->monthStatement(); }
    DayStatement& day() { return terminal->dayStatement(); }

    // The server's next request, whole, once its last terminator is in.
    QByteArray nextRequest(const QByteArray& last = "$k$") {
        if (!server.waitForReceived(last))
            return "(nothing)";
        const QByteArray r = server.received;
        server.received.clear();
        return r;
    }
    // A file reply as the server sends it (texts written in UTF-8 here).
    void reply(const char* name, const char* content) {
        serve(QByteArray("f") + name + "/" + TestFiles::cp(content) + "$k$");
    }
    QStringList row(const YearStatistics& s, int r) const {
        QStringList out;
        for (int c = 0; c < YearStatistics::ColumnCount; ++c)
            out << s.cell(r, c);
        return out;
    }
    QStringList row(const MonthStatement& s, int r) const {
        QStringList out;
        for (int c = 0; c < MonthStatement::ColumnCount; ++c)
            out << s.cell(r, c);
        return out;
    }
    QStringList row(const DayStatement& s, int r) const {
        QStringList out;
        for (int c = 0; c < DayStatement::ColumnCount; ++c)
            out << s.cell(r, c);
        return out;
    }
};
