#include "payments/PaymentJournal.h"
#include "platform/Locale.h"

#include <QModelIndex>

#include <gtest/gtest.h>

namespace {

class PaymentJournalTest : public ::testing::Test {
protected:
    void SetUp() override { Locale::setDecimalSeparator(QLatin1Char('.')); }
    void TearDown() override { Locale::setDecimalSeparator(QLatin1Char('.')); }

    // Inserts a payment row at the top, as every writer does.
    void addPayment(const QString& credited, const QString& received,
                    const QString& transaction = QString()) {
        journal.insertPaymentRow();
        journal.setCell(2, PaymentJournal::Credited, credited);
        journal.setCell(2, PaymentJournal::Received, received);
        journal.setCell(2, PaymentJournal::TransactionId, transaction);
    }

    PaymentJournal journal;
};

TEST_F(PaymentJournalTest, FreshDayHasHeadersTwoBlankRowsAndZeroTotals) {
    ASSERT_EQ(journal.rowCount(), 5);
    EXPECT_EQ(journal.columnCount(), 11);
    EXPECT_EQ(journal.totalsRow(), 4);
    EXPECT_EQ(journal.currentRow(), 2);
    EXPECT_EQ(journal.cell(0, 0), QStringLiteral("Время выполнения"));
    EXPECT_EQ(journal.cell(0, 3), QStringLiteral("Сумма"));
    EXPECT_EQ(journal.cell(0, 4), QString());
    EXPECT_EQ(journal.cell(1, 3), QStringLiteral("Зачислено"));
    EXPECT_EQ(journal.cell(1, 4), QStringLiteral("Получено"));
    EXPECT_EQ(journal.cell(0, 10), QStringLiteral("Отправка"));
    EXPECT_EQ(journal.cell(4, 3), QStringLiteral("0.00"));
    EXPECT_EQ(journal.cell(4, 4), QStringLiteral("0.00"));
    const int widths[11] = {120, 130, 130, 100, 100, 150, 130, 0, 0, 0, 0};
    for (int c = 0; c < 11; ++c)
        EXPECT_EQ(journal.columnWidth(c), widths[c]) << "column " << c;
}

TEST_F(PaymentJournalTest, HeaderMerges) {
    for (int c : {0, 1, 2, 5, 6})
        EXPECT_EQ(journal.span(journal.index(0, c)), QSize(1, 2)) << "column " << c;
    EXPECT_EQ(journal.span(journal.index(0, 3)), QSize(2, 1));
    for (int c : {4, 7, 8, 9, 10})
        EXPECT_EQ(journal.span(journal.index(0, c)), QSize(1, 1)) << "column " << c;
    EXPECT_EQ(journal.span(journal.index(1, 3)), QSize(1, 1));
    EXPECT_EQ(journal.span(journal.index(2, 0)), QSize(1, 1));
}

// Sums are read after the first "." and then the first "," become the locale's
// separator; what does not read as a number counts 0. Cancellation rows are negative.
TEST_F(PaymentJournalTest, TotalsUnderEitherSeparator) {
    struct Case {
        QChar separator;
        const char* credited;
        const char* received;
    };
    for (const Case& c :
         {Case{QLatin1Char('.'), "30.50", "57.25"}, Case{QLatin1Char(','), "30,50", "57,25"}}) {
        SCOPED_TRACE(QString(c.separator).toStdString());
        Locale::setDecimalSeparator(c.separator);
        PaymentJournal j;
        auto add = [&j](const char* credited, const char* received) {
            j.insertPaymentRow();
            j.setCell(2, PaymentJournal::Credited, QString::fromUtf8(credited));
            j.setCell(2, PaymentJournal::Received, QString::fromUtf8(received));
        };
        add("150.00", "155.00");
        add("-150.00", "-150.00");
        add("20,5", " 7.25 ");
        add("abc", "1.234,5"); // two separators once normalised: not a number
        add("10", "45");
        add("", "сумма");
        const int totals = j.totalsRow();
        EXPECT_EQ(totals, 10);
        EXPECT_EQ(j.cell(totals, PaymentJournal::Credited), QString::fromUtf8(c.credited));
        EXPECT_EQ(j.cell(totals, PaymentJournal::Received), QString::fromUtf8(c.received));
        EXPECT_EQ(j.cell(totals, PaymentJournal::ExecutedAt), QString());
    }
}

TEST_F(PaymentJournalTest, TotalsFollowEveryChange) {
    addPayment(QStringLiteral("100.00"), QStringLiteral("101.00"));
    addPayment(QStringLiteral("50.00"), QStringLiteral("51.00"));
    EXPECT_EQ(journal.cell(journal.totalsRow(), 3), QStringLiteral("150.00"));

    journal.setCell(3, PaymentJournal::Credited, QStringLiteral("-100.00"));
    EXPECT_EQ(journal.cell(journal.totalsRow(), 3), QStringLiteral("-50.00"));

    journal.removePaymentRow(2);
    EXPECT_EQ(journal.cell(journal.totalsRow(), 3), QStringLiteral("-100.00"));
    EXPECT_EQ(journal.cell(journal.totalsRow(), 4), QStringLiteral("101.00"));

    // A value written over the totals does not stay: the totals are kept.
    journal.setCell(journal.totalsRow(), 3, QStringLiteral("999"));
    EXPECT_EQ(journal.cell(journal.totalsRow(), 3), QStringLiteral("-100.00"));
}

TEST_F(PaymentJournalTest, InsertionPutsTheNewRowOnTopAndSelectsIt) {
    addPayment(QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("old"));
    journal.setCurrentRow(3);
    QList<int> announced;
    QObject::connect(&journal, &PaymentJournal::currentRowChanged,
                     [&announced](int row) { announced << row; });

    EXPECT_EQ(journal.insertPaymentRow(), 2);
    EXPECT_EQ(journal.rowCount(), 7);
    EXPECT_EQ(journal.cell(2, PaymentJournal::TransactionId), QString());
    EXPECT_EQ(journal.cell(3, PaymentJournal::TransactionId), QStringLiteral("old"));
    EXPECT_EQ(journal.currentRow(), 2);
    EXPECT_EQ(announced, QList<int>{2});
    EXPECT_EQ(journal.cell(journal.totalsRow(), 3), QStringLiteral("1.00"));
}

TEST_F(PaymentJournalTest, RemovalTakesOnlyDataRows) {
    addPayment(QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("a"));
    addPayment(QStringLiteral("2"), QStringLiteral("2"), QStringLiteral("b"));
    const int rows = journal.rowCount();
    for (int row : {-1, 0, 1, journal.totalsRow(), journal.totalsRow() + 1}) {
        journal.removePaymentRow(row);
        EXPECT_EQ(journal.rowCount(), rows) << "row " << row;
    }
    EXPECT_EQ(journal.cell(0, 0), QStringLiteral("Время выполнения"));

    journal.setCurrentRow(3);
    journal.removePaymentRow(2);
    EXPECT_EQ(journal.rowCount(), rows - 1);
    EXPECT_EQ(journal.cell(2, PaymentJournal::TransactionId), QStringLiteral("a"));
    EXPECT_EQ(journal.currentRow(), 3);
}

TEST_F(PaymentJournalTest, CurrentRowStaysBetweenTheHeadersAndTheEnd) {
    journal.setCurrentRow(0);
    EXPECT_EQ(journal.currentRow(), 2);
    journal.setCurrentRow(100);
    EXPECT_EQ(journal.currentRow(), journal.totalsRow());
}

TEST_F(PaymentJournalTest, FindRowContainsAndExact) {
    // Newest first: rows 5, 4, 3, 2 in the order added.
    addPayment(QString(), QString(), QStringLiteral("000_2612"));
    journal.setCell(2, PaymentJournal::SendFlag, QStringLiteral("1"));
    addPayment(QString(), QString(), QStringLiteral("000_261209100000"));
    journal.setCell(2, PaymentJournal::SendFlag, QStringLiteral("0"));
    addPayment(QString(), QString(), QStringLiteral("ABC_1"));
    journal.setCell(2, PaymentJournal::SendFlag, QStringLiteral("10"));
    addPayment(QString(), QString(), QStringLiteral("abc_1"));
    journal.setCell(2, PaymentJournal::SendFlag, QStringLiteral("1"));

    using M = PaymentJournal::Match;
    struct Case {
        int column;
        const char* text;
        int afterRow;
        M match;
        int expected;
    };
    const Case cases[] = {
        {PaymentJournal::SendFlag, "1", 1, M::Contains, 2},
        {PaymentJournal::SendFlag, "1", 2, M::Contains, 3}, // "10" contains "1"
        {PaymentJournal::SendFlag, "1", 2, M::Exact, 5},
        {PaymentJournal::SendFlag, "0", 1, M::Contains, 3},
        {PaymentJournal::SendFlag, "0", 3, M::Contains, 4},
        {PaymentJournal::SendFlag, "0", 4, M::Contains, -1},
        {PaymentJournal::TransactionId, "ABC_1", 1, M::Contains, 2}, // case ignored
        {PaymentJournal::TransactionId, "abc_1", 2, M::Exact, 3},
        // a shorter id held inside a longer one matches the longer row higher up
        {PaymentJournal::TransactionId, "000_2612", 1, M::Contains, 4},
        {PaymentJournal::TransactionId, "000_2612", 1, M::Exact, 5},
        {PaymentJournal::TransactionId, "261209100000", 1, M::Exact, -1},
        // header and totals rows are never searched
        {PaymentJournal::OperatorName, "Оператор", -1, M::Contains, -1},
        {PaymentJournal::Credited, "0.00", 1, M::Contains, -1},
        {11, "1", 1, M::Contains, -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(journal.findRow(c.column, QString::fromUtf8(c.text), c.afterRow, c.match), c.expected)
            << "column " << c.column << " text " << c.text << " after " << c.afterRow;
    }
}

TEST_F(PaymentJournalTest, ExactIdLookupFollowsEveryChangeOfTheTable) {
    using M = PaymentJournal::Match;
    const int id = PaymentJournal::TransactionId;
    addPayment(QString(), QString(), QStringLiteral("t1"));
    EXPECT_EQ(journal.findRow(id, QStringLiteral("t1"), 1, M::Exact), 2);
    addPayment(QString(), QString(), QStringLiteral("t2")); // t1 moves down
    EXPECT_EQ(journal.findRow(id, QStringLiteral("t1"), 1, M::Exact), 3);
    journal.setCell(3, id, QStringLiteral("t9"));
    EXPECT_EQ(journal.findRow(id, QStringLiteral("t1"), 1, M::Exact), -1);
    EXPECT_EQ(journal.findRow(id, QStringLiteral("T9"), 1, M::Exact), 3);
    journal.setCell(2, id, QStringLiteral("t9")); // two rows with one id: top first
    EXPECT_EQ(journal.findRow(id, QStringLiteral("t9"), 1, M::Exact), 2);
    EXPECT_EQ(journal.findRow(id, QStringLiteral("t9"), 2, M::Exact), 3);
    journal.removePaymentRow(2);
    EXPECT_EQ(journal.findRow(id, QStringLiteral("t9"), 1, M::Exact), 2);
    EXPECT_EQ(journal.findRow(id, QStringLiteral("t9"), 2, M::Exact), -1);
    const QByteArray saved = journal.toDayFile();
    journal.clearDay();
    EXPECT_EQ(journal.findRow(id, QStringLiteral("t9"), 1, M::Exact), -1);
    ASSERT_TRUE(journal.fromDayFile(saved));
    EXPECT_EQ(journal.findRow(id, QStringLiteral("t9"), 1, M::Exact), 2);
}

TEST_F(PaymentJournalTest, FindTextWrapsOverShownColumns) {
    addPayment(QString(), QString(), QStringLiteral("t1"));
    journal.setCell(2, PaymentJournal::Note, QStringLiteral("Зачислено"));
    addPayment(QString(), QString(), QStringLiteral("t2"));
    journal.setCell(2, PaymentJournal::SendFlag, QStringLiteral("зачислено")); // hidden column
    addPayment(QString(), QString(), QStringLiteral("t3"));
    journal.setCell(2, PaymentJournal::Note, QStringLiteral("ЗАЧИСЛЕНО"));
    // rows: 2 = t3, 3 = t2, 4 = t1, 5 and 6 blank, 7 totals

    EXPECT_EQ(journal.findText(QStringLiteral("зачисл"), 2, true), 4);
    EXPECT_EQ(journal.findText(QStringLiteral("зачисл"), 4, true), 2);
    EXPECT_EQ(journal.findText(QStringLiteral("зачисл"), 2, false), 4);
    EXPECT_EQ(journal.findText(QStringLiteral("зачисл"), 7, true), 2);
    EXPECT_EQ(journal.findText(QStringLiteral("t1"), 4, true), 4); // only itself
    EXPECT_EQ(journal.findText(QStringLiteral("Получено"), 2, true), -1);
    EXPECT_EQ(journal.findText(QString(), 2, true), -1);
}

TEST_F(PaymentJournalTest, ARowTellsItsSendFlagAndStatusForTheGridToDraw) {
    struct Case {
        const char* status;
        const char* sendFlag;
        SendFlag flag;
        PaymentStatus kind;
    };
    const Case cases[] = {
        {"", "0", SendFlag::Unsent, PaymentStatus::None},         {"1", "2", SendFlag::Final, PaymentStatus::Credited},
        {"7", "1", SendFlag::Accepted, PaymentStatus::Queued},     {"3", "9", SendFlag::Held, PaymentStatus::Failed},
        {"77", "x", SendFlag::Other, PaymentStatus::Other},        {"", "", SendFlag::None, PaymentStatus::None},
    };
    journal.insertPaymentRow();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.status);
        journal.setCell(2, PaymentJournal::Status, QString::fromUtf8(c.status));
        journal.setCell(2, PaymentJournal::SendFlag, QString::fromUtf8(c.sendFlag));
        EXPECT_EQ(journal.sendFlag(2), c.flag);
        EXPECT_EQ(journal.status(2), c.kind);
        for (int column : {0, 3, 6}) {
            const QModelIndex at = journal.index(2, column);
            EXPECT_EQ(SendFlag(journal.data(at, PaymentJournal::SendFlagRole).toInt()), c.flag);
            EXPECT_EQ(PaymentStatus(journal.data(at, PaymentJournal::StatusRole).toInt()), c.kind);
        }
    }
    // A flag an operation sets is written as the day file keeps it.
    journal.setSendFlag(2, SendFlag::Accepted);
    EXPECT_EQ(journal.cell(2, PaymentJournal::SendFlag), QStringLiteral("1"));
    EXPECT_EQ(journal.paymentRow(2).sendFlag, SendFlag::Accepted);
}

TEST_F(PaymentJournalTest, AlignmentOfHeadersAndSums) {
    addPayment(QStringLiteral("1.00"), QStringLiteral("1.00"));
    auto align = [this](int row, int column) {
        return Qt::Alignment(journal.data(journal.index(row, column), Qt::TextAlignmentRole).toInt());
    };
    EXPECT_EQ(align(0, 0), Qt::AlignCenter);
    EXPECT_EQ(align(1, 4), Qt::AlignCenter);
    EXPECT_EQ(align(2, 3), Qt::AlignRight | Qt::AlignVCenter);
    EXPECT_EQ(align(journal.totalsRow(), 4), Qt::AlignRight | Qt::AlignVCenter);
    EXPECT_EQ(align(2, 1), Qt::AlignLeft | Qt::AlignVCenter);
}

TEST_F(PaymentJournalTest, ChangesOfStatusRepaintTheWholeRow) {
    journal.insertPaymentRow();
    QList<QPair<QModelIndex, QModelIndex>> changed;
    QObject::connect(&journal, &QAbstractItemModel::dataChanged,
                     [&changed](const QModelIndex& from, const QModelIndex& to) {
                         changed.append({from, to});
                     });
    journal.setCell(2, PaymentJournal::Status, QStringLiteral("3"));
    ASSERT_EQ(changed.size(), 1);
    EXPECT_EQ(changed.first().first, journal.index(2, 0));
    EXPECT_EQ(changed.first().second, journal.index(2, 10));
}

} // namespace
