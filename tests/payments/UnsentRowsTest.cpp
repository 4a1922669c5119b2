#include "payments/UnsentRows.h"
#include "payments/PaymentJournal.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

using Col = PaymentJournal::Column;

int insert(PaymentJournal& journal, const QString& flag) {
    const int row = journal.insertPaymentRow();
    journal.setCell(row, Col::SendFlag, flag);
    return row;
}

// Every way the journal changes keeps the count equal to a fresh count.
TEST(UnsentRows, FollowsEveryChangeOfTheJournal) {
    PaymentJournal journal;
    journal.clearDay();
    UnsentRows unsent(journal);
    QSignalSpy spy(&unsent, &UnsentRows::changed);
    auto counted = [&journal] {
        int n = 0;
        for (int r = PaymentJournal::FirstDataRow; r < journal.totalsRow(); ++r)
            n += journal.cell(r, Col::SendFlag) == QLatin1String("0") ? 1 : 0;
        return n;
    };
    EXPECT_EQ(unsent.count(), 0);

    insert(journal, QStringLiteral("0"));
    insert(journal, QStringLiteral("2"));
    insert(journal, QStringLiteral("0")); // flags top to bottom: 0, 2, 0
    EXPECT_EQ(unsent.count(), 2);
    EXPECT_EQ(spy.last().at(0).toInt(), 2);

    journal.setCell(4, Col::SendFlag, QStringLiteral("1")); // acknowledged
    EXPECT_EQ(unsent.count(), 1);
    // "9" waits to be sent as "0" does; "00" is not "0".
    journal.setCell(3, Col::SendFlag, QStringLiteral("9"));
    journal.setCell(2, Col::SendFlag, QStringLiteral("00"));
    EXPECT_EQ(unsent.count(), 1);
    journal.setCell(3, Col::SendFlag, QStringLiteral("2"));
    EXPECT_EQ(unsent.count(), 0);
    journal.setCell(2, Col::SendFlag, QStringLiteral("0"));
    journal.setPaymentRow(3, JournalRow{"", "", "", "", "", "id", "", "", "", "", SendFlag::Unsent});
    EXPECT_EQ(unsent.count(), 2);
    EXPECT_EQ(unsent.count(), counted());

    journal.removePaymentRow(2);
    EXPECT_EQ(unsent.count(), 1);
    EXPECT_EQ(unsent.count(), counted());

    // Another day loaded in one step.
    const QByteArray day = journal.toDayFile();
    journal.clearDay();
    EXPECT_EQ(unsent.count(), 0);
    ASSERT_TRUE(journal.fromDayFile(day));
    EXPECT_EQ(unsent.count(), 1);
    EXPECT_EQ(unsent.count(), counted());

    // A change elsewhere in the row says nothing.
    const qsizetype reported = spy.count();
    journal.setCell(2, Col::Note, QStringLiteral("в процессе"));
    journal.setCell(2, Col::Credited, QStringLiteral("5.00"));
    EXPECT_EQ(spy.count(), reported);
}

} // namespace
