#include "payments/WaitingPayments.h"
#include "payments/DayJournal.h"
#include "support/FakeClock.h"
#include "support/FakeDialogs.h"
#include "support/FakeFileDialog.h"
#include "support/FakePrinter.h"
#include "support/FakeSpreadsheet.h"
#include "support/TestFiles.h"
#include "terminal/Terminal.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class Waiting : public ::testing::Test {
protected:
    void SetUp() override {
        terminal.session().setJournalDir(TestFiles::dirPath(dir) + QStringLiteral("101/"));
        QDir().mkpath(terminal.session().journalDir());
    }

    // A day file whose rows carry these send flags, top to bottom.
    void day(const QDate& date, const QStringList& flags) {
        PaymentJournal j;
        for (qsizetype i = flags.size() - 1; i >= 0; --i) {
            const int row = j.insertPaymentRow();
            j.setCell(row, PaymentJournal::TransactionId,
                      date.toString(QStringLiteral("'101_'yyMMdd")) + QString::number(i));
            j.setCell(row, PaymentJournal::SendFlag, flags[i]);
        }
        TestFiles::write(terminal.days().dayFilePath(date), j.toDayFile());
    }

    QTemporaryDir dir;
    FakeDialogs dialogs;
    FakeClock clock;
    FakeFileDialog fileDialog;
    FakePrinter printer;
    FakeSpreadsheet spreadsheet;
    Terminal terminal{TestFiles::dirPath(dir), Seams{dialogs, clock, fileDialog, printer, spreadsheet}};
    const QDate today{2026, 12, 10};
};

TEST_F(Waiting, TodayAndTheLastSevenDaysAreLookedThrough) {
    day(today, {"0", "2", "0"});
    day(today.addDays(-1), {"1", "0"});
    day(today.addDays(-3), {"2", "9"}); // "9" waits to be sent as "0" does
    day(today.addDays(-8), {"0"});      // too old to offer
    TestFiles::write(terminal.days().dayFilePath(today.addDays(-2)), "0,0\r\n"); // damaged: skipped

    const QList<WaitingPayments::Day> found = WaitingPayments::find(terminal.days(), today, 7);
    ASSERT_EQ(found.size(), 3);
    EXPECT_EQ(found[0].date, today);
    EXPECT_EQ(found[0].transactionIds, QList<QString>({"101_2612100", "101_2612102"}));
    EXPECT_EQ(found[1].date, today.addDays(-1));
    EXPECT_EQ(found[1].transactionIds, QList<QString>({"101_2612091"}));
    EXPECT_EQ(found[2].date, today.addDays(-3));
    EXPECT_EQ(found[2].transactionIds, QList<QString>({"101_2612071"}));
    EXPECT_EQ(WaitingPayments::count(found), 4);
    EXPECT_EQ(WaitingPayments::countBefore(found, today), 2);
    EXPECT_EQ(WaitingPayments::question(found, today),
              QStringLiteral("Неотправленные платежи: 4 (из них за прошлые дни: 2). Отправить сейчас?"));
}

TEST_F(Waiting, NothingWaitingFindsNothing) {
    day(today, {"2", "1"});
    EXPECT_TRUE(WaitingPayments::find(terminal.days(), today, 7).isEmpty());
}

} // namespace
