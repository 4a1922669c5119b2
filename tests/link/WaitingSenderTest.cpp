#include "link/WaitingSender.h"
#include "support/RegisteredTerminal.h"

namespace {

// Rows left unsent in today's and earlier days' files, offered after a login.
class Offered : public Registered {
protected:
    void SetUp() override {
        Registered::SetUp();
        if (HasFatalFailure())
            return;
        clock.set(QDateTime(QDate(2026, 12, 10), QTime(9, 30)));
        dayWith(yesterday, {{"101_Y2", "2"}, {"101_Y1", "0"}});
        dayWith(QDate(2026, 12, 2), {{"101_OLD", "0"}}); // eight days back: not offered
        dayWith(today, {{"101_T2", "0"}, {"101_T1", "0"}});
        terminal->days().showDay(today);
    }
    // Saved top to bottom as listed.
    void dayWith(const QDate& date, const QList<std::pair<const char*, const char*>>& rows) {
        terminal->days().showDay(date);
        for (auto it = rows.rbegin(); it != rows.rend(); ++it)
            addRow(QString::fromLatin1(it->first), QString::fromLatin1(it->second));
        terminal->days().saveDay();
    }
    // Answers every "o" with its acknowledgement and every "UZ" with a credit, as
    // the messages come, until the run is over.
    void serveUntilDone() {
        ASSERT_TRUE(waitUntil(
            [&] {
                const qsizetype end = server.received.indexOf("$k$");
                if (end >= 0) {
                    const QByteArray m = server.received.left(end);
                    server.received.remove(0, end + 3);
                    sent << m.left(m.indexOf('#') < 0 ? m.size() : m.indexOf('#'));
                    if (m.startsWith('o'))
                        server.send(m.left(m.indexOf('#')) + "$k$");
                    else if (m.startsWith("UZ"))
                        server.send("Z1#" + m.mid(2) + "$k$");
                }
                return !terminal->waiting().running();
            },
            10000));
    }
    // A cell of a day's file as it is on disk.
    QString onDisk(const QDate& date, int row, int column) {
        PaymentJournal j;
        j.fromDayFile(dayFile(date));
        return j.cell(row, column);
    }
    const QDate today{2026, 12, 10};
    const QDate yesterday{2026, 12, 9};
    QList<QByteArray> sent;
};

TEST_F(Offered, TodaysRowsGoFirstThenEachEarlierDayThroughItsOwnFile) {
    dialogs.answer(true);
    terminal->waiting().offer();
    EXPECT_EQ(dialogs.shown.first().text,
              QStringLiteral("Неотправленные платежи: 3 (из них за прошлые дни: 1). Отправить сейчас?"));
    serveUntilDone();
    EXPECT_EQ(sent, QList<QByteArray>({"o101_T2", "o101_T1", "UZ101_T2", "UZ101_T1", "o101_Y1", "UZ101_Y1"}));
    // Each answer in the file its row came from; the old day left alone.
    EXPECT_EQ(onDisk(today, 2, Col::Note), QStringLiteral("Зачислено"));
    EXPECT_EQ(onDisk(today, 3, Col::Note), QStringLiteral("Зачислено"));
    EXPECT_EQ(onDisk(yesterday, 3, Col::SendFlag), QStringLiteral("2"));
    EXPECT_EQ(onDisk(QDate(2026, 12, 2), 2, Col::SendFlag), QStringLiteral("0"));
    // Back on today, with the earlier days' result in the status bar and one closing box.
    EXPECT_EQ(terminal->days().shownDay(), today);
    EXPECT_EQ(status().text(StatusPanel::State), QStringLiteral("Отправлено: прошлые дни 1 из 1"));
    EXPECT_EQ(dialogs.texts().count(QStringLiteral("Синхронизация платежей успешно закончена!")), 1);
}

TEST_F(Offered, CancelLeavesEverythingAndNothingWaitingAsksNothing) {
    dialogs.answer(false);
    terminal->waiting().offer();
    EXPECT_EQ(dialogs.shown.size(), 1);
    QTest::qWait(30);
    EXPECT_TRUE(server.received.isEmpty());
    EXPECT_EQ(onDisk(today, 2, Col::SendFlag), QStringLiteral("0"));

    // Once all is sent, a login asks nothing.
    dialogs.shown.clear();
    for (const QDate& d : {today, yesterday, QDate(2026, 12, 2)})
        TestFiles::write(terminal->days().dayFilePath(d), PaymentJournal().toDayFile());
    terminal->waiting().offer();
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_F(Offered, ARefusalStopsTheRunAndTheRestWaits) {
    dialogs.answer(true);
    terminal->waiting().offer();
    ASSERT_TRUE(server.waitForReceived("$k$"));
    serve("O$k$"); // deposit exhausted on the first row
    ASSERT_TRUE(waitUntil([&] { return !terminal->waiting().running(); }));
    EXPECT_EQ(terminal->days().shownDay(), today);
    EXPECT_EQ(status().text(StatusPanel::State), QStringLiteral("Прервано: прошлые дни 0 из 1"));
    EXPECT_EQ(onDisk(yesterday, 3, Col::SendFlag), QStringLiteral("0"));
}

} // namespace
