// What a shift's journals, records and drawer add up to, and the Z reports
// that close shifts.
#include "payments/DayJournal.h"
#include "payments/PaymentJournal.h"
#include "platform/AppError.h"
#include "platform/Money.h"
#include "platform/RecordFile.h"
#include "shift/ShiftFigures.h"
#include "shift/ShiftReport.h"
#include "shift/ZReports.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using Kind = CashDrawer::Entry::Kind;

QDateTime at(int month, int day, int h, int m, int s = 0, int ms = 0) {
    return QDateTime(QDate(2026, month, day), QTime(h, m, s, ms));
}

// A terminal directory with day files written as the journal writes them.
class Shifts : public ::testing::Test {
protected:
    QTemporaryDir tmp;
    QString dir = TestFiles::dirPath(tmp);

    void day(const QDate& date, const QList<JournalRow>& rows) {
        PaymentJournal j;
        j.clearDay();
        // Newest first, as payments are inserted.
        for (const JournalRow& r : rows)
            j.setPaymentRow(j.insertPaymentRow(), r);
        TestFiles::write(dir + DayJournal::fileName(date), j.toDayFile());
    }
    void record(const QDate& date, DayJournal::Record kind, const QStringList& fields) {
        RecordFile::append(dir + DayJournal::recordFileName(date, kind), fields);
    }
    static JournalRow payment(const char* when, const char* article, const char* name, const char* credited,
                              const char* received, const char* id, SendFlag flag, const char* status = "1") {
        return JournalRow{when, name, "901234567", credited, received, id, "", article, "1", status, flag};
    }
};

// One shift from 20:00 on the 9th (the last close) to 09:30 on the 10th, with
// a row of every kind on both days and records of each.
TEST_F(Shifts, EveryRowOfAShiftOverMidnightCountsWhereItBelongs) {
    const QDate d9(2026, 12, 9), d10(2026, 12, 10);
    day(d9, {
                payment("09.12.26 19:59:59", "500", "Орбита Мобайл", "98.00", "100.00", "101_A", SendFlag::Final),
                // The close's own second: counted by that close.
                payment("09.12.26 20:00:00", "500", "Орбита Мобайл", "9.00", "10.00", "101_B", SendFlag::Final),
                payment("09.12.26 21:15:00", "500", "Орбита Мобайл", "196.00", "200.00", "101_C", SendFlag::Final),
                // Deferred, still unsent.
                payment("09.12.26 23:59:59", "700", "Водоканал", "50", "50", "101_D", SendFlag::Unsent, ""),
            });
    day(d10, {
                 // Refused by the server at sending, kept in the journal.
                 payment("10.12.26 00:00:01", "500", "Орбита Мобайл", "294.00", "300.00", "101_E",
                         SendFlag::Unsent, ""),
                 // A goods sale: its sum is its credited cell.
                 JournalRow{"10.12.26 08:00:00", "Бумага", "&4001&", "37,50", "0", "101_F", "Зачислено", "4001",
                            "T", "1", SendFlag::Final},
                 // The cancellation of C, credited; a correction; a cancellation awaited.
                 JournalRow{"10.12.26 08:30:00", "Орбита Мобайл", "901234567", "-196.00", "-196.00", "101_G",
                            "Зачислено", "500", "1", "1", SendFlag::Final},
                 JournalRow{"10.12.26 08:40:00", "Водоканал", "901234567+901234568", "-50.00", "-50.00", "101_H",
                            "Зачислено", "700", "1", "1", SendFlag::Final},
                 JournalRow{"10.12.26 08:50:00", "Орбита Мобайл", "901234555", "-98.00", "-98.00", "101_I",
                            "В ожидании отмены", "500", "1", "12", SendFlag::Accepted},
                 // After the shift's end.
                 payment("10.12.26 09:31:00", "500", "Орбита Мобайл", "1.00", "1.00", "101_J", SendFlag::Final),
             });
    record(d10, DayJournal::Record::Transmission, {"10.12.26 00:00:02", "sent", "101_E"});
    record(d10, DayJournal::Record::Transmission, {"10.12.26 00:00:03", "refused", "101_E"});
    // D went out once and was refused, then went out again: it is unsent, not refused.
    record(d9, DayJournal::Record::Transmission, {"10.12.26 00:01:00", "refused", "101_D"});
    record(d9, DayJournal::Record::Transmission, {"10.12.26 00:02:00", "sent", "101_D"});

    // Deleted in the shift: a row of the shift; a row of the 9th taken before
    // the shift; a row of the 1st, whose record is not among the shift's days.
    const auto deleted = [](const char* when, const char* id, const char* received, const char* taken) {
        return QStringList{when, "deleted", id, "Орбита Мобайл", "901234567", received, received, "",
                           taken, "1"};
    };
    record(d10, DayJournal::Record::Deletions, deleted("10.12.26 08:10:00", "101_K", "20.00", "10.12.26 08:05:00"));
    record(d9, DayJournal::Record::Deletions, deleted("10.12.26 09:00:00", "101_L", "40.00", "09.12.26 18:00:00"));
    record(QDate(2026, 12, 1), DayJournal::Record::Deletions,
           deleted("10.12.26 09:10:00", "101_M", "15.00", "01.12.26 12:00:00"));
    // Deleted before the shift: not this shift's.
    record(d9, DayJournal::Record::Deletions, deleted("09.12.26 19:00:00", "101_N", "5.00", "09.12.26 18:30:00"));
    record(d10, DayJournal::Record::Deletions,
           {"10.12.26 09:20:00", "orphan", "101_Z", "", "", "", "", "", "", ""});

    // A cancellation the last close left awaited, credited since.
    day(QDate(2026, 12, 5), {JournalRow{"05.12.26 10:00:00", "Орбита Мобайл", "901234567", "-75.00", "-75.00",
                                        "101_OLD", "Зачислено", "500", "1", "1", SendFlag::Final}});

    ShiftFigures::Sources s;
    s.journalDir = dir;
    s.since = at(12, 9, 20, 0, 0, 400);
    s.until = at(12, 10, 9, 30);
    s.floatLeft = 12345;
    s.carried = {PendingCancellation{"101_OLD", QDate(2026, 12, 5)}};
    s.drawer = {
        {Kind::CashOut, at(12, 9, 19, 0), 99900, "before the shift"},
        {Kind::OpeningFloat, at(12, 9, 20, 5), 50000, ""},
        {Kind::CashIn, at(12, 10, 7, 0), 10000, "размен"},
        {Kind::CashOut, at(12, 10, 8, 55), 20000, "инкассация"},
        {Kind::CashIn, at(12, 10, 9, 45), 777, "after the end"},
    };
    const ShiftFigures f = ShiftFigures::read(s);

    ASSERT_EQ(f.operators.size(), 2u);
    EXPECT_EQ(f.operators[0].article, QStringLiteral("500"));
    EXPECT_EQ(f.operators[0].count, 2); // C and E
    EXPECT_EQ(f.operators[0].received, 50000);
    EXPECT_EQ(f.operators[0].credited, 49000);
    EXPECT_EQ(f.operators[0].commission(), 1000);
    EXPECT_EQ(f.operators[1].name, QStringLiteral("Водоканал"));
    EXPECT_EQ(f.operators[1].count, 1);
    EXPECT_EQ(f.operators[1].received, 5000);
    EXPECT_EQ(f.payments.count, 3);
    EXPECT_EQ(f.payments.received, 55000);
    EXPECT_EQ(f.payments.credited, 54000);

    const struct {
        const char* name;
        Tally tally;
        int count;
        qint64 cents;
    } tallies[] = {
        {"goods", f.goods, 1, 3750},
        {"cancellations credited", f.cancellations, 1, 19600},
        {"cancellations awaited", f.cancellationsAwaited, 1, 9800},
        {"cancellations of an earlier shift", f.lateCancellations, 1, 7500},
        {"corrections", f.corrections, 1, 5000},
        {"refused", f.refused, 1, 30000},
        {"unsent", f.unsent, 1, 5000},
        {"deleted", f.deleted, 3, 7500},
        {"deleted, taken earlier", f.deletedEarlier, 2, 5500},
        {"cash in", f.cashIn, 1, 10000},
        {"cash out", f.cashOut, 1, 20000},
    };
    for (const auto& t : tallies) {
        EXPECT_EQ(t.tally.count, t.count) << t.name;
        EXPECT_EQ(t.tally.cents, t.cents) << t.name;
    }
    EXPECT_EQ(f.orphans.size(), 1);
    ASSERT_EQ(f.awaited.size(), 1);
    EXPECT_EQ(f.awaited[0].transactionId, QStringLiteral("101_I"));
    EXPECT_EQ(f.awaited[0].day, d10);
    EXPECT_TRUE(f.floatEntered);
    EXPECT_EQ(f.openingFloat, 50000);

    EXPECT_EQ(f.taken(), 55000 + 3750);
    EXPECT_EQ(f.handedBack(), 19600 + 7500 + 5500);
    // 500 + 587.50 + 100 - 200 - 326
    EXPECT_EQ(f.expected(), 66150);

    // The printed report says the same, the difference with it.
    const QStringList lines = ShiftReport::lines(ShiftReport::items(
        ShiftReport::Kind::Z, 7, QStringLiteral("101"), f,
        ShiftReport::Closing{66050, QStringLiteral("одна купюра"), QStringLiteral("Сервер: расхождений нет")}));
    const QChar sep = Money::format(1).at(1);
    for (QString expected : {"Z-ОТЧЕТ № 7", "Начало смены: 09.12.2026 20:00:00", "Конец смены: 10.12.2026 09:30:00",
                             "500 Орбита Мобайл", "  Платежей: 2", "  Принято: 500,00", "  Комиссия: 10,00",
                             "Продажи товаров: 1 на 37,50", "Отказано сервером: 1 на 300,00",
                             "Не отправлено: 1 на 50,00", "Удалено: 3 на 75,00", "Размен на начало: 500,00",
                             "Ожидается в кассе: 661,50", "Подсчитано: 660,50", "Разница: -1,00 (недостача)",
                             "Примечание: одна купюра", "Сервер: расхождений нет"}) {
        expected.replace(QLatin1Char(','), sep);
        EXPECT_TRUE(lines.contains(expected)) << expected.toStdString() << "\n"
                                              << lines.join(QLatin1Char('\n')).toStdString();
    }
}

TEST_F(Shifts, ATerminalThatNeverClosedAShiftCountsFromTheStartOfToday) {
    day(QDate(2026, 12, 9), {payment("09.12.26 23:00:00", "500", "Орбита", "10", "10", "101_A", SendFlag::Final)});
    day(QDate(2026, 12, 10), {payment("10.12.26 00:00:00", "500", "Орбита", "20", "20", "101_B", SendFlag::Final)});
    ShiftFigures::Sources s;
    s.journalDir = dir;
    s.until = at(12, 10, 12, 0);
    s.drawer = {{Kind::OpeningFloat, at(12, 9, 8, 0), 1000, ""}, {Kind::CashIn, at(12, 10, 9, 0), 500, ""}};
    const ShiftFigures f = ShiftFigures::read(s);
    EXPECT_EQ(f.payments.count, 1);
    EXPECT_EQ(f.payments.received, 2000);
    // Yesterday's float is not this shift's.
    EXPECT_FALSE(f.floatEntered);
    EXPECT_EQ(f.openingFloat, 0);
    EXPECT_EQ(f.cashIn.cents, 500);
    EXPECT_EQ(f.expected(), 2500);
}

TEST(ShiftMoments, RowTimesReadInEitherYearForm) {
    const struct {
        const char* text;
        qint64 key;
    } cases[] = {
        {"09.12.26 14:05:09", 20261209140509},
        {"09.12.2026 14:05:09", 20261209140509},
        {"31.12.26 23:59:59", 20261231235959},
        {"", 0},
        {"09.12.26", 0},
        {"9.12.26 14:05:09", 0},
        {"09.13.26 14:05:09", 0},
        {"09.12.26 14-05-09", 0},
        {"09.12.26 1x:05:09", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ShiftFigures::momentKey(QString::fromUtf8(c.text)), c.key) << c.text;
}

TEST_F(Shifts, ZReportsAreNumberedOnAndNeverWrittenTwice) {
    ShiftFigures f;
    f.since = at(12, 9, 8, 0);
    f.until = at(12, 9, 20, 0, 0, 250);
    f.awaited = {PendingCancellation{"101_I", QDate(2026, 12, 9)}};
    {
        const ZReports zs(dir);
        EXPECT_EQ(zs.nextNumber(), 1);
        EXPECT_FALSE(zs.last().has_value());
        const ZReports::Closed one = zs.write({"Z-ОТЧЕТ № 1"}, {"Показатель##"}, f, 4200);
        EXPECT_EQ(one.number, 1);
        EXPECT_TRUE(QFile::exists(dir + QStringLiteral("Z0001.txt")));
    }
    // Another start: the number goes on; what the next shift needs reads back.
    const ZReports zs(dir);
    EXPECT_EQ(zs.nextNumber(), 2);
    const std::optional<ZReports::Closed> last = zs.last();
    ASSERT_TRUE(last.has_value());
    EXPECT_EQ(last->until, f.until); // to the millisecond
    EXPECT_EQ(last->since, f.since);
    EXPECT_EQ(last->drawer, 4200);
    ASSERT_EQ(last->awaited.size(), 1);
    EXPECT_EQ(last->awaited[0].transactionId, QStringLiteral("101_I"));
    EXPECT_EQ(last->lines, QStringList({"Z-ОТЧЕТ № 1"}));
    EXPECT_EQ(last->table, QStringList({"Показатель##"}));
    // cp1251, CR LF.
    const QByteArray bytes = TestFiles::read(dir + QStringLiteral("Z0001.txt"));
    EXPECT_TRUE(bytes.startsWith(TestFiles::cp("Z-ОТЧЕТ № 1\r\n[Z]\r\n")));

    // A Z file spoiled by hand keeps its number taken; the last readable one
    // starts the shift.
    TestFiles::write(dir + QStringLiteral("Z0002.txt"), "garbage\r\n");
    EXPECT_EQ(zs.nextNumber(), 3);
    EXPECT_EQ(zs.last()->number, 1);
    EXPECT_FALSE(zs.read(2).has_value());
    EXPECT_EQ(zs.numbers(), QList<int>({1, 2}));
    // Files that only look like Z reports are none.
    TestFiles::write(dir + QStringLiteral("Z12.txt"), "x");
    TestFiles::write(dir + QStringLiteral("Zabc.txt"), "x");
    EXPECT_EQ(zs.numbers(), QList<int>({1, 2}));
}

TEST_F(Shifts, AZReportAlreadyThereIsNeverOverwritten) {
    const ZReports zs(dir);
    ShiftFigures f;
    f.until = at(12, 9, 20, 0);
    zs.write({"first"}, {}, f, 0);
    // A file of the next number appearing meanwhile (another copy of the program).
    TestFiles::write(dir + QStringLiteral("Z0002.txt"), "someone else's\r\n");
    const ZReports::Closed three = zs.write({"third"}, {}, f, 0);
    EXPECT_EQ(three.number, 3);
    EXPECT_EQ(TestFiles::read(dir + QStringLiteral("Z0002.txt")), QByteArray("someone else's\r\n"));
}

} // namespace
