#include "link/Cancellation.h"
#include "payments/DayRecords.h"
#include "platform/Locale.h"
#include "support/RegisteredTerminal.h"

#include <QFile>

#include <functional>

namespace {

// A registered terminal whose operator.ini allows cancellation for 1101,
// correction for 1102, neither for 1103 ("2") and says nothing for 1104.
class Cancelling : public Registered {
protected:
    void SetUp() override {
        Registered::SetUp();
        if (HasFatalFailure())
            return;
        TestFiles::write(
            programDir + QStringLiteral("operator.ini"),
            "[1101]\r\ncorect=0\r\n[1102]\r\ncorect=1\r\n[1103]\r\ncorect=2\r\n[1104]\r\nname=x\r\n");
        QObject::connect(&cancellation(), &Cancellation::showRequested, [this] { ++windowsShown; });
    }

    Cancellation& cancellation() { return terminal->cancellation(); }

    // A payment the server has credited, selected in the journal.
    int credited(const QString& article, const QString& account, const QString& sum) {
        const int row = addRow(QStringLiteral("101_261209100000"), QStringLiteral("2"), account);
        journal().setCell(row, Col::Article, article);
        journal().setCell(row, Col::Credited, sum);
        journal().setCell(row, Col::Status, QStringLiteral("1"));
        journal().setCell(row, Col::Note, QStringLiteral("Зачислено"));
        journal().setCurrentRow(row);
        terminal->days().saveDay();
        return row;
    }

    int windowsShown = 0;
};

TEST_F(Cancelling, TheRowDecidesBetweenDeletionCancellationCorrectionRefusalAndNothing) {
    enum class Outcome { Delete, Cancel, Correct, Refuse, Nothing };
    struct Case {
        const char* flag;
        const char* status;
        const char* article;
        const char* credited;
        Outcome outcome;
    };
    const Case cases[] = {
        {"0", "", "1101", "98.00", Outcome::Delete},
        {"9", "", "1101", "98.00", Outcome::Delete},
        // Not yet accepted by the server: deletion comes first whatever the status says.
        {"0", "1", "1101", "98.00", Outcome::Delete},
        {"2", "1", "1101", "98.00", Outcome::Cancel},
        {"2", "+", "1101", "98.00", Outcome::Cancel},
        {"2", "10", "1101", "98.00", Outcome::Cancel},
        {"1", "0", "1101", "98.00", Outcome::Cancel},
        {"2", "1", "1102", "98.00", Outcome::Correct},
        {"2", "1", "1103", "98.00", Outcome::Refuse},
        {"2", "1", "1104", "98.00", Outcome::Refuse},
        {"2", "1", "9999", "98.00", Outcome::Refuse},
        {"1", "7", "1101", "98.00", Outcome::Nothing},  // queued
        {"1", "3", "1101", "98.00", Outcome::Nothing},  // rejected
        {"1", "11", "1101", "98.00", Outcome::Nothing}, // a request under way
        {"2", "9", "1101", "98.00", Outcome::Nothing},  // returned
        // A credited request: negating it again would send "--98.00".
        {"2", "1", "1101", "-98.00", Outcome::Nothing},
        {"", "", "", "", Outcome::Nothing}, // a blank row of a fresh day
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.flag) + "/" + c.status + "/" + c.article + "/" + c.credited);
        journal().clearDay();
        if (QString::fromLatin1(c.flag).isEmpty() && QString::fromLatin1(c.article).isEmpty()) {
            journal().setCurrentRow(2);
        } else {
            const int row = credited(QString::fromLatin1(c.article), QStringLiteral("901234567"),
                                     QString::fromLatin1(c.credited));
            journal().setCell(row, Col::SendFlag, QString::fromLatin1(c.flag));
            journal().setCell(row, Col::Status, QString::fromLatin1(c.status));
        }
        dialogs.shown.clear();
        windowsShown = 0;
        const QByteArray before = journal().toDayFile();
        dialogs.answer(false);
        cancellation().command(selectedRow());
        dialogs.answers.clear();

        switch (c.outcome) {
        case Outcome::Delete:
            ASSERT_EQ(dialogs.shown.size(), 1);
            EXPECT_EQ(dialogs.last().kind, FakeDialogs::Kind::Question);
            EXPECT_EQ(dialogs.last().text, QStringLiteral("Удалить платеж 901234567 101_261209100000?"));
            EXPECT_EQ(dialogs.last().title, QStringLiteral("Удаление платежа"));
            EXPECT_EQ(journal().toDayFile(), before); // answered Cancel
            EXPECT_EQ(windowsShown, 0);
            break;
        case Outcome::Cancel:
        case Outcome::Correct:
            EXPECT_TRUE(dialogs.shown.isEmpty());
            EXPECT_EQ(windowsShown, 1);
            EXPECT_EQ(cancellation().form().kind, c.outcome == Outcome::Cancel
                                                      ? CancellationForm::Kind::Cancel
                                                      : CancellationForm::Kind::Correct);
            EXPECT_EQ(cancellation().form().caption, c.outcome == Outcome::Cancel
                                                         ? QStringLiteral("Отмена платежа")
                                                         : QStringLiteral("Корректировка платежа"));
            break;
        case Outcome::Refuse:
            ASSERT_EQ(dialogs.shown.size(), 1);
            EXPECT_EQ(dialogs.last().text,
                      QStringLiteral("Отмена платежа для данного оператора не поддерживаеться!"));
            EXPECT_EQ(dialogs.last().title, QStringLiteral("Отмена платежа"));
            EXPECT_EQ(dialogs.last().icon, Dialogs::Icon::Error);
            EXPECT_EQ(windowsShown, 0);
            break;
        case Outcome::Nothing:
            EXPECT_TRUE(dialogs.shown.isEmpty());
            EXPECT_EQ(windowsShown, 0);
            break;
        }
        EXPECT_EQ(journal().toDayFile(), before);
    }
    QTest::qWait(20);
    EXPECT_TRUE(server.received.isEmpty());
}

TEST_F(Cancelling, DeletionRemovesTheUnsentRowAndWritesTheDayAtOnce) {
    addRow(QStringLiteral("101_261209090000"), QStringLiteral("2"));
    const int row = addRow(QStringLiteral("101_261209100000"), QStringLiteral("0"));
    journal().setCell(row, Col::Note, QStringLiteral("отложено"));
    journal().setCurrentRow(row);
    terminal->days().saveDay();
    dialogs.answer(true);
    cancellation().command(selectedRow());

    EXPECT_EQ(journal().cell(2, Col::TransactionId), QStringLiteral("101_261209090000"));
    PaymentJournal onDisk;
    ASSERT_TRUE(onDisk.fromDayFile(dayFile(QDate(2026, 12, 9))));
    EXPECT_EQ(onDisk.rowCount(), journal().rowCount());
    EXPECT_EQ(onDisk.cell(2, Col::TransactionId), QStringLiteral("101_261209090000"));
    QTest::qWait(20);
    EXPECT_TRUE(server.received.isEmpty()); // the server is not told
}

TEST_F(Cancelling, ARowTheServerAcceptsWhileTheQuestionIsOpenIsKept) {
    const int row = addRow(QStringLiteral("101_261209100000"), QStringLiteral("0"));
    journal().setCurrentRow(row);
    // A send-all run's acknowledgement arrives while the cashier reads the question.
    dialogs.onBox = [this](const FakeDialogs::Shown&) {
        tx().acknowledge(QStringLiteral("101_261209100000"));
    };
    dialogs.answer(true);
    cancellation().command(selectedRow());
    dialogs.onBox = nullptr;
    EXPECT_EQ(journal().cell(2, Col::TransactionId), QStringLiteral("101_261209100000"));
    EXPECT_EQ(journal().cell(2, Col::SendFlag), QStringLiteral("1"));
}

TEST_F(Cancelling, TheWindowShowsTheRowAndTheOperatorsIcon) {
    QDir().mkpath(programDir + QStringLiteral("img"));
    QFile::copy(QStringLiteral(ORVANTA_IMG_DIR "/1101.ico"), programDir + QStringLiteral("img/1101.ico"));
    credited(QStringLiteral("1101"), QStringLiteral("901234567"), QStringLiteral("150.00"));
    cancellation().command(selectedRow());
    const CancellationForm& f = cancellation().form();
    EXPECT_EQ(f.executedAt, QStringLiteral("09.12.26 10:00:00"));
    EXPECT_EQ(f.operatorName, QStringLiteral(" Орбита Мобайл"));
    EXPECT_EQ(f.account, QStringLiteral("901234567"));
    EXPECT_EQ(f.credited, QStringLiteral("150.00"));
    EXPECT_EQ(f.transactionId, QStringLiteral("101_261209100000"));
    EXPECT_EQ(f.iconPath, programDir + QStringLiteral("img/1101.ico"));

    journal().clearDay();
    credited(QStringLiteral("1102"), QStringLiteral("123456"), QStringLiteral("5.00"));
    cancellation().command(selectedRow());
    EXPECT_EQ(cancellation().form().iconPath, QString()); // no img/1102.ico here
}

TEST_F(Cancelling, ACancellationOf150FilesANegatedRowSavedBeforeItIsSent) {
    // Blanks and control characters around the sum do not reach the request.
    const int chosen =
        credited(QStringLiteral("1101"), QStringLiteral("901234567"), QStringLiteral(" 150.00\t"));
    journal().setCell(chosen, Col::Received, QStringLiteral("152"));
    const QByteArray chosenBefore = journal().toDayFile();
    cancellation().command(selectedRow());
    cancellation().file(QStringLiteral("ignored for a cancellation"));

    const QStringList expected = {
        "09.12.26 14:05:09", " Орбита Мобайл", "901234567", "-150.00", "-150.00", "101_261209140509",
        "в процессе",        "1101",           "20",        "",        "0"};
    EXPECT_EQ(journal().currentRow(), 2);
    for (int c = 0; c < PaymentJournal::ColumnCount; ++c)
        EXPECT_EQ(journal().cell(2, c), expected[c]) << c;
    // The chosen payment is left as it was, one row down.
    EXPECT_EQ(journal().cell(3, Col::Credited), QStringLiteral(" 150.00\t"));
    EXPECT_EQ(journal().cell(3, Col::SendFlag), QStringLiteral("2"));
    // The totals take the negative sum in.
    const QString zero = QStringLiteral("0") + Locale::decimalSeparator() + QStringLiteral("00");
    EXPECT_EQ(journal().cell(journal().totalsRow(), Col::Credited), zero);
    EXPECT_EQ(journal().cell(journal().totalsRow(), Col::Received),
              QStringLiteral("2") + Locale::decimalSeparator() + QStringLiteral("00"));

    // On disk as it was when it went out: before any answer could come.
    PaymentJournal onDisk;
    ASSERT_TRUE(onDisk.fromDayFile(dayFile(QDate(2026, 12, 9))));
    for (int c = 0; c < PaymentJournal::ColumnCount; ++c)
        EXPECT_EQ(onDisk.cell(2, c), expected[c]) << c;
    EXPECT_NE(chosenBefore, journal().toDayFile());

    EXPECT_EQ(nextSent(), QByteArray("o101_261209140509#20$1101?-150.00!-150.00/901234567#CERT-1)"));
    EXPECT_TRUE(tx().panel().visible);
    serve("o101_261209140509$k$");
    EXPECT_EQ(journal().cell(2, Col::SendFlag), QStringLiteral("1"));
    EXPECT_EQ(nextSent(), QByteArray("UZ101_261209140509"));
    for (const auto& [code, note] :
         {std::pair{"11", "Заявка отмены"}, std::pair{"12", "В ожидании отмены"}}) {
        serve("Z" + QByteArray(code) + "#101_261209140509$k$");
        EXPECT_EQ(journal().cell(2, Col::Note), QString::fromUtf8(note));
        EXPECT_EQ(journal().cell(2, Col::SendFlag), QStringLiteral("1"));
        tx().refreshStatuses();
        EXPECT_EQ(nextSent(), QByteArray("UZ101_261209140509"));
    }
}

TEST_F(Cancelling, ACorrectionOfASixDigitNumberSendsOldPlusNew) {
    credited(QStringLiteral("1102"), QStringLiteral("123456"), QStringLiteral("40.00"));
    journal().setCell(journal().currentRow(), Col::PaymentType, QStringLiteral("21"));
    cancellation().command(selectedRow());
    ASSERT_EQ(cancellation().form().kind, CancellationForm::Kind::Correct);
    cancellation().file(QStringLiteral("654321"));
    EXPECT_EQ(journal().cell(2, Col::Account), QStringLiteral("123456+654321"));
    EXPECT_EQ(journal().cell(2, Col::Article), QStringLiteral("1102"));
    EXPECT_EQ(journal().cell(2, Col::PaymentType), QStringLiteral("21"));
    EXPECT_EQ(nextSent(), QByteArray("o101_261209140509#21$1102?-40.00!-40.00/123456+654321#CERT-1)"));
}

TEST_F(Cancelling, ANewNumberOfAnotherLengthOrWithOtherThanDigitsFilesNothing) {
    credited(QStringLiteral("1102"), QStringLiteral("123456"), QStringLiteral("40.00"));
    const QByteArray before = journal().toDayFile();
    for (const char* typed : {"12345", "1234567", "", "12#456", "65 321"}) {
        SCOPED_TRACE(typed);
        cancellation().command(selectedRow());
        dialogs.shown.clear();
        cancellation().file(QString::fromLatin1(typed));
        ASSERT_EQ(dialogs.shown.size(), 1);
        EXPECT_EQ(dialogs.last().text, QStringLiteral("Введите номер абонента для корректировки платежы!"));
        EXPECT_EQ(dialogs.last().title, QStringLiteral("Отмена платежа"));
        EXPECT_EQ(dialogs.last().icon, Dialogs::Icon::Error);
        EXPECT_EQ(journal().toDayFile(), before);
    }
    QTest::qWait(20);
    EXPECT_TRUE(server.received.isEmpty());
}

TEST_F(Cancelling, ARequestInTheSameSecondAsThePaymentTakesTheNextFreeId) {
    const int row = credited(QStringLiteral("1101"), QStringLiteral("901234567"), QStringLiteral("10.00"));
    journal().setCell(row, Col::TransactionId, QStringLiteral("101_261209140509"));
    cancellation().command(selectedRow());
    cancellation().file(QString());
    EXPECT_EQ(journal().cell(2, Col::TransactionId), QStringLiteral("101_261209140510"));
}

TEST_F(Cancelling, ARequestFiledWhileAnotherDayIsShownGoesIntoTodaysJournal) {
    terminal->days().showDay(QDate(2026, 12, 8));
    credited(QStringLiteral("1101"), QStringLiteral("901234567"), QStringLiteral("10.00"));
    const QByteArray yesterday = dayFile(QDate(2026, 12, 8));
    cancellation().command(selectedRow());
    cancellation().file(QString());
    EXPECT_EQ(terminal->days().shownDay(), QDate(2026, 12, 9));
    EXPECT_EQ(dayFile(QDate(2026, 12, 8)), yesterday);
    PaymentJournal today;
    ASSERT_TRUE(today.fromDayFile(dayFile(QDate(2026, 12, 9))));
    EXPECT_EQ(today.cell(2, Col::Credited), QStringLiteral("-10.00"));
}

TEST_F(Cancelling, WithoutTheLinkTheRequestStaysUnsentAndCanBeDeleted) {
    credited(QStringLiteral("1101"), QStringLiteral("901234567"), QStringLiteral("10.00"));
    session().setRegistered(false);
    cancellation().command(selectedRow());
    cancellation().file(QString());
    EXPECT_EQ(journal().cell(2, Col::SendFlag), QStringLiteral("0"));
    EXPECT_FALSE(tx().panel().visible);

    dialogs.answer(true);
    cancellation().command(selectedRow());
    EXPECT_EQ(dialogs.last().text, QStringLiteral("Удалить платеж 901234567 101_261209140509?"));
    EXPECT_EQ(journal().cell(2, Col::Credited), QStringLiteral("10.00"));
    QTest::qWait(20);
    EXPECT_TRUE(server.received.isEmpty());
}

// What deletion does with an unsent row at each moment of its way to the server.
TEST_F(Cancelling, DeletionDependsOnWhereTheRowsOGot) {
    enum class Outcome { Deleted, OnItsWay, MayHaveReached };
    struct Case {
        const char* moment;
        std::function<void(const QString& id)> bring;
        Outcome outcome;
    };
    const auto send = [this](const QString& id) {
        tx().send(id);
        ASSERT_TRUE(nextSent().startsWith(("o" + id).toLatin1()));
    };
    const Case cases[] = {
        {"never sent", [](const QString&) {}, Outcome::Deleted},
        {"o on the wire", send, Outcome::OnItsWay},
        {"refused", [this, send](const QString& id) {
             send(id);
             serve("O$k$");
         }, Outcome::Deleted},
        {"watchdog fired", [this, send](const QString& id) {
             send(id);
             tx().PaymentWatchdogTimer();
         }, Outcome::MayHaveReached},
        {"link dropped", [this, send](const QString& id) {
             send(id);
             server.dropClient();
             ASSERT_TRUE(waitUntil([this] { return !link().isOpen(); }));
         }, Outcome::MayHaveReached},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.moment);
        if (!link().isOpen()) {
            link().PingServerTimer();
            ASSERT_TRUE(waitUntil([&] { return link().isOpen(); }));
            session().setRegistered(true);
        }
        const QString id = QStringLiteral("101_D%1").arg(++n);
        QTest::qWait(20);
        server.received.clear(); // what the case before sent
        journal().clearDay();
        addRow(id, QStringLiteral("0"));
        journal().setCurrentRow(2);
        terminal->days().saveDay();
        c.bring(id);
        dialogs.shown.clear();
        dialogs.answer(true);
        cancellation().command(selectedRow());
        const bool kept = journal().rowOfTransaction(id) >= 0;
        const QList<DayRecords::Deletion> deleted = terminal->records().deletions(QDate(2026, 12, 9));
        const bool recorded = !deleted.isEmpty() && deleted.last().transactionId == id;
        switch (c.outcome) {
        case Outcome::Deleted:
            EXPECT_FALSE(kept);
            EXPECT_TRUE(recorded);
            ASSERT_FALSE(dialogs.shown.isEmpty());
            EXPECT_EQ(dialogs.shown.first().kind, FakeDialogs::Kind::Question);
            break;
        case Outcome::OnItsWay:
        case Outcome::MayHaveReached:
            EXPECT_TRUE(kept);
            EXPECT_FALSE(recorded);
            ASSERT_EQ(dialogs.shown.size(), 1);
            EXPECT_EQ(dialogs.last().text, c.outcome == Outcome::OnItsWay ? Cancellation::OnItsWayText
                                                                          : Cancellation::MayHaveReachedText);
            EXPECT_EQ(dialogs.last().title, QStringLiteral("Удаление платежа"));
            // What went out is known from the day's own record, also to the next start.
            if (c.outcome == Outcome::MayHaveReached) {
                DayRecords afterRestart(terminal->days(), clock);
                EXPECT_TRUE(afterRestart.mayHaveReachedServer(QDate(2026, 12, 9), id));
            }
            break;
        }
        // An acknowledgement that comes after all this finds the row that went out.
        if (c.outcome == Outcome::OnItsWay) {
            serve(("o" + id + "$k$").toLatin1());
            EXPECT_EQ(journal().cell(journal().rowOfTransaction(id), Col::SendFlag), QStringLiteral("1"));
        }
    }
}

TEST_F(Cancelling, APaymentSentWhileTheDeletionQuestionIsOpenIsKept) {
    addRow(QStringLiteral("101_Q"), QStringLiteral("0"));
    journal().setCurrentRow(2);
    terminal->days().saveDay();
    // "Провести все платежи" from another window sends it while the cashier reads the question.
    dialogs.onBox = [this](const FakeDialogs::Shown& box) {
        if (box.kind == FakeDialogs::Kind::Question)
            tx().send(QStringLiteral("101_Q"));
    };
    dialogs.answer(true);
    cancellation().command(selectedRow());
    dialogs.onBox = nullptr;
    EXPECT_EQ(journal().rowOfTransaction(QStringLiteral("101_Q")), 2);
    EXPECT_EQ(dialogs.last().text, Cancellation::OnItsWayText);
    EXPECT_TRUE(terminal->records().deletions(QDate(2026, 12, 9)).isEmpty());
}

TEST_F(Cancelling, OneRequestPerPaymentUnlessTheServerRefusedIt) {
    enum class Outcome { Offered, AlreadyRequested };
    struct Case {
        const char* name;
        // The request filed earlier for the payment, as its row now stands.
        std::function<void()> before;
        Outcome outcome;
    };
    // The request's transaction: the terminal, the day and the second it is filed.
    const auto request = [this] {
        return QByteArray("101_") + clock.now().toString(QStringLiteral("yyMMddhhmmss")).toLatin1();
    };
    const auto fileRequest = [this] {
        cancellation().command(selectedRow());
        ASSERT_EQ(windowsShown, 1);
        cancellation().file(QString());
        windowsShown = 0;
    };
    const Case cases[] = {
        {"no request", [] {}, Outcome::Offered},
        {"a request waiting for its status", [this, fileRequest, request] {
             fileRequest();
             ASSERT_TRUE(nextSent().startsWith("o"));
             serve("o" + request() + "$k$");
         }, Outcome::AlreadyRequested},
        {"a request that never went out", [this, fileRequest, request] {
             session().setRegistered(false);
             fileRequest();
             session().setRegistered(true);
         }, Outcome::AlreadyRequested},
        {"a request the server failed", [this, fileRequest, request] {
             fileRequest();
             ASSERT_TRUE(nextSent().startsWith("o"));
             serve("o" + request() + "$k$");
             ASSERT_EQ(nextSent(), "UZ" + request());
             serve("Z3#" + request() + "$k$");
         }, Outcome::Offered},
        {"a request refused on its way", [this, fileRequest, request] {
             fileRequest();
             ASSERT_TRUE(nextSent().startsWith("o"));
             serve("O$k$");
         }, Outcome::Offered},
        {"a request deleted before it went out", [this, fileRequest, request] {
             session().setRegistered(false);
             fileRequest();
             session().setRegistered(true);
             journal().setCurrentRow(2);
             dialogs.answer(true);
             cancellation().command(selectedRow());
         }, Outcome::Offered},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QTest::qWait(20);
        server.received.clear(); // what the case before sent
        windowsShown = 0;
        // Each case on a day of its own, so no earlier request counts.
        const QDate day = clock.now().date().addDays(1);
        clock.set(QDateTime(day, QTime(14, 5, 9)));
        terminal->days().showDay(day);
        const int row = credited(QStringLiteral("1101"), QStringLiteral("901234567"), QStringLiteral("10.00"));
        journal().setCell(row, Col::TransactionId, QStringLiteral("101_PAID"));
        terminal->days().saveDay();
        c.before();
        terminal->days().showDay(day); // the payment, a row down after a request
        const int paid = journal().rowOfTransaction(QStringLiteral("101_PAID"));
        ASSERT_GE(paid, 0);
        journal().setCurrentRow(paid);
        dialogs.shown.clear();
        windowsShown = 0;
        cancellation().command(selectedRow());
        if (c.outcome == Outcome::Offered) {
            EXPECT_EQ(windowsShown, 1);
            EXPECT_TRUE(journal().cancellationRequest(paid).isEmpty());
        } else {
            EXPECT_EQ(windowsShown, 0);
            ASSERT_EQ(dialogs.shown.size(), 1);
            EXPECT_EQ(dialogs.last().text, Cancellation::AlreadyRequestedText);
            // The grid marks it; the day file keeps its cells.
            EXPECT_EQ(journal().cancellationRequest(paid), QString::fromLatin1(request()));
            EXPECT_FALSE(journal().toDayFile().contains("заяв"));
        }
    }
}

TEST_F(Cancelling, ARequestFiledYesterdayForAnOlderPaymentStillCounts) {
    // Shown the day before yesterday: the payment.
    terminal->days().showDay(QDate(2026, 12, 7));
    credited(QStringLiteral("1101"), QStringLiteral("901234567"), QStringLiteral("10.00"));
    // Yesterday a request was filed for it, and the server is still deciding.
    {
        PaymentJournal yesterday;
        yesterday.insertPaymentRow();
        yesterday.setPaymentRow(2, JournalRow{"08.12.26 12:00:00", " Орбита Мобайл", "901234567", "-10.00",
                                              "-10.00", "101_261208120000", "Заявка отмены", "1101", "20", "11",
                                              SendFlag::Accepted});
        TestFiles::write(session().journalDir() + QStringLiteral("20261208.dat"), yesterday.toDayFile());
        terminal->records().requestFiled(
            {QStringLiteral("101_261208120000"), QDate(2026, 12, 8), QStringLiteral("101_261209100000"),
             QDate(2026, 12, 7)});
    }
    terminal->days().showDay(QDate(2026, 12, 7));
    EXPECT_EQ(journal().cancellationRequest(2), QStringLiteral("101_261208120000"));
    cancellation().command(journal().paymentRow(2));
    EXPECT_EQ(windowsShown, 0);
    EXPECT_EQ(dialogs.last().text, Cancellation::AlreadyRequestedText);
}

} // namespace
