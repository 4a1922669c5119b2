#include "platform/AppError.h"
#include "platform/Locale.h"
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

#include <csignal>
#include <functional>
#include <sys/resource.h>

namespace {

using TestFiles::cp;

class DayStorageTest : public ::testing::Test {
protected:
    void SetUp() override {
        Locale::setDecimalSeparator(QLatin1Char('.'));
        ASSERT_TRUE(dir.isValid());
        journalDir = TestFiles::dirPath(dir) + QStringLiteral("000/");
        QDir().mkpath(journalDir);
        terminal.session().setJournalDir(journalDir);
        terminal.days().showDay(QDate(2026, 12, 9));
    }

    PaymentJournal& journal() { return terminal.journal(); }

    void addPayment(const QString& transaction, const QString& credited) {
        journal().insertPaymentRow();
        journal().setPaymentRow(2, {QStringLiteral("09.12.26 10:00:00"), QStringLiteral(" Связь"),
                                    QStringLiteral("92777"), credited, credited, transaction,
                                    QStringLiteral("отложено"), QStringLiteral("7"), QStringLiteral("20"),
                                    QString(), SendFlag::Unsent});
    }

    QTemporaryDir dir;
    QString journalDir;
    FakeDialogs dialogs;
    FakeClock clock;
    FakeFileDialog fileDialog;
    FakePrinter printer;
    FakeSpreadsheet spreadsheet;
    Terminal terminal{TestFiles::dirPath(dir), Seams{dialogs, clock, fileDialog, printer, spreadsheet}};
};

TEST_F(DayStorageTest, EachDayHasItsOwnFile) {
    EXPECT_EQ(terminal.days().dayFilePath(), journalDir + QStringLiteral("20261209.dat"));
    addPayment(QStringLiteral("t9"), QStringLiteral("150.00"));
    terminal.days().saveDay();
    EXPECT_EQ(TestFiles::read(journalDir + QStringLiteral("20261209.dat")), journal().toDayFile());

    // Another day without a file: an empty day, quietly.
    terminal.days().showDay(QDate(2026, 12, 8));
    EXPECT_EQ(terminal.days().shownDay(), QDate(2026, 12, 8));
    EXPECT_EQ(journal().rowCount(), 5);
    EXPECT_EQ(journal().cell(0, 0), QStringLiteral("Время выполнения"));

    // A payment taken while that earlier day is shown belongs to that day.
    addPayment(QStringLiteral("t8"), QStringLiteral("20.00"));
    terminal.days().saveDay();

    terminal.days().showDay(QDate(2026, 12, 9));
    ASSERT_EQ(journal().rowCount(), 6);
    EXPECT_EQ(journal().cell(2, PaymentJournal::TransactionId), QStringLiteral("t9"));
    EXPECT_EQ(journal().cell(5, PaymentJournal::Credited), QStringLiteral("150.00"));
    terminal.days().showDay(QDate(2026, 12, 8));
    ASSERT_EQ(journal().rowCount(), 6);
    EXPECT_EQ(journal().cell(2, PaymentJournal::TransactionId), QStringLiteral("t8"));
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_F(DayStorageTest, LoadingSetsTheHeadersAgain) {
    // A file without header cells and with widths of its own.
    TestFiles::write(terminal.days().dayFilePath(), cp("11,6\r\ncw 0,10\r\ncw 8,40\r\n1,2, Связь\r\n"));
    terminal.days().loadDay();
    EXPECT_EQ(journal().rowCount(), 6);
    EXPECT_EQ(journal().cell(2, PaymentJournal::OperatorName), QStringLiteral(" Связь"));
    EXPECT_EQ(journal().cell(0, 0), QStringLiteral("Время выполнения"));
    EXPECT_EQ(journal().cell(1, 3), QStringLiteral("Зачислено"));
    EXPECT_EQ(journal().columnWidth(0), 120);
    EXPECT_EQ(journal().columnWidth(8), 0);
    EXPECT_EQ(journal().currentRow(), 2);
}

TEST_F(DayStorageTest, DamagedFileGivesTheMessageAndAnEmptyDay) {
    struct Case {
        const char* name;
        std::function<void(const QString&)> make;
    };
    const Case cases[] = {
        {"zero counts", [](const QString& p) { TestFiles::write(p, "0,0\r\n6,2,x\r\n"); }},
        {"no room for the headers", [](const QString& p) { TestFiles::write(p, "11,1\r\n"); }},
        {"unreadable", [](const QString& p) { QDir().mkpath(p); }},
    };
    int day = 1;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        terminal.days().showDay(QDate(2026, 11, day++));
        c.make(terminal.days().dayFilePath());
        addPayment(QStringLiteral("shown before"), QStringLiteral("1"));
        dialogs.shown.clear();
        int rowsWhileBoxOpen = -1;
        dialogs.onBox = [&](const FakeDialogs::Shown&) { rowsWhileBoxOpen = journal().rowCount(); };

        terminal.days().loadDay();

        ASSERT_EQ(dialogs.shown.size(), 1);
        EXPECT_EQ(dialogs.last().kind, FakeDialogs::Kind::Box);
        EXPECT_EQ(dialogs.last().text, QStringLiteral("Неправвельный формат файла!!!"));
        EXPECT_EQ(dialogs.last().title, QStringLiteral("Загрузка данных"));
        EXPECT_EQ(dialogs.last().icon, Dialogs::Icon::Error);
        EXPECT_EQ(rowsWhileBoxOpen, 5) << "the previous day must be gone while the box is open";
        EXPECT_EQ(journal().rowCount(), 5);
        EXPECT_EQ(journal().cell(0, 0), QStringLiteral("Время выполнения"));
        EXPECT_EQ(journal().cell(4, PaymentJournal::Credited), QStringLiteral("0.00"));
    }
}

// Writes fail once a file grows past a few bytes, as on a full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit limited = previous_;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }

private:
    rlimit previous_{};
    void (*previousHandler_)(int) = nullptr;
};

TEST_F(DayStorageTest, FailedSaveKeepsTheFileAndTheTable) {
    addPayment(QStringLiteral("t1"), QStringLiteral("1.00"));
    terminal.days().saveDay();
    const QByteArray onDisk = TestFiles::read(terminal.days().dayFilePath());
    addPayment(QStringLiteral("t2"), QStringLiteral("2.00"));
    const QByteArray inMemory = journal().toDayFile();

    {
        const FileSizeLimit full(64);
        EXPECT_THROW(terminal.days().saveDay(), AppError);
    }
    EXPECT_EQ(TestFiles::read(terminal.days().dayFilePath()), onDisk);
    EXPECT_EQ(journal().toDayFile(), inMemory);
    EXPECT_EQ(QDir(journalDir).entryList(QDir::Files), QStringList{QStringLiteral("20261209.dat")})
        << "no half-written file is left behind";

    terminal.session().setJournalDir(TestFiles::dirPath(dir) + QStringLiteral("missing/"));
    EXPECT_THROW(terminal.days().saveDay(), AppError);
    EXPECT_FALSE(QFileInfo::exists(terminal.days().dayFilePath()));
    EXPECT_EQ(journal().toDayFile(), inMemory);
}

TEST_F(DayStorageTest, OpenFileTakesTheDateFromTheName) {
    // The day the valid names point at, kept in journalDir.
    TestFiles::write(journalDir + QStringLiteral("20261208.dat"), "11,6\r\n5,2,from journalDir\r\n");
    struct Case {
        const char* chosen;
        QDate shown; // invalid: the date and the table stay
        bool message;
    };
    const Case cases[] = {
        {"", QDate(), false},
        {"/somewhere/else/20261208.dat", QDate(2026, 12, 8), false},
        {"20261208", QDate(2026, 12, 8), false},
        {"/x/20261207_copy.txt", QDate(2026, 12, 7), false},
        {"/x/notadate.dat", QDate(), true},
        {"/x/20261332.dat", QDate(), true},
        {"/x/20260229.dat", QDate(), true},
        {"/x/2026128.dat", QDate(), true},
        {"/x/2026-1-8.dat", QDate(), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.chosen);
        terminal.days().showDay(QDate(2026, 12, 9));
        journal().clearDay();
        addPayment(QStringLiteral("today"), QStringLiteral("1"));
        dialogs.shown.clear();
        fileDialog.nextPath = QString::fromUtf8(c.chosen);

        terminal.days().openDayFile();

        EXPECT_EQ(fileDialog.lastDirectory, journalDir);
        EXPECT_EQ(fileDialog.lastFilter, QStringLiteral("*.dat|*.dat"));
        if (c.message) {
            ASSERT_EQ(dialogs.shown.size(), 1);
            EXPECT_EQ(dialogs.last().text, QStringLiteral("Некорректный формат файла!!!"));
            EXPECT_EQ(dialogs.last().title, QStringLiteral("Загрузка данных"));
            EXPECT_EQ(dialogs.last().icon, Dialogs::Icon::Error);
        } else {
            EXPECT_TRUE(dialogs.shown.isEmpty());
        }
        if (!c.shown.isValid()) {
            EXPECT_EQ(terminal.days().shownDay(), QDate(2026, 12, 9));
            EXPECT_EQ(journal().cell(2, PaymentJournal::TransactionId), QStringLiteral("today"));
            continue;
        }
        EXPECT_EQ(terminal.days().shownDay(), c.shown);
        const QString expected =
            c.shown == QDate(2026, 12, 8) ? QStringLiteral("from journalDir") : QString();
        EXPECT_EQ(journal().cell(2, PaymentJournal::TransactionId), expected);
    }
}

} // namespace
