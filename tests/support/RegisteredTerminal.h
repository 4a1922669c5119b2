#pragma once

#include "core/TerminalCertificate.h"
#include "link/Transmission.h"
#include "payments/PaymentJournal.h"
#include "support/LinkedTerminal.h"

#include <QDir>

// A registered terminal 101 with today's journal open and a certificate.
class Registered : public Linked {
protected:
    using Col = PaymentJournal::Column;

    void SetUp() override {
        Linked::SetUp();
        if (HasFatalFailure())
            return;
        openDayOf101();
    }

    PaymentJournal& journal() { return terminal->journal(); }
    // The row the grid has selected, as the window hands it to a command.
    JournalRow selectedRow() { return journal().paymentRow(journal().currentRow()); }
    // Sends the selected row, as a new payment is sent right after it was filed.
    void sendSelectedRow() { tx().send(journal().cell(journal().currentRow(), Col::TransactionId)); }
    QString certificatePath() { return terminal->environment().certificatePath(QStringLiteral("101")); }

    // Adds a row at the top (so call in bottom-to-top order).
    int addRow(const QString& id, const QString& flag, const QString& account = QStringLiteral("901234567")) {
        const int row = journal().insertPaymentRow();
        journal().setCell(row, Col::ExecutedAt, QStringLiteral("09.12.26 10:00:00"));
        journal().setCell(row, Col::OperatorName, QStringLiteral(" Орбита Мобайл"));
        journal().setCell(row, Col::Account, account);
        journal().setCell(row, Col::Credited, QStringLiteral("98.00"));
        journal().setCell(row, Col::Received, QStringLiteral("100"));
        journal().setCell(row, Col::TransactionId, id);
        journal().setCell(row, Col::Article, QStringLiteral("1101"));
        journal().setCell(row, Col::PaymentType, QStringLiteral("20"));
        journal().setCell(row, Col::SendFlag, flag);
        return row;
    }

    // Reads the next message the terminal sent; empty when none came in time.
    QByteArray nextSent() {
        const bool ok = waitUntil([&] { return server.received.contains("$k$"); }, 3000);
        if (!ok)
            return QByteArray();
        const qsizetype end = server.received.indexOf("$k$");
        const QByteArray m = server.received.left(end);
        server.received.remove(0, end + 3);
        return m;
    }

    QByteArray dayFile(const QDate& date) {
        return TestFiles::read(session().journalDir() + date.toString(QStringLiteral("yyyyMMdd")) +
                               QStringLiteral(".dat"));
    }
};
