#pragma once

#include "WireClient.h"
#include "sim/PaymentServer.h"

#include <QDateTime>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>

// Readable QStrings in failure messages.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

// A simulator on 127.0.0.1 with a free port and a fixed clock (Monday 15 June 2026, 10:30).
class SimFixture : public ::testing::Test {
protected:
    void SetUp() override;

    // A connected client whose greeting has been taken.
    std::unique_ptr<WireClient> connectClient();
    // A client logged in with current stamps, its ")", "p", "B" and "N" answers taken.
    std::unique_ptr<WireClient> loggedIn(const QString& login = "101", const QString& password = "kassa2026");
    QStringList loginWrite(const QString& login, const QString& password, const QString& settingsStamp,
                           const QString& catalogueStamp) const;
    // An "o" message as the terminal builds it, with the demo account's certificate.
    QString payment(const QString& transaction, const QString& credited, const QString& account = "901234567",
                    const QString& paymentType = "20", const QString& article = "1101") const;

    sim::PaymentServer server;
    QDateTime clockNow{QDate(2026, 6, 15), QTime(10, 30)};
};

// The lines of a file reply's content, which travel with CR LF between them.
QStringList contentLines(const QString& content);
// The "#"-closed fields of a line; text after the last "#" is not a field.
QStringList fields(const QString& line);
// A sum as the files write it ("1234.56") in cents; fails the test on anything else.
qint64 cents(const QString& text);
