// Kills a terminal at random moments while it pays, over and over, and checks
// after each kill that the day's journal on disk is whole and holds every
// payment the server acknowledged, once. Kills it as well while it closes
// shifts, and checks that every Z report is whole and numbered in order.
#include "payments/PaymentJournal.h"
#include "shift/CashDrawer.h"
#include "shift/ZReports.h"
#include "sim/PaymentServer.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QSet>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

using Col = PaymentJournal::Column;

constexpr int kKills = 60;
constexpr int kPayments = 1000;
const QDate kDay(2026, 12, 9);

// The terminal saves its journal through a synced rename several times a
// payment; a kill does not lose the page cache, so the test keeps its files in
// memory where there is room for them, and runs in seconds instead of a minute.
QString scratchTemplate() {
    return QDir(QStringLiteral("/dev/shm")).exists()
               ? QStringLiteral("/dev/shm/orvanta-crash-XXXXXX")
               : QDir::tempPath() + QStringLiteral("/orvanta-crash-XXXXXX");
}

class CrashTest : public ::testing::Test {
protected:
    QTemporaryDir dir{scratchTemplate()};
    QString programDir = TestFiles::dirPath(dir);
    sim::PaymentServer server;
    QSet<QString> acknowledged;
    int sentThisRun = 0;
    int runs = 0;

    void SetUp() override {
        server.setClock([] { return QDateTime(kDay, QTime(14, 5, 0)); });
        server.setDepositForAll(100000000.0);
        ASSERT_TRUE(server.listen(QHostAddress::LocalHost, 0));
        TestFiles::writeIpIni(programDir, server.serverPort());
        // The operator buttons want their icons beside the program.
        QDir().mkpath(programDir + QStringLiteral("img"));
        for (const QString& f : QDir(QStringLiteral(ORVANTA_IMG_DIR)).entryList({QStringLiteral("*.ico")}))
            QFile::copy(QStringLiteral(ORVANTA_IMG_DIR "/") + f, programDir + QStringLiteral("img/") + f);
        QObject::connect(&server, &sim::PaymentServer::messageSent, [this](const QString& body) {
            ++sentThisRun;
            if (body.startsWith(QLatin1Char('o')))
                acknowledged.insert(body.mid(1));
        });
    }

    void start(QProcess& driver, const QStringList& mode) {
        driver.setProgram(QStringLiteral(ORVANTA_PAYMENT_DRIVER));
        driver.setArguments(QStringList{programDir} + mode);
        driver.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        sentThisRun = 0;
        ++runs;
        driver.start();
        ASSERT_TRUE(driver.waitForStarted(10000));
    }

    // Runs the event loop (the simulator lives on it) until the driver ends; a
    // loop of its own, as polling would make every answer wait.
    bool waitForExit(QProcess& driver, int ms) {
        if (driver.state() == QProcess::NotRunning)
            return true;
        QEventLoop loop;
        QObject::connect(&driver, &QProcess::finished, &loop, &QEventLoop::quit);
        QTimer::singleShot(ms, &loop, &QEventLoop::quit);
        loop.exec();
        return driver.state() == QProcess::NotRunning;
    }

    QString dayFilePath() const {
        return programDir + QStringLiteral("101/") + kDay.toString(QStringLiteral("yyyyMMdd")) +
               QStringLiteral(".dat");
    }

    // The day file as the terminal would load it; every transaction in it once,
    // every acknowledged one among them.
    void checkJournal(PaymentJournal& journal, const QString& when) {
        SCOPED_TRACE(when.toStdString());
        QByteArray bytes;
        if (!QFile::exists(dayFilePath())) {
            ASSERT_TRUE(acknowledged.isEmpty()) << "acknowledged payments and no day file";
            journal.clearDay();
            return;
        }
        bytes = TestFiles::read(dayFilePath());
        ASSERT_TRUE(bytes.endsWith("\r\n"));
        ASSERT_TRUE(journal.fromDayFile(bytes)) << "the day file does not load";
        QSet<QString> ids;
        for (int r = PaymentJournal::FirstDataRow; r < journal.totalsRow(); ++r) {
            const QString id = journal.cell(r, Col::TransactionId);
            if (id.isEmpty()) {
                // The blank rows a day starts with stay below the payments.
                for (int c = 0; c < PaymentJournal::ColumnCount; ++c)
                    ASSERT_TRUE(journal.cell(r, c).isEmpty()) << "row " << r << " column " << c;
                continue;
            }
            ASSERT_FALSE(ids.contains(id)) << "transaction " << qPrintable(id) << " twice";
            ids.insert(id);
            for (int c : {Col::Account, Col::Credited, Col::Received, Col::SendFlag})
                ASSERT_FALSE(journal.cell(r, c).isEmpty()) << "row " << r << " column " << c;
        }
        for (const QString& id : acknowledged)
            ASSERT_TRUE(ids.contains(id)) << "acknowledged " << qPrintable(id) << " is not in the day file";
    }
};

TEST_F(CrashTest, KilledAtRandomMomentsTheJournalKeepsEveryAcknowledgedPaymentOnce) {
    QRandomGenerator random(20261209);
    PaymentJournal journal;
    int kills = 0;
    for (; kills < kKills; ++kills) {
        // Killed after the server has answered this many messages, and a few
        // milliseconds more: during a login, a save, a status pass, a payment.
        const int answers = 1 + int(random.bounded(90));
        const int delayMs = int(random.bounded(5));
        QProcess driver;
        bool killed = false;
        const QMetaObject::Connection killer =
            QObject::connect(&server, &sim::PaymentServer::messageSent, [&](const QString&) {
                if (sentThisRun == answers && !killed) {
                    killed = true;
                    QTimer::singleShot(delayMs, Qt::PreciseTimer, &driver, [&driver] { driver.kill(); });
                }
            });
        start(driver, {QStringLiteral("pay"), QString::number(kPayments)});
        ASSERT_TRUE(waitForExit(driver, 60000)) << "run " << kills;
        QObject::disconnect(killer);
        if (!killed) {
            // The driver made all its payments before this kill was due.
            ASSERT_EQ(driver.exitStatus(), QProcess::NormalExit);
            ASSERT_EQ(driver.exitCode(), 0);
            break;
        }
        ASSERT_EQ(driver.exitStatus(), QProcess::CrashExit) << "run " << kills;
        checkJournal(journal, QStringLiteral("after kill %1").arg(kills + 1));
        if (HasFatalFailure())
            return;
    }
    EXPECT_GE(kills, 50);

    // Undisturbed, the driver makes the payments left, then sends what is unsent
    // and asks for statuses until every payment is final.
    QProcess driver;
    start(driver, {QStringLiteral("pay"), QString::number(kPayments)});
    ASSERT_TRUE(waitForExit(driver, 120000));
    ASSERT_EQ(driver.exitCode(), 0);
    start(driver, {QStringLiteral("settle")});
    ASSERT_TRUE(waitForExit(driver, 120000));
    ASSERT_EQ(driver.exitCode(), 0);

    checkJournal(journal, QStringLiteral("after settling"));
    ASSERT_FALSE(HasFatalFailure());
    qint64 journalCents = 0;
    QSet<QString> ids;
    for (int r = PaymentJournal::FirstDataRow; r < journal.totalsRow(); ++r) {
        if (journal.cell(r, Col::TransactionId).isEmpty())
            continue;
        EXPECT_EQ(journal.cell(r, Col::Note), QStringLiteral("Зачислено")) << "row " << r;
        EXPECT_EQ(journal.cell(r, Col::SendFlag), QStringLiteral("2")) << "row " << r;
        ids.insert(journal.cell(r, Col::TransactionId));
        QString credited = journal.cell(r, Col::Credited);
        credited.remove(QLatin1Char('.')).remove(QLatin1Char(','));
        journalCents += credited.toLongLong();
    }
    EXPECT_EQ(ids.size(), kPayments);
    // Charged once each: the server holds exactly these payments, and the deposit
    // fell by their sum.
    const QList<sim::PaymentRecord> charged = server.payments();
    QSet<QString> chargedIds;
    qint64 chargedCents = 0;
    for (const sim::PaymentRecord& p : charged) {
        chargedIds.insert(p.transaction);
        chargedCents += p.creditedCents;
    }
    EXPECT_EQ(charged.size(), kPayments);
    EXPECT_EQ(chargedIds, ids);
    EXPECT_EQ(chargedCents, journalCents);
    EXPECT_EQ(qRound64((100000000.0 - server.deposit(QStringLiteral("101"))) * 100), journalCents);
    std::printf("crash test: %d kills, %d payments, %lld acknowledged\n", kills, kPayments,
                qlonglong(acknowledged.size()));
}

// Z reports closed so far, each whole, numbered from 1 without a gap, each
// shift starting where the one before ended, and each drawer what the cash
// drawer's record says was put into it up to that close.
void checkClosedShifts(const QString& terminalDir, int atLeast, const QString& when) {
    SCOPED_TRACE(when.toStdString());
    const ZReports zs(terminalDir);
    const QList<int> numbers = zs.numbers();
    ASSERT_GE(numbers.size(), atLeast);
    const QList<CashDrawer::Entry> drawer = CashDrawer::entries(terminalDir);
    std::optional<ZReports::Closed> previous;
    // The record is in the order the entries were made, which is their moments' order.
    qint64 cashIn = 0;
    int entry = 0;
    for (int i = 0; i < numbers.size(); ++i) {
        ASSERT_EQ(numbers[i], i + 1) << "Z numbers skip or repeat";
        const std::optional<ZReports::Closed> z = zs.read(numbers[i]);
        ASSERT_TRUE(z) << "Z " << numbers[i] << " does not read";
        if (previous) {
            ASSERT_EQ(z->since, previous->until) << "Z " << numbers[i];
        }
        for (; entry < drawer.size() && drawer[entry].at <= z->until; ++entry)
            if (drawer[entry].kind == CashDrawer::Entry::Kind::CashIn)
                cashIn += drawer[entry].cents;
        ASSERT_EQ(z->drawer, cashIn) << "Z " << numbers[i];
        previous = z;
    }
}

TEST_F(CrashTest, KilledWhileClosingShiftsEveryZReportIsWholeAndNumberedInOrder) {
    constexpr int kCloseKills = 30;
    const QString terminalDir = programDir + QStringLiteral("101/");
    // Each run is greeted a minute after the last (the greeting gives the
    // minute), as a restart takes a while: the driver's clock runs on from it.
    server.setClock([this] { return QDateTime(kDay, QTime(14, 5, 0)).addSecs(60 * runs); });
    QRandomGenerator random(20261210);
    int closed = 0;
    int kills = 0;
    for (; kills < kCloseKills; ++kills) {
        QProcess driver;
        // Closes on until it is killed after the login, somewhere in the
        // closes: a cash in, a count, a Z written.
        start(driver, {QStringLiteral("close"), QStringLiteral("1000000")});
        const int delayMs = 120 + int(random.bounded(250));
        QTimer::singleShot(delayMs, Qt::PreciseTimer, &driver, [&driver] { driver.kill(); });
        ASSERT_TRUE(waitForExit(driver, 60000)) << "run " << kills;
        ASSERT_EQ(driver.exitStatus(), QProcess::CrashExit) << "run " << kills;
        checkClosedShifts(terminalDir, closed, QStringLiteral("after kill %1").arg(kills + 1));
        if (HasFatalFailure())
            return;
        closed = int(ZReports(terminalDir).numbers().size());
    }
    // Undisturbed, it closes twenty more after those.
    const int wanted = closed + 20;
    QProcess driver;
    start(driver, {QStringLiteral("close"), QString::number(wanted)});
    ASSERT_TRUE(waitForExit(driver, 120000));
    ASSERT_EQ(driver.exitCode(), 0);
    checkClosedShifts(terminalDir, wanted, QStringLiteral("undisturbed"));
    ASSERT_FALSE(HasFatalFailure());
    EXPECT_EQ(ZReports(terminalDir).numbers().size(), wanted);
    std::printf("crash test: %d kills while closing, %d Z reports\n", kills, wanted);
}

} // namespace
