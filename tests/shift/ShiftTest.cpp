// The shift as the cashier works it: the opening float, cash in and out, the
// count, the close with its Z report, and the next shift.
#include "platform/Locale.h"
#include "platform/Money.h"
#include "shift/Shift.h"
#include "support/RegisteredTerminal.h"

#include <QFile>

namespace {

class ShiftWork : public Registered {
protected:
    void SetUp() override {
        Registered::SetUp();
        if (HasFatalFailure())
            return;
        // Two payments of the day, one of them deferred.
        pay("09.12.26 10:00:00", "101_A", "98.00", "100.00", "1");
        pay("09.12.26 11:00:00", "101_B", "49.00", "50.00", "0");
        terminal->days().saveDay();
        shift().refresh();
    }
    Shift& shift() { return terminal->shift(); }
    void pay(const char* when, const char* id, const char* credited, const char* received, const char* flag) {
        PaymentJournal& j = journal();
        j.insertPaymentRow();
        j.setPaymentRow(2, JournalRow{when, " Орбита Мобайл", "901234567", credited, received, id, QString(),
                                      "1101", "20", QString(), SendFlagText::read(QString::fromLatin1(flag))});
    }
    static QString sum(const char* text) {
        return QString::fromUtf8(text).replace(QLatin1Char('.'), Locale::decimalSeparator());
    }
    QString zPath(int n) { return session().journalDir() + ZReports::fileName(n); }
};

TEST_F(ShiftWork, TheOpeningFloatIsAskedOnceAShiftWithTheLastDrawerOffered) {
    dialogs.textAnswers = {QStringLiteral("много"), sum("500.00")};
    EXPECT_TRUE(shift().askOpeningFloat());
    EXPECT_EQ(dialogs.texts(), QStringList({QStringLiteral("Размен в кассе на начало смены"),
                                            QStringLiteral("Введите сумму размена числом, например ") +
                                                sum("500.00"),
                                            QStringLiteral("Размен в кассе на начало смены")}));
    EXPECT_EQ(shift().figures().openingFloat, 50000);
    dialogs.shown.clear();
    EXPECT_FALSE(shift().askOpeningFloat());
    EXPECT_TRUE(dialogs.shown.isEmpty());
    // 500 + 100 + 50 taken.
    EXPECT_EQ(shift().figures().expected(), 65000);
}

TEST_F(ShiftWork, CashInAndOutAreRecordedAtOnceAndBadSumsRefused) {
    for (const char* bad : {"", "0", "-5", "abc", "1e3x"}) {
        dialogs.shown.clear();
        EXPECT_FALSE(shift().cashOut(QString::fromUtf8(bad), QStringLiteral("x"))) << bad;
        EXPECT_EQ(dialogs.texts(), QStringList({"Введите сумму больше нуля"})) << bad;
    }
    ASSERT_TRUE(shift().cashIn(sum("100.00"), QStringLiteral("размен")));
    ASSERT_TRUE(shift().cashOut(sum("120.50"), QStringLiteral("инкассация")));
    // Another start reads them back from the record.
    Shift again(ServerFed{terminal->environment(), session(), dialogs, link(), terminal->fileReplies()},
                terminal->days(), tx(), terminal->spreadsheet(), clock);
    again.refresh();
    EXPECT_EQ(again.figures().cashIn.cents, 10000);
    EXPECT_EQ(again.figures().cashOut.cents, 12050);
    ASSERT_EQ(again.figures().movements.size(), 2);
    EXPECT_EQ(again.figures().movements[1].note, QStringLiteral("инкассация"));
    EXPECT_EQ(again.figures().expected(), 15000 + 10000 - 12050);
}

TEST_F(ShiftWork, TheCountByDenominationsIsTheirSum) {
    shift().setDenominationCount(0, 1);  // 500 сомони
    shift().setDenominationCount(8, 3);  // 1 сомони
    shift().setDenominationCount(11, 2); // 20 дирам
    EXPECT_EQ(Shift::denominationCaption(0), QStringLiteral("500 сом."));
    EXPECT_EQ(Shift::denominationCaption(11), QStringLiteral("20 дир."));
    ASSERT_TRUE(shift().counted().has_value());
    EXPECT_EQ(*shift().counted(), 50000 + 300 + 40);
    // A sum typed whole replaces the count by notes.
    EXPECT_TRUE(shift().setCountedText(sum("150.00")));
    EXPECT_EQ(*shift().counted(), 15000);
    EXPECT_EQ(shift().denominationCount(0), 0);
    EXPECT_EQ(*shift().difference(), 0);
    EXPECT_FALSE(shift().setCountedText(QStringLiteral("сто")));
    EXPECT_EQ(*shift().counted(), 15000);
}

// Each attempt to close, from nothing counted to a difference explained.
TEST_F(ShiftWork, ClosingNeedsTheCountAndANoteForADifferenceThenWritesTheZ) {
    struct Attempt {
        const char* counted; // empty: not counted
        const char* note;
        std::vector<bool> answers; // to the questions asked, in turn
        const char* said;          // the last box or question
        bool closes;
    };
    const Attempt attempts[] = {
        // The deferred payment is offered first; the cashier closes without sending it.
        {"", "", {false}, "Введите сумму наличных, подсчитанных в кассе", false},
        {"149.00", "", {false}, "Наличные расходятся с ожидаемой суммой на -1,00.\nУкажите примечание к разнице.",
         false},
        {"149.00", "недостача у кассира", {false, false}, "Закрыть смену? Будет записан Z-отчет № 1.", false},
        {"149.00", "недостача у кассира", {false, true}, "Закрыть смену? Будет записан Z-отчет № 1.", true},
    };
    for (const Attempt& a : attempts) {
        SCOPED_TRACE(std::string(a.counted) + " / " + a.note);
        dialogs.shown.clear();
        for (bool answer : a.answers)
            dialogs.answer(answer);
        shift().setCountedText(sum(a.counted));
        shift().setNote(QString::fromUtf8(a.note));
        EXPECT_EQ(shift().close(), a.closes);
        dialogs.answers.clear();
        ASSERT_FALSE(dialogs.shown.isEmpty());
        EXPECT_EQ(dialogs.shown.front().text,
                  QStringLiteral("Не отправлено платежей: 1 на сумму %1.\n"
                                 "Отправить их на сервер перед закрытием смены?")
                      .arg(sum("50.00")));
        EXPECT_EQ(dialogs.last().text, QString::fromUtf8(a.said).replace(QStringLiteral("-1,00"), sum("-1.00")));
        EXPECT_EQ(QFile::exists(zPath(1)), a.closes);
    }
    // The Z: the figures, the count, the note; printed at once.
    const std::optional<ZReports::Closed> z = shift().archive().read(1);
    ASSERT_TRUE(z.has_value());
    EXPECT_EQ(z->drawer, 14900);
    EXPECT_TRUE(z->lines.contains(QStringLiteral("Подсчитано: ") + sum("149.00")));
    EXPECT_TRUE(z->lines.contains(QStringLiteral("Примечание: недостача у кассира")));
    EXPECT_TRUE(printer.lines().contains(QStringLiteral("Z-ОТЧЕТ № 1")));

    // The next shift starts at the Z's moment, at zero, the drawer left as its float.
    EXPECT_EQ(shift().figures().since, z->until);
    EXPECT_EQ(shift().figures().payments.count, 0);
    EXPECT_EQ(shift().figures().openingFloat, 14900);
    EXPECT_FALSE(shift().counted().has_value());
    EXPECT_TRUE(shift().note().isEmpty());
    clock.set(clock.now().addSecs(60));
    pay("09.12.26 14:06:09", "101_C", "9.00", "10.00", "1");
    terminal->days().saveDay();
    shift().refresh();
    EXPECT_EQ(shift().figures().payments.count, 1);
    EXPECT_EQ(shift().figures().expected(), 14900 + 1000);
    dialogs.textAnswers = {std::nullopt};
    EXPECT_TRUE(shift().askOpeningFloat()); // asked anew, cancelled
    EXPECT_EQ(dialogs.last().text, QStringLiteral("Размен в кассе на начало смены"));
}

// Cash put in at the very moment of a close, or after the server's greeting set
// the clock back behind it, came after that close: the open shift has it.
TEST_F(ShiftWork, CashAfterACloseBelongsToTheNextShiftEvenAtTheSameMomentOrWithTheClockSetBack) {
    dialogs.answer(false); // the deferred payment stays unsent
    dialogs.answer(true);
    shift().setCountedText(sum("150.00"));
    ASSERT_TRUE(shift().close());
    const QDateTime closedAt = shift().archive().read(1)->until;
    ASSERT_TRUE(shift().cashIn(sum("10.00"), QStringLiteral("в ту же миллисекунду")));
    clock.set(closedAt.addSecs(-90));
    ASSERT_TRUE(shift().cashIn(sum("5.00"), QStringLiteral("часы назад")));
    shift().refresh();
    EXPECT_EQ(shift().figures().since, closedAt);
    EXPECT_EQ(shift().figures().cashIn.count, 2);
    EXPECT_EQ(shift().figures().expected(), 15000 + 1500);
}

TEST_F(ShiftWork, UnsentPaymentsAreSentWhenTheCashierAcceptsAndTheShiftStaysOpen) {
    shift().setCountedText(sum("150.00"));
    dialogs.answer(true);
    server.received.clear();
    EXPECT_FALSE(shift().close());
    EXPECT_TRUE(nextSent().startsWith("o101_B#"));
    EXPECT_FALSE(QFile::exists(zPath(1)));
}

TEST_F(ShiftWork, AClosedZIsPrintedAndExportedAgainWithItsSumsAsNumbers) {
    shift().setCountedText(sum("150.00"));
    dialogs.answer(false); // not sending the deferred one
    dialogs.answer(true);  // close
    ASSERT_TRUE(shift().close());
    printer.texts.clear();
    shift().reprintZ(1);
    EXPECT_EQ(printer.lines().first(), QStringLiteral("Z-ОТЧЕТ № 1"));
    shift().exportZ(1);
    const QList<QStringList> rows = spreadsheet.rows();
    ASSERT_GT(rows.size(), 5);
    EXPECT_EQ(rows[0].mid(0, 3), QStringList({"Показатель", "Количество", "Сумма"}));
    int numbers = 0;
    for (int r = 2; r <= rows.size(); ++r)
        numbers += spreadsheet.isNumber(r, 3) ? 1 : 0;
    EXPECT_GT(numbers, 5);
    EXPECT_FALSE(spreadsheet.isNumber(1, 3));
    for (int r = 1; r <= rows.size(); ++r) {
        if (rows[r - 1].value(0) == QStringLiteral("Ожидается в кассе")) {
            EXPECT_TRUE(spreadsheet.isNumber(r, 3));
            EXPECT_DOUBLE_EQ(spreadsheet.value(r, 3), 150.0);
        }
    }
    dialogs.shown.clear();
    shift().reprintZ(7);
    EXPECT_EQ(dialogs.texts(), QStringList({"Z-отчет № 7 не читается"}));
}

TEST_F(ShiftWork, APrinterFailingAtTheCloseLeavesTheShiftClosed) {
    shift().setCountedText(sum("150.00"));
    dialogs.answer(false);
    dialogs.answer(true);
    printer.failAt = QStringLiteral("begin");
    EXPECT_TRUE(shift().close());
    EXPECT_TRUE(QFile::exists(zPath(1)));
    EXPECT_EQ(dialogs.last().kind, FakeDialogs::Kind::Exception);
    EXPECT_EQ(shift().archive().nextNumber(), 2);
}

TEST_F(ShiftWork, TheShiftsDaysAreReconciledWithTheServerInOneLine) {
    ASSERT_TRUE(shift().reconcile());
    EXPECT_EQ(nextSent(), QByteArray("J9101#12#9#26"));
    serve("f9101#12#9/" +
          TestFiles::cp("Остаток на начало дня 09.12.2026: 1000.00 сомони\r\n"
                        "10:00#09.12.26#901234567#98.00#0.00#902.00#101_A#Орбита Мобайл#\r\n"
                        "11:00#09.12.26#907777777#5.00#0.00#897.00#101_Z#Звезда#\r\n") +
          "$k$");
    EXPECT_EQ(shift().agreement(), QStringLiteral("Сервер: нет на сервере 1, нет в журнале 1, суммы расходятся 0"));
    EXPECT_TRUE(shift().xLines().contains(shift().agreement()));
}

} // namespace
