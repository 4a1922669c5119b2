#pragma once

#include "core/TerminalCertificate.h"
#include "link/ServerLink.h"
#include "link/Transmission.h"
#include "payments/PaymentJournal.h"
#include "platform/TextCodec.h"
#include "support/FakeClock.h"
#include "support/FakeDialogs.h"
#include "support/FakeFileDialog.h"
#include "support/FakePrinter.h"
#include "support/FakeSpreadsheet.h"
#include "support/LoopbackServer.h"
#include "support/TestFiles.h"
#include "terminal/Terminal.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

// A terminal connected over loopback to a scriptable server.
class Linked : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString programDir = TestFiles::dirPath(dir);
    FakeDialogs dialogs;
    FakeClock clock;
    FakeFileDialog fileDialog;
    FakePrinter printer;
    FakeSpreadsheet spreadsheet;
    LoopbackServer server;
    std::unique_ptr<Terminal> terminal;

    Seams seams() { return Seams{dialogs, clock, fileDialog, printer, spreadsheet}; }

    void SetUp() override {
        TestFiles::writeIpIni(programDir, server.port());
        terminal = std::make_unique<Terminal>(programDir, seams());
        terminal->formCreate();
        terminal->connectToServer();
        ASSERT_TRUE(server.waitForClient());
        ASSERT_TRUE(waitUntil([&] { return link().isOpen(); }));
    }

    // Terminal 101 after its login was accepted.
    void signInAs101() {
        session().setTerminalNumber(QStringLiteral("101"));
        session().setLoginTerminal(QStringLiteral("101"));
        session().setRegistered(true);
    }
    // ... at 14:05:09 on 9 December 2026, logged in that morning, with that day's
    // journal open in its directory and the certificate "CERT-1".
    void openDayOf101() {
        clock.set(QDateTime(QDate(2026, 12, 9), QTime(14, 5, 9)));
        signInAs101();
        session().setJournalDir(programDir + QStringLiteral("101/"));
        QDir().mkpath(session().journalDir());
        session().setLoginDateTime(QDateTime(QDate(2026, 12, 9), QTime(9, 0)));
        TerminalCertificate::storeCertificate(terminal->environment().certificatePath(QStringLiteral("101")),
                                              QStringLiteral("CERT-1"));
        terminal->days().showDay(QDate(2026, 12, 9));
    }

    // A payment on its way to the server: the transmission panel up, the journal
    // commands waiting for its answer.
    void putAPaymentOnItsWay() {
        session().setRegistered(true);
        session().setJournalDir(programDir + QStringLiteral("101/"));
        QDir().mkpath(session().journalDir());
        PaymentJournal& journal = terminal->journal();
        const int row = journal.insertPaymentRow();
        journal.setCell(row, PaymentJournal::TransactionId, QStringLiteral("101_ON_ITS_WAY"));
        journal.setSendFlag(row, SendFlag::Unsent);
        tx().send(QStringLiteral("101_ON_ITS_WAY"));
        ASSERT_TRUE(tx().panel().visible);
    }

    ServerLink& link() { return terminal->link(); }
    Transmission& tx() { return terminal->transmission(); }
    Session& session() { return terminal->session(); }
    StatusLine& status() { return terminal->status(); }
    // Sends messages from the server and waits until the terminal logged them.
    void serve(const QByteArray& wire) {
        const quint64 before = link().protocolLinesLogged();
        server.send(wire);
        ASSERT_TRUE(waitUntil([&] { return link().protocolLinesLogged() > before; }));
        // One read may not hold all of it; wait for the last byte to be logged.
        ASSERT_TRUE(
            waitUntil([&] { return loggedSince(before).contains(TextCodec::fromCp1251(wire.right(3))); }));
    }
    // The lines logged after the log had counted `before` lines (as many as it still keeps).
    QString loggedSince(quint64 before) {
        const QStringList& log = link().protocolLog();
        const qsizetype fresh =
            qsizetype(qMin<quint64>(link().protocolLinesLogged() - before, quint64(log.size())));
        return log.mid(log.size() - fresh).join(QString());
    }
};
