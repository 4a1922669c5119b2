#include "ReportsFixture.h"

#include "core/TerminalCertificate.h"
#include "reports/DayReconciliation.h"

#include <QSignalSpy>

#include <algorithm>

namespace {

class Reconcile : public Reports {
protected:
    void SetUp() override {
        Reports::SetUp();
        if (HasFatalFailure())
            return;
        openDayOf101();
        // Top to bottom: a payment the server has, and one deferred.
        add(QStringLiteral("101_B"), QStringLiteral("49.00"), QStringLiteral("0"));
        add(QStringLiteral("101_A"), QStringLiteral("98.00"), QStringLiteral("2"));
        terminal->days().saveDay();
    }
    void add(const QString& id, const QString& credited, const QString& flag) {
        PaymentJournal& j = terminal->journal();
        j.insertPaymentRow();
        j.setPaymentRow(2, JournalRow{"09.12.26 10:00:00", " Орбита Мобайл", "901234567", credited, credited,
                                      id, QString(), "1101", "20", QString(), SendFlagText::read(flag)});
    }
    DayReconciliation& reconciliation() { return terminal->reconciliation(); }
};

TEST_F(Reconcile, AsksForTheDayShownAndComparesTheStatementWhenItArrives) {
    QSignalSpy dayShown(&terminal->dayStatement(), &DayStatement::shown);
    ASSERT_TRUE(reconciliation().start());
    EXPECT_EQ(nextRequest(), QByteArray("J9101#12#9#26$k$"));
    EXPECT_FALSE(reconciliation().file().tableVisible());
    EXPECT_FALSE(reconciliation().compared());

    reply("9101#12#9", "Остаток на начало дня 09.12.2026: 1000.00 сомони\r\n"
                       "10:00#09.12.26#901234567#98.00#0.00#902.00#101_A#Орбита Мобайл#\r\n"
                       "11:00#09.12.26#907777777#5.00#0.00#897.00#101_Z#Звезда#\r\n");
    ASSERT_TRUE(reconciliation().compared());
    // The statement asked for the reconciliation does not open the daily statement window.
    EXPECT_EQ(dayShown.count(), 0);
    const Reconciliation::Result& r = reconciliation().result();
    EXPECT_EQ(r.matched, 1);
    ASSERT_EQ(r.onlyInJournal.size(), 1);
    EXPECT_EQ(r.onlyInJournal[0].transactionId, QStringLiteral("101_B"));
    ASSERT_EQ(r.onlyOnServer.size(), 1);
    EXPECT_EQ(r.onlyOnServer[0].transactionId, QStringLiteral("101_Z"));
    Locale::setDecimalSeparator(QLatin1Char(','));
    EXPECT_EQ(
        reconciliation().summary(),
        QStringList({"Совпадают: 1", "Нет на сервере: 1 на сумму 49,00", "Нет в журнале: 1 на сумму 5,00",
                     "Суммы расходятся: 0 (в журнале 0,00, на сервере 0,00)"}));

    reconciliation().report();
    const QList<QStringList> rows = sheet.rows();
    ASSERT_GE(rows.size(), 3);
    EXPECT_EQ(rows[0], QStringList({"Сверка с сервером за 09.12.2026"}));
    EXPECT_TRUE(rows.contains(
        QStringList({"09.12.26 10:00:00", " Орбита Мобайл", "901234567", "49.00", "101_B", ""})));
    EXPECT_TRUE(rows.contains(QStringList({"11:00", "09.12.26", "907777777", "5.00", "101_Z", "Звезда"})));
    // Each list's sums are numbers, its accounts and the summary are not.
    for (const QString& sum : {QStringLiteral("49.00"), QStringLiteral("5.00")}) {
        const int row = int(std::find_if(rows.cbegin(), rows.cend(),
                                         [&](const QStringList& r) { return r.value(3) == sum; }) -
                            rows.cbegin()) +
                        1;
        EXPECT_TRUE(sheet.isNumber(row, 4)) << sum.toStdString();
        EXPECT_FALSE(sheet.isNumber(row, 3)) << sum.toStdString();
    }
    for (int row = 1; row <= 8; ++row)
        EXPECT_FALSE(sheet.isNumber(row, 4)) << row;

    // The missing payment goes from here, after the usual question.
    server.received.clear();
    dialogs.answer(true);
    reconciliation().sendMissing(0);
    EXPECT_EQ(dialogs.last().text, QStringLiteral("Провести платеж 901234567 101_B?"));
    EXPECT_TRUE(nextRequest().startsWith("o101_B#20$1101?49.00!49.00/901234567#CERT-1)"));
}

TEST_F(Reconcile, AStatementWithEveryPaymentOfTheJournalSaysSo) {
    ASSERT_TRUE(reconciliation().start());
    nextRequest();
    reply("9101#12#9", "Остаток на начало дня 09.12.2026: 1000.00 сомони\r\n"
                       "10:00#09.12.26#901234567#98.00#0.00#902.00#101_A#Орбита Мобайл#\r\n"
                       "10:30#09.12.26#901234567#49.00#0.00#853.00#101_B#Орбита Мобайл#\r\n");
    EXPECT_TRUE(reconciliation().result().clean());
    EXPECT_EQ(reconciliation().summary().value(0), QStringLiteral("Расхождений нет"));
    EXPECT_EQ(reconciliation().summary().value(1), QStringLiteral("Совпадают: 2"));
}

TEST_F(Reconcile, AnUnregisteredTerminalIsRefused) {
    session().setRegistered(false);
    EXPECT_FALSE(reconciliation().start());
    EXPECT_EQ(dialogs.last().text, QStringLiteral("Необходимо зарегистрироваться!"));
    QTest::qWait(30);
    EXPECT_TRUE(server.received.isEmpty());
}

} // namespace
