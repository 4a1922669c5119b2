#include "reports/Receipt.h"

#include "core/IniFile.h"
#include "core/Session.h"
#include "core/TerminalSettings.h"
#include "payments/PaymentJournal.h"
#include "platform/AppError.h"
#include "support/FakeDialogs.h"
#include "support/FakePrinter.h"
#include "support/TestFiles.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const JournalRow kCredited{
    "09.12.26 14:05:09", " Орбита Мобайл", "901234567", "98.00", "100", "101_261209140509",
    "Зачислено",         "1101",           "20",        "1",     SendFlag::Final};
const Receipt::Header kSettings{"0123456789", "101", "ул. Рудаки, 1", "+992 44 600 00 00"};

// The lines of a credited payment with the settings applied.
const QStringList kCreditedLines = {"Платежная система Orvanta",
                                    "ИНН 0123456789",
                                    "Чек 101_261209140509",
                                    "Терминал №: 101",
                                    "Адрес: ул. Рудаки, 1",
                                    "Дата платежа:09.12.26 14:05:09",
                                    "Оператор: Орбита Мобайл",
                                    "Принято:100 сомони",
                                    "Зачислено:98.00 сомони",
                                    "Номер счета:901234567",
                                    "   Сохраняйте чек до зачисления",
                                    "   денег  на Ваш лицевой счет.",
                                    "        С П А С И Б О !",
                                    "Служба подержки:+992 44 600 00 00"};

TEST(Receipt, LinesStandAsInTheRowAndTheLabels) {
    struct Case {
        const char* name;
        JournalRow row;
        Receipt::Header header;
        QList<QPair<int, QString>> differ; // (line index, text) where the credited case differs
    };
    JournalRow deferred = kCredited;
    deferred.credited = QStringLiteral("98,00");
    deferred.received = QStringLiteral(" 100 ");
    deferred.note = QStringLiteral("отложено");
    deferred.status.clear();
    deferred.sendFlag = SendFlag::Unsent;
    JournalRow noAccount = kCredited;
    noAccount.account.clear();
    const QList<Case> cases = {
        {"credited", kCredited, kSettings, {}},
        // Whatever the state, the sums go as they stand, blanks and comma included.
        {"deferred", deferred, kSettings, {{7, "Принято: 100  сомони"}, {8, "Зачислено:98,00 сомони"}}},
        // Before the settings: the labels' "---" and no taxpayer number.
        {"before settings",
         kCredited,
         Receipt::Header{QString(), "101", "---", "---"},
         {{1, "ИНН "}, {4, "Адрес: ---"}, {13, "Служба подержки:---"}}},
        {"empty value", noAccount, kSettings, {{9, "Номер счета:"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QStringList expected = kCreditedLines;
        for (const auto& [index, text] : c.differ)
            expected[index] = text;
        const QStringList lines = Receipt::lines(c.row, c.header);
        ASSERT_EQ(lines.size(), Receipt::LineCount);
        EXPECT_EQ(lines, expected);
    }
}

class Printing : public ::testing::Test {
protected:
    QTemporaryDir dir;
    TerminalSettings settings;
    Session session;
    PaymentJournal journal;
    FakeDialogs dialogs;
    FakePrinter printer;
    Receipt receipt{settings, session, printer, dialogs};

    void SetUp() override {
        const QString path = TestFiles::dirPath(dir) + QStringLiteral("setting.ini");
        TestFiles::write(path, TestFiles::cp("[options]\r\ninn=0123456789\r\nadres=ул. Рудаки, 1\r\n"
                                             "telsparv=+992 44 600 00 00\r\n"));
        settings.apply(IniFile(path), QString(), QString());
        session.setLoginTerminal(kSettings.terminal);
        journal.clearDay();
        journal.insertPaymentRow();
        journal.setPaymentRow(2, kCredited);
        journal.insertPaymentRow(); // another row above: the selected one is printed
        journal.setCurrentRow(3);
    }

    QStringList pageCalls() const {
        QStringList calls = {QStringLiteral("font Times New Roman 10"),
                             QStringLiteral("begin")};
        for (int i = 0; i < Receipt::LineCount; ++i)
            calls << QStringLiteral("text");
        return calls << QStringLiteral("end");
    }
};

TEST_F(Printing, TheSelectedRowsPageGoesOutAndTheCashierIsTold) {
    receipt.print(journal.paymentRow(journal.currentRow()));
    EXPECT_EQ(printer.calls, QStringList{QStringLiteral("setup")} + pageCalls());
    EXPECT_EQ(printer.lines(), kCreditedLines);
    ASSERT_EQ(printer.texts.size(), Receipt::LineCount);
    for (int i = 0; i < Receipt::LineCount; ++i) {
        EXPECT_EQ(printer.texts[i].x, 10) << i;
        EXPECT_EQ(printer.texts[i].y, 110 * (i + 1)) << i;
    }
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.last().kind, FakeDialogs::Kind::Message);
    EXPECT_EQ(dialogs.last().text, QStringLiteral("Печать окончена!"));
}

TEST_F(Printing, ACancelledSetupPrintsAndSaysNothing) {
    printer.accept = false;
    receipt.print(kCredited);
    EXPECT_EQ(printer.calls, QStringList{QStringLiteral("setup")});
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_F(Printing, APrinterErrorGoesOnUpAndTheEndIsNotAnnounced) {
    for (const char* at : {"begin", "text", "end"}) {
        SCOPED_TRACE(at);
        printer.failAt = QString::fromLatin1(at);
        EXPECT_THROW(receipt.print(kCredited), AppError);
        EXPECT_TRUE(dialogs.shown.isEmpty());
    }
}

TEST_F(Printing, ThePreviewDrawsTheSamePageWithoutTheDialogOrTheMessage) {
    receipt.preview(kCredited);
    EXPECT_EQ(printer.calls, QStringList{QStringLiteral("preview")} + pageCalls());
    EXPECT_EQ(printer.lines(), kCreditedLines);
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

// Only a payment has a receipt: a header, the totals or a blank row print
// nothing, and the box says which was chosen.
TEST_F(Printing, ARowThatIsNoPaymentPrintsNothingAndSaysWhy) {
    struct Case {
        int row;
        const char* why; // nullptr: the payment's page goes out
    };
    const Case cases[] = {{0, "выбран заголовок журнала."},
                          {1, "выбран заголовок журнала."},
                          {2, "выбрана пустая строка."},
                          {journal.totalsRow(), "выбрана строка итогов."},
                          {3, nullptr}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row);
        for (bool preview : {false, true}) {
            printer.calls.clear();
            printer.texts.clear();
            dialogs.shown.clear();
            if (preview)
                receipt.preview(journal, c.row);
            else
                receipt.print(journal, c.row);
            if (!c.why) {
                EXPECT_EQ(printer.lines(), kCreditedLines);
                continue;
            }
            EXPECT_TRUE(printer.calls.isEmpty());
            ASSERT_EQ(dialogs.shown.size(), 1);
            EXPECT_EQ(dialogs.last().kind, FakeDialogs::Kind::Box);
            EXPECT_EQ(dialogs.last().text,
                      QStringLiteral("Квитанция печатается только для платежа: ") + QString::fromUtf8(c.why));
        }
    }
}

} // namespace
