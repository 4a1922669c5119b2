#include "link/Transmission.h"
#include "core/TerminalCertificate.h"
#include "link/AccountSession.h"
#include "link/PaymentCreation.h"
#include "payments/DayRecords.h"
#include "payments/PaymentJournal.h"
#include "payments/TransactionIds.h"
#include "platform/AppError.h"
#include "support/RegisteredTerminal.h"

#include <QDir>
#include <QFile>

namespace {

using Col = PaymentJournal::Column;

class Chains : public Registered {};

TEST_F(Chains, OneRowFromSendToTheEndBox) {
    const int row = addRow(QStringLiteral("101_261209100000"), QStringLiteral("0"));
    journal().setCurrentRow(row);
    sendSelectedRow();
    EXPECT_TRUE(tx().panel().visible);
    EXPECT_FALSE(tx().commands().sendAll || tx().commands().refreshStatuses || tx().commands().cancel ||
                 tx().commands().sendSelected);
    EXPECT_EQ(nextSent(), QByteArray("o101_261209100000#20$1101?100!98.00/901234567#CERT-1)"));
    EXPECT_TRUE(link().protocolLog().contains(
        QStringLiteral("Передача данных 101_261209100000#20$1101?100!98.00/901234567#CERT-1)")));
    EXPECT_EQ(tx().panel().caption, QStringLiteral("901234567 100 101_261209100000"));

    serve("o101_261209100000$k$");
    EXPECT_EQ(journal().cell(row, Col::SendFlag), QStringLiteral("1"));
    EXPECT_EQ(journal().cell(row, Col::Note), QStringLiteral("в процессе"));
    EXPECT_TRUE(dayFile(QDate(2026, 12, 9)).contains("10,2,1\r\n"));
    EXPECT_EQ(nextSent(), QByteArray("UZ101_261209100000"));

    serve("Z7#101_261209100000$k$");
    EXPECT_EQ(journal().cell(row, Col::Status), QStringLiteral("7"));
    EXPECT_EQ(journal().cell(row, Col::Note), QStringLiteral("В очереди"));
    EXPECT_EQ(journal().cell(row, Col::SendFlag), QStringLiteral("1"));
    EXPECT_EQ(tx().panel().position, row);
    // The pass moved past the row: the end of the pass.
    ASSERT_FALSE(dialogs.shown.isEmpty());
    EXPECT_EQ(dialogs.last().text, QStringLiteral("Синхронизация платежей успешно закончена!"));
    EXPECT_FALSE(tx().panel().visible);
    EXPECT_TRUE(tx().commands().sendAll && tx().commands().refreshStatuses && tx().commands().cancel &&
                tx().commands().sendSelected);

    // "Обновить статусы" asks again and the row ends credited.
    dialogs.shown.clear();
    tx().refreshStatuses();
    EXPECT_EQ(nextSent(), QByteArray("UZ101_261209100000"));
    serve("Z1#101_261209100000$k$");
    EXPECT_EQ(journal().cell(row, Col::Note), QStringLiteral("Зачислено"));
    EXPECT_EQ(journal().cell(row, Col::SendFlag), QStringLiteral("2"));
    EXPECT_EQ(dialogs.last().text, QStringLiteral("Синхронизация платежей успешно закончена!"));
    EXPECT_TRUE(dayFile(QDate(2026, 12, 9)).contains(TestFiles::cp("6,2,Зачислено\r\n")));
}

TEST_F(Chains, SendAllSendsUnsentRowsInOrderThenOnePass) {
    // Top to bottom the flags are 2, 0, 1, 9: a "9" waits to be sent as a "0" does.
    addRow(QStringLiteral("101_D"), QStringLiteral("9"));
    addRow(QStringLiteral("101_C"), QStringLiteral("1"));
    addRow(QStringLiteral("101_B"), QStringLiteral("0"));
    addRow(QStringLiteral("101_A"), QStringLiteral("2"));
    dialogs.answer(true);
    tx().sendAll();
    EXPECT_EQ(dialogs.last().text, QStringLiteral("Провести все отложенные платежи?"));
    EXPECT_TRUE(tx().sendAllMode());
    EXPECT_TRUE(nextSent().startsWith("o101_B#"));
    serve("o101_B$k$");
    EXPECT_TRUE(nextSent().startsWith("o101_D#"));
    serve("o101_D$k$");
    // No unsent row left: a status pass over the three rows holding "1", top to bottom.
    EXPECT_EQ(nextSent(), QByteArray("UZ101_B"));
    serve("Z1#101_B$k$");
    EXPECT_EQ(nextSent(), QByteArray("UZ101_C"));
    serve("Z1#101_C$k$");
    EXPECT_EQ(nextSent(), QByteArray("UZ101_D"));
    serve("Z9#101_D$k$");
    EXPECT_EQ(dialogs.last().text, QStringLiteral("Синхронизация платежей успешно закончена!"));
    EXPECT_EQ(journal().cell(2 + 3, Col::Note), QStringLiteral("Возврат"));
    EXPECT_EQ(journal().cell(2 + 3, Col::SendFlag), QStringLiteral("2"));
    EXPECT_TRUE(server.received.isEmpty());
    EXPECT_TRUE(link().protocolLog().contains(QStringLiteral("Синхронизация данных")));
}

TEST_F(Chains, StatusCodesWriteTheirNotesAndFlags) {
    struct Case {
        const char* code;
        const char* note;
        const char* flag;
    };
    const Case cases[] = {{"7", "В очереди", "1"},      {"76", "В очереди", "1"},
                          {"1", "Зачислено", "2"},      {"+", "Зачислено", "2"},
                          {"9", "Возврат", "2"},        {"3", "Ошибка", "1"},
                          {"11", "Заявка отмены", "1"}, {"12", "В ожидании отмены", "1"},
                          {"42", "в процессе", "1"}};
    for (const Case& c : cases) {
        const int row = addRow(QStringLiteral("101_S") + QString::fromUtf8(c.code), QStringLiteral("1"));
        journal().setCell(row, Col::Note, QStringLiteral("в процессе"));
        serve("Z" + QByteArray(c.code) + "#101_S" + QByteArray(c.code) + "$k$");
        const int at =
            journal().findRow(Col::TransactionId, QStringLiteral("101_S") + QString::fromUtf8(c.code), 1,
                              PaymentJournal::Match::Exact);
        EXPECT_EQ(journal().cell(at, Col::Status), QString::fromUtf8(c.code)) << c.code;
        EXPECT_EQ(journal().cell(at, Col::Note), QString::fromUtf8(c.note)) << c.code;
        EXPECT_EQ(journal().cell(at, Col::SendFlag), QString::fromUtf8(c.flag)) << c.code;
        server.received.clear();
    }
}

TEST_F(Chains, StatusForAnUnknownTransactionSendsUbAndChangesNothing) {
    addRow(QStringLiteral("101_X"), QStringLiteral("2"));
    const int asked = addRow(QStringLiteral("101_Y"), QStringLiteral("1"));
    tx().refreshStatuses();
    EXPECT_EQ(nextSent(), QByteArray("UZ101_Y"));
    EXPECT_EQ(tx().panel().caption, QStringLiteral("101_Y"));
    const QByteArray before = journal().toDayFile();
    serve("Z1#101_NOPE$k$");
    EXPECT_EQ(nextSent(), QByteArray("Ub101"));
    EXPECT_EQ(journal().toDayFile(), before);
    EXPECT_TRUE(tx().panel().caption.isEmpty());
    journal().setCell(asked, Col::SendFlag, QStringLiteral("2"));
    // A "Z" without "#" only disarms.
    link().TimerSend.start();
    serve("Z1$k$");
    EXPECT_FALSE(link().TimerSend.isActive());
    EXPECT_TRUE(server.received.isEmpty());
}

TEST_F(Chains, AnswersMatchTheirOwnRowNotOneContainingTheId) {
    // The older row's id is contained in the newer one's.
    addRow(QStringLiteral("101_26120914050"), QStringLiteral("0"));
    addRow(QStringLiteral("101_261209140509"), QStringLiteral("0")); // now above it, at row 2
    serve("o101_26120914050$k$");
    EXPECT_EQ(journal().cell(2, Col::SendFlag), QStringLiteral("0"));
    EXPECT_EQ(journal().cell(3, Col::SendFlag), QStringLiteral("1"));
}

TEST_F(Chains, RefusalsShowTheirBoxAndKeepTheRowUnsent) {
    const int row = addRow(QStringLiteral("101_R"), QStringLiteral("0"));
    struct Case {
        QByteArray message;
        QString text;
    };
    const Case cases[] = {
        {"O$k$", QStringLiteral("Отказано в проведении платежа!\n Пожалуйста пополните свой баланс!!!")},
        {"($k$", QStringLiteral("Отказано в проведении платежа!\n Отсуствует сертификат!!!")}};
    for (const Case& c : cases) {
        journal().setCurrentRow(row);
        sendSelectedRow();
        ASSERT_FALSE(nextSent().isEmpty());
        serve(c.message);
        EXPECT_EQ(dialogs.last().text, c.text);
        EXPECT_EQ(dialogs.last().title, QStringLiteral("Отказ"));
        EXPECT_EQ(dialogs.last().icon, Dialogs::Icon::Error);
        EXPECT_FALSE(tx().panel().visible);
        EXPECT_TRUE(tx().commands().sendAll && tx().commands().refreshStatuses && tx().commands().cancel &&
                    tx().commands().sendSelected);
        EXPECT_EQ(journal().cell(row, Col::SendFlag), QStringLiteral("0"));
    }
}

TEST_F(Chains, RefusalDuringSendAllStopsAtTheRefusedRow) {
    addRow(QStringLiteral("101_2"), QStringLiteral("0"));
    addRow(QStringLiteral("101_1"), QStringLiteral("0"));
    dialogs.answer(true);
    tx().sendAll();
    EXPECT_TRUE(nextSent().startsWith("o101_1#"));
    serve("O$k$");
    QTest::qWait(50);
    EXPECT_TRUE(server.received.isEmpty());
    EXPECT_EQ(journal().cell(3, Col::SendFlag), QStringLiteral("0"));
}

TEST_F(Chains, AcknowledgementForAMissingTransactionSaysSo) {
    addRow(QStringLiteral("101_1"), QStringLiteral("1"));
    serve("o101_GONE$k$");
    EXPECT_EQ(dialogs.last().text, QStringLiteral("Транзакция 101_GONE ненайдена!"));
    EXPECT_FALSE(tx().panel().visible);
    // The server holds a payment the journal does not: the day's record names it.
    const QList<DayRecords::Deletion> record = terminal->records().deletions(QDate(2026, 12, 9));
    ASSERT_EQ(record.size(), 1);
    EXPECT_EQ(record[0].kind, DayRecords::Deletion::Kind::OrphanAcknowledgement);
    EXPECT_EQ(record[0].transactionId, QStringLiteral("101_GONE"));
    EXPECT_EQ(record[0].at, QStringLiteral("09.12.26 14:05:09"));
}

TEST_F(Chains, TwoOverlappingPaymentsUnderASilentServerBothEndWithTheirNote) {
    addRow(QStringLiteral("101_B"), QStringLiteral("0"));
    addRow(QStringLiteral("101_A"), QStringLiteral("0")); // row 2: A, row 3: B
    tx().send(QStringLiteral("101_A"));
    ASSERT_TRUE(nextSent().startsWith("o101_A#"));
    // The server stays silent on A; within its 30 s the cashier pays B.
    tx().send(QStringLiteral("101_B"));
    ASSERT_TRUE(nextSent().startsWith("o101_B#"));
    EXPECT_TRUE(tx().onItsWay(QStringLiteral("101_A")) && tx().onItsWay(QStringLiteral("101_B")));
    serve("o101_B$k$");
    EXPECT_EQ(journal().cell(3, Col::SendFlag), QStringLiteral("1"));
    EXPECT_EQ(nextSent(), QByteArray("UZ101_B"));

    // A's own 30 s run out first: A ends with its note, B's pass goes on.
    tx().PaymentWatchdogTimer();
    EXPECT_FALSE(tx().onItsWay(QStringLiteral("101_A")));
    EXPECT_EQ(journal().cell(2, Col::SendFlag), QStringLiteral("0"));
    EXPECT_EQ(journal().cell(2, Col::Note), QStringLiteral("Не отправлен: нет ответа сервера"));
    EXPECT_TRUE(tx().panel().visible);
    serve("Z1#101_B$k$");
    EXPECT_EQ(journal().cell(3, Col::Note), QStringLiteral("Зачислено"));
    EXPECT_FALSE(tx().panel().visible);
    EXPECT_FALSE(tx().PaymentWatchdog.isActive());

    // The other way round: B is the silent one, A answered. B's wait runs out alone.
    QTest::qWait(20);
    server.received.clear();
    journal().setCell(2, Col::Note, QString());
    tx().send(QStringLiteral("101_A"));
    ASSERT_TRUE(nextSent().startsWith("o101_A#"));
    journal().setCell(3, Col::SendFlag, QStringLiteral("0"));
    tx().send(QStringLiteral("101_B"));
    ASSERT_TRUE(nextSent().startsWith("o101_B#"));
    serve("o101_A$k$"); // the earlier one's answer, late: accepted on its own
    EXPECT_EQ(journal().cell(2, Col::SendFlag), QStringLiteral("1"));
    EXPECT_TRUE(tx().onItsWay(QStringLiteral("101_B")));
    tx().PaymentWatchdogTimer();
    EXPECT_EQ(journal().cell(3, Col::Note), QStringLiteral("Не отправлен: нет ответа сервера"));
    EXPECT_EQ(status().text(StatusPanel::State), QStringLiteral("Нет ответа: платеж сохранен"));
    EXPECT_FALSE(tx().panel().visible);
}

TEST_F(Chains, ARefusalWhileTwoPaymentsAreOnTheWireKeepsBothFromDeletion) {
    addRow(QStringLiteral("101_B"), QStringLiteral("0"));
    addRow(QStringLiteral("101_A"), QStringLiteral("0"));
    tx().send(QStringLiteral("101_A"));
    tx().send(QStringLiteral("101_B"));
    ASSERT_TRUE(nextSent().startsWith("o101_A#"));
    ASSERT_TRUE(nextSent().startsWith("o101_B#"));
    // The refusal names no transaction: with two on the wire it may be either's.
    serve("O$k$");
    EXPECT_EQ(journal().cell(3, Col::Note), QStringLiteral("Отказ: пополните баланс"));
    EXPECT_TRUE(terminal->records().mayHaveReachedServer(QDate(2026, 12, 9), QStringLiteral("101_A")));
    EXPECT_TRUE(terminal->records().mayHaveReachedServer(QDate(2026, 12, 9), QStringLiteral("101_B")));
    // With one on the wire it is that one's.
    tx().PaymentWatchdogTimer(); // A given up
    QTest::qWait(20);
    server.received.clear();
    tx().send(QStringLiteral("101_B"));
    ASSERT_TRUE(nextSent().startsWith("o101_B#"));
    serve("($k$");
    EXPECT_EQ(journal().cell(3, Col::Note), QStringLiteral("Отказ: нет сертификата"));
    EXPECT_FALSE(terminal->records().mayHaveReachedServer(QDate(2026, 12, 9), QStringLiteral("101_B")));
}

TEST_F(Chains, SendSelectedOnlyForUnsentRowsAfterTheQuestion) {
    const int sent = addRow(QStringLiteral("101_S"), QStringLiteral("1"));
    journal().setCurrentRow(sent);
    tx().sendSelected(selectedRow());
    EXPECT_EQ(dialogs.last().text, QStringLiteral("Недопустимая операция для данной транзакции!"));
    EXPECT_EQ(dialogs.last().title, QStringLiteral("Проведение платежа"));

    const int nine = addRow(QStringLiteral("101_9"), QStringLiteral("9"), QStringLiteral("5551234"));
    journal().setCurrentRow(nine);
    dialogs.answer(false);
    tx().sendSelected(selectedRow());
    EXPECT_EQ(dialogs.last().text, QStringLiteral("Провести платеж 5551234 101_9?"));
    QTest::qWait(30);
    EXPECT_TRUE(server.received.isEmpty());

    dialogs.answer(true);
    tx().sendSelected(selectedRow());
    EXPECT_TRUE(nextSent().startsWith("o101_9#"));
    EXPECT_FALSE(tx().sendAllMode());
}

TEST_F(Chains, LinkDownLeavesNoTransmissionPanelUp) {
    const int row = addRow(QStringLiteral("101_L"), QStringLiteral("0"));
    session().setRegistered(false);
    journal().setCurrentRow(row);
    sendSelectedRow();
    EXPECT_FALSE(tx().panel().visible);
    EXPECT_TRUE(tx().commands().sendAll && tx().commands().refreshStatuses && tx().commands().cancel &&
                tx().commands().sendSelected);
    EXPECT_EQ(status().text(StatusPanel::State), QStringLiteral("Нет связи: платеж сохранен"));
    tx().refreshStatuses();
    EXPECT_FALSE(tx().panel().visible);
    QTest::qWait(30);
    EXPECT_TRUE(server.received.isEmpty());
}

TEST_F(Chains, CertificateWithoutALineAbandonsTheRequest) {
    QFile::resize(certificatePath(), 0);
    const int row = addRow(QStringLiteral("101_C"), QStringLiteral("0"));
    journal().setCurrentRow(row);
    sendSelectedRow();
    QTest::qWait(30);
    EXPECT_TRUE(server.received.isEmpty());
    EXPECT_FALSE(tx().panel().visible);
}

TEST_F(Chains, AnAnswerForTodayIsKeptWhileAnotherDayIsShown) {
    const int row = addRow(QStringLiteral("101_T"), QStringLiteral("0"));
    journal().setCurrentRow(row);
    sendSelectedRow();
    ASSERT_FALSE(nextSent().isEmpty());
    terminal->days().saveDay();
    terminal->days().showDay(QDate(2026, 12, 1)); // the cashier looks at last week
    serve("o101_T$k$");
    EXPECT_FALSE(dialogs.texts().contains(QStringLiteral("Транзакция 101_T ненайдена!")));
    PaymentJournal today;
    ASSERT_TRUE(today.fromDayFile(dayFile(QDate(2026, 12, 9))));
    EXPECT_EQ(today.cell(2, Col::SendFlag), QStringLiteral("1"));
    EXPECT_EQ(terminal->days().shownDay(), QDate(2026, 12, 1));

    server.received.clear();
    serve("Z1#101_T$k$");
    ASSERT_TRUE(today.fromDayFile(dayFile(QDate(2026, 12, 9))));
    EXPECT_EQ(today.cell(2, Col::Note), QStringLiteral("Зачислено"));
    EXPECT_FALSE(server.received.contains("Ub"));
}

TEST_F(Chains, ALostConnectionEndsTheChainAndTheRowGoesAfterTheNextLogin) {
    const int row = addRow(QStringLiteral("101_R"), QStringLiteral("0"));
    terminal->days().saveDay(); // as payment creation does
    journal().setCurrentRow(row);
    sendSelectedRow();
    ASSERT_TRUE(nextSent().startsWith("o101_R#"));
    // The server hangs up on the payment: no answer will come.
    server.dropClient();
    ASSERT_TRUE(waitUntil([&] { return !link().isOpen(); }));
    EXPECT_FALSE(tx().panel().visible);
    EXPECT_TRUE(tx().commands().sendAll && tx().commands().refreshStatuses && tx().commands().cancel &&
                tx().commands().sendSelected);
    EXPECT_EQ(journal().cell(row, Col::SendFlag), QStringLiteral("0"));
    EXPECT_EQ(journal().cell(row, Col::Note), QStringLiteral("Не отправлен: связь прервана"));
    EXPECT_FALSE(tx().PaymentWatchdog.isActive());

    // The keep-alive tick reconnects; the cashier logs in again.
    link().PingServerTimer();
    ASSERT_TRUE(waitUntil([&] { return server.connections == 2 && link().isOpen(); }));
    terminal->account().login(QStringLiteral("101"), QStringLiteral("kassa2026"));
    ASSERT_TRUE(server.waitForReceived("QN$k$"));
    serve("p$k$");
    server.received.clear();
    ASSERT_EQ(journal().cell(row, Col::TransactionId), QStringLiteral("101_R")); // today's journal reloaded
    journal().setCurrentRow(row);
    dialogs.answer(true);
    tx().sendSelected(selectedRow()); // F5
    EXPECT_TRUE(nextSent().startsWith("o101_R#"));
}

TEST_F(Chains, APaymentTheServerNeverAnswersEndsAndGoesAgainWithItsId) {
    addRow(QStringLiteral("101_NEXT"), QStringLiteral("0"));
    const int row = addRow(QStringLiteral("101_W"), QStringLiteral("0"));
    dialogs.answer(true);
    tx().sendAll();
    ASSERT_TRUE(nextSent().startsWith("o101_W#"));
    EXPECT_TRUE(tx().PaymentWatchdog.isActive());
    EXPECT_EQ(tx().PaymentWatchdog.interval(), 30000);
    EXPECT_EQ(tx().awaitedTransaction(), QStringLiteral("101_W"));

    // 30 s of silence.
    tx().PaymentWatchdogTimer();
    EXPECT_FALSE(tx().panel().visible);
    EXPECT_TRUE(tx().commands().sendAll && tx().commands().refreshStatuses && tx().commands().cancel &&
                tx().commands().sendSelected);
    EXPECT_FALSE(tx().sendAllMode());
    EXPECT_FALSE(tx().PaymentWatchdog.isActive());
    EXPECT_EQ(status().text(StatusPanel::State), QStringLiteral("Нет ответа: платеж сохранен"));
    EXPECT_EQ(journal().cell(row, Col::SendFlag), QStringLiteral("0"));
    EXPECT_EQ(journal().cell(row, Col::Note), QStringLiteral("Не отправлен: нет ответа сервера"));
    PaymentJournal onDisk;
    ASSERT_TRUE(onDisk.fromDayFile(dayFile(QDate(2026, 12, 9))));
    EXPECT_EQ(onDisk.cell(row, Col::Note), QStringLiteral("Не отправлен: нет ответа сервера"));
    // The run stopped there: the row behind it was not sent.
    QTest::qWait(30);
    EXPECT_TRUE(server.received.isEmpty());

    // Sent again later: the same transaction, so the server cannot charge it twice.
    journal().setCurrentRow(row);
    dialogs.answer(true);
    tx().sendSelected(selectedRow());
    EXPECT_TRUE(nextSent().startsWith("o101_W#20$"));
    serve("o101_W$k$");
    EXPECT_EQ(journal().cell(row, Col::SendFlag), QStringLiteral("1"));
    EXPECT_EQ(journal().cell(row, Col::Note), QStringLiteral("в процессе"));
    // The status pass now waits for its "Z", under the same watchdog.
    EXPECT_EQ(nextSent(), QByteArray("UZ101_W"));
    EXPECT_EQ(tx().awaitedTransaction(), QStringLiteral("101_W"));
    EXPECT_TRUE(tx().PaymentWatchdog.isActive());
    serve("Z1#101_W$k$");
    EXPECT_FALSE(tx().PaymentWatchdog.isActive());
    EXPECT_TRUE(tx().awaitedTransaction().isEmpty());
}

TEST_F(Chains, AStatusPassTheServerNeverAnswersEndsWithTheAnswersItGot) {
    addRow(QStringLiteral("101_B"), QStringLiteral("1"));
    addRow(QStringLiteral("101_A"), QStringLiteral("1"));
    tx().refreshStatuses();
    EXPECT_EQ(nextSent(), QByteArray("UZ101_A"));
    serve("Z1#101_A$k$");
    EXPECT_EQ(nextSent(), QByteArray("UZ101_B"));
    // A "Z" that cannot be read moves nothing on and leaves the watchdog running.
    serve("Z1$k$");
    EXPECT_TRUE(tx().PaymentWatchdog.isActive());
    tx().PaymentWatchdogTimer();
    EXPECT_FALSE(tx().panel().visible);
    EXPECT_EQ(status().text(StatusPanel::State), QStringLiteral("Нет ответа: статусы не обновлены"));
    EXPECT_EQ(journal().cell(3, Col::SendFlag), QStringLiteral("1"));
    EXPECT_EQ(journal().cell(3, Col::Note), QString());
    PaymentJournal onDisk;
    ASSERT_TRUE(onDisk.fromDayFile(dayFile(QDate(2026, 12, 9))));
    EXPECT_EQ(onDisk.cell(2, Col::Note), QStringLiteral("Зачислено"));
    EXPECT_FALSE(dialogs.texts().contains(QStringLiteral("Синхронизация платежей успешно закончена!")));
}

TEST_F(Chains, ARefusalStopsTheWatchdog) {
    const int row = addRow(QStringLiteral("101_R"), QStringLiteral("0"));
    journal().setCurrentRow(row);
    sendSelectedRow();
    ASSERT_FALSE(nextSent().isEmpty());
    serve("O$k$");
    EXPECT_FALSE(tx().PaymentWatchdog.isActive());
    // The row says it was refused and why.
    EXPECT_EQ(journal().cell(row, Col::Note), QStringLiteral("Отказ: пополните баланс"));
    // A late tick finds nothing to end.
    tx().PaymentWatchdogTimer();
    EXPECT_EQ(journal().cell(row, Col::Note), QStringLiteral("Отказ: пополните баланс"));
}

TEST_F(Chains, AnUnsendableRowIsLeftWithANoteAndSendAllMovesOn) {
    // A day file may hold an account the framing refuses; behind it a deferred row.
    addRow(QStringLiteral("101_OLD"), QStringLiteral("0"));
    const int bad = addRow(QStringLiteral("101_BAD"), QStringLiteral("0"), QStringLiteral("9$k$34567"));
    dialogs.answer(true);
    tx().sendAll();
    EXPECT_TRUE(nextSent().startsWith("o101_OLD#"));
    EXPECT_EQ(journal().cell(bad, Col::SendFlag), QStringLiteral("0"));
    EXPECT_EQ(journal().cell(bad, Col::Note), QStringLiteral("Не отправлен: поле содержит \"$k$\""));
    serve("o101_OLD$k$");
    EXPECT_EQ(journal().cell(bad + 1, Col::SendFlag), QStringLiteral("1"));

    // Sent on its own, the row is refused at once and the commands stay usable.
    journal().setCurrentRow(bad);
    dialogs.answer(true);
    tx().sendSelected(selectedRow());
    EXPECT_FALSE(tx().panel().visible);
    EXPECT_TRUE(tx().commands().sendAll && tx().commands().refreshStatuses && tx().commands().cancel &&
                tx().commands().sendSelected);
    EXPECT_EQ(status().text(StatusPanel::State),
              QStringLiteral("Платеж не отправлен: недопустимые символы"));
    PaymentJournal onDisk;
    ASSERT_TRUE(onDisk.fromDayFile(dayFile(QDate(2026, 12, 9))));
    EXPECT_EQ(onDisk.cell(bad, Col::Note), QStringLiteral("Не отправлен: поле содержит \"$k$\""));
}

// Payment creation: what each mode records and sends.
class Creation : public Chains {
protected:
    PaymentInput input() {
        return PaymentInput{QStringLiteral(" Орбита Мобайл"), QStringLiteral("1101"),
                            QStringLiteral("92901234567"), QStringLiteral("98.00"), QStringLiteral("100"),
                            QStringLiteral("20")};
    }
};

TEST_F(Creation, PayNowRecordsTheRowWithItsNoteAndSendsIt) {
    terminal->creation().payNow(input());
    EXPECT_EQ(journal().currentRow(), 2);
    const QStringList expected = {
        "09.12.26 14:05:09", " Орбита Мобайл", "92901234567", "98.00", "100", "101_261209140509",
        "в процессе",        "1101",           "20",          "",      "0"};
    for (int c = 0; c < 11; ++c)
        EXPECT_EQ(journal().cell(2, c), expected[c]) << c;
    EXPECT_EQ(nextSent(), QByteArray("o101_261209140509#20$1101?100!98.00/92901234567#CERT-1)"));
    // The note is on disk with the row, before any answer.
    PaymentJournal onDisk;
    ASSERT_TRUE(onDisk.fromDayFile(dayFile(QDate(2026, 12, 9))));
    EXPECT_EQ(onDisk.cell(2, Col::Note), QStringLiteral("в процессе"));
}

TEST_F(Creation, DeferRecordsWithoutSending) {
    terminal->creation().defer(input());
    EXPECT_EQ(journal().cell(2, Col::Note), QStringLiteral("отложено"));
    EXPECT_EQ(journal().cell(2, Col::SendFlag), QStringLiteral("0"));
    PaymentJournal onDisk;
    ASSERT_TRUE(onDisk.fromDayFile(dayFile(QDate(2026, 12, 9))));
    EXPECT_EQ(onDisk.cell(2, Col::Note), QStringLiteral("отложено"));
    QTest::qWait(30);
    EXPECT_TRUE(server.received.isEmpty());
}

TEST_F(Creation, BalanceQuerySendsNinesAndRecordsNothing) {
    const QByteArray before = journal().toDayFile();
    terminal->creation().queryBalance(input());
    EXPECT_EQ(nextSent(), QByteArray("o101_261209140509#20$1101?9999!9999/92901234567#CERT-1)"));
    EXPECT_EQ(journal().toDayFile(), before);
    EXPECT_EQ(link().protocolLog().last(),
              QStringLiteral("Передача данных 101_261209140509#20$1101?9999!9999/92901234567#CERT-1)"));

    session().setRegistered(false);
    terminal->creation().queryBalance(input());
    EXPECT_EQ(dialogs.last().text, QStringLiteral("Требуется регистрация с сервером!!!"));
}

TEST_F(Creation, TwoPaymentsInOneSecondGetDistinctIds) {
    terminal->creation().defer(input());
    terminal->creation().defer(input());
    EXPECT_EQ(journal().cell(3, Col::TransactionId), QStringLiteral("101_261209140509"));
    EXPECT_EQ(journal().cell(2, Col::TransactionId), QStringLiteral("101_261209140510"));
    // The next real second must not reuse the id taken ahead of time.
    clock.advance(1);
    terminal->creation().defer(input());
    EXPECT_EQ(journal().cell(2, Col::TransactionId), QStringLiteral("101_261209140511"));
}

TEST_F(Creation, APaymentAfterMidnightWithoutLoginIsDatedTodayAndRepeatsNoEarlierId) {
    // Same time of day, next day, same login, and a restart in between: with the
    // login's date the id would repeat yesterday's payment, which this run never issued.
    terminal->creation().defer(input());
    EXPECT_EQ(journal().cell(2, Col::TransactionId), QStringLiteral("101_261209140509"));
    TransactionIds afterRestart(session(), clock, journal());
    clock.set(QDateTime(QDate(2026, 12, 10), QTime(14, 5, 9)));
    EXPECT_EQ(afterRestart.next(), QStringLiteral("101_261210140509"));
}

TEST_F(Creation, NoPaymentIsTakenBeforeTheTerminalHasItsDirectory) {
    session().setJournalDir(QString());
    const QByteArray before = journal().toDayFile();
    terminal->creation().payNow(input());
    EXPECT_EQ(dialogs.last().text, QStringLiteral("Требуется регистрация с сервером!!!"));
    EXPECT_EQ(journal().toDayFile(), before);
    EXPECT_THROW(terminal->days().saveDay(), AppError);
}

TEST_F(Creation, TodaysPaymentGoesIntoTodaysJournal) {
    terminal->days().showDay(QDate(2026, 12, 1));
    terminal->creation().defer(input());
    EXPECT_EQ(terminal->days().shownDay(), QDate(2026, 12, 9));
    EXPECT_TRUE(dayFile(QDate(2026, 12, 1)).isEmpty());
    PaymentJournal onDisk;
    ASSERT_TRUE(onDisk.fromDayFile(dayFile(QDate(2026, 12, 9))));
    EXPECT_EQ(onDisk.cell(2, Col::Account), QStringLiteral("92901234567"));
}

} // namespace
