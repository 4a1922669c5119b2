#include "reports/Receipt.h"

#include "CreditedReceipt.h"

#include "core/Environment.h"
#include "core/IniFile.h"
#include "core/Session.h"
#include "core/TerminalSettings.h"
#include "payments/DayJournal.h"
#include "payments/DayRecords.h"
#include "payments/PaymentJournal.h"
#include "platform/AppError.h"
#include "reports/PrintSettings.h"
#include "reports/Printing.h"
#include "support/FakeClock.h"
#include "support/FakeDialogs.h"
#include "support/FakeFileDialog.h"
#include "support/FakePrinter.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const JournalRow kCredited{
    "09.12.26 14:05:09", " Орбита Мобайл", "901234567", "98.00", "100", "101_261209140509",
    "Зачислено",         "1101",           "20",        "1",     SendFlag::Final};
const Receipt::Header kSettings{"0123456789", "101", "ул. Рудаки, 1", "+992 44 600 00 00"};


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

// A terminal's receipt printing in a temporary program directory, whose
// journal directory holds the print records.
class ReceiptPrinting : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString programDir = TestFiles::dirPath(dir);
    Environment env{programDir};
    FakeClock clock;
    TerminalSettings settings;
    Session session;
    FakeDialogs dialogs;
    FakeFileDialog fileDialog;
    FakePrinter printer;
    PrintSettings printSettings{env};
    DayJournal days{session, clock, dialogs, fileDialog};
    DayRecords records{days, clock};
    Printing printing{env, printSettings, printer, clock};
    Receipt receipt{settings, session, printing, records, dialogs};
    const QDate kDay{2026, 12, 9};

    void SetUp() override {
        const QString path = programDir + QStringLiteral("setting.ini");
        TestFiles::write(path, TestFiles::cp("[options]\r\ninn=0123456789\r\nadres=ул. Рудаки, 1\r\n"
                                             "telsparv=+992 44 600 00 00\r\n"));
        settings.apply(IniFile(path), QString(), QString());
        session.setLoginTerminal(kSettings.terminal);
        session.setJournalDir(programDir + QStringLiteral("101/"));
        printSettings.load();
    }

    // The calls of one document on the sheet, its lines at the fixed positions.
    static QStringList sheetCalls(int lines) {
        QStringList calls = {QStringLiteral("font Times New Roman 10"), QStringLiteral("page 0x0"),
                             QStringLiteral("begin")};
        for (int i = 0; i < lines; ++i)
            calls << QStringLiteral("text");
        return calls << QStringLiteral("end");
    }
    // Prints the credited receipt with the dialog accepted; its lines.
    QStringList printOnce(const QDate& day) {
        printer.texts.clear();
        receipt.print(kCredited, day);
        return printer.lines();
    }
};

TEST_F(ReceiptPrinting, OnTheSheetTheRowsPageGoesOutAtItsFixedPositionsAndTheCashierIsTold) {
    receipt.print(kCredited, kDay);
    EXPECT_EQ(printer.calls, QStringList{QStringLiteral("setup")} + sheetCalls(Receipt::LineCount));
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

TEST_F(ReceiptPrinting, ACancelledSetupPrintsAndSaysNothing) {
    printer.accept = false;
    receipt.print(kCredited, kDay);
    EXPECT_EQ(printer.calls, QStringList{QStringLiteral("setup")});
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_F(ReceiptPrinting, APrinterErrorGoesOnUpAndTheEndIsNotAnnounced) {
    for (const char* at : {"begin", "text", "end"}) {
        SCOPED_TRACE(at);
        printer.failAt = QString::fromLatin1(at);
        EXPECT_THROW(receipt.print(kCredited, kDay), AppError);
        EXPECT_TRUE(dialogs.shown.isEmpty());
    }
}

TEST_F(ReceiptPrinting, ThePreviewDrawsTheSamePageWithoutTheDialogOrTheMessage) {
    receipt.preview(kCredited, kDay);
    EXPECT_EQ(printer.calls, QStringList{QStringLiteral("preview")} + sheetCalls(Receipt::LineCount));
    EXPECT_EQ(printer.lines(), kCreditedLines);
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_F(ReceiptPrinting, LaterPrintsAreMarkedCopiesCountedPerDayOverRestartsAndFailuresDoNotCount) {
    EXPECT_EQ(printOnce(kDay), kCreditedLines); // the original
    EXPECT_EQ(printOnce(kDay), QStringList{"КОПИЯ"} + kCreditedLines);

    // A cancelled dialog and a printer that fails leave the count alone.
    printer.accept = false;
    receipt.print(kCredited, kDay);
    printer.accept = true;
    printer.failAt = QStringLiteral("end");
    EXPECT_THROW(receipt.print(kCredited, kDay), AppError);
    printer.failAt.clear();

    // After a restart the record beside the day file still counts.
    DayRecords recordsAgain{days, clock};
    Printing printingAgain{env, printSettings, printer, clock};
    Receipt again{settings, session, printingAgain, recordsAgain, dialogs};
    printer.texts.clear();
    again.print(kCredited, kDay);
    EXPECT_EQ(printer.lines(), QStringList{"КОПИЯ 2"} + kCreditedLines);
    EXPECT_EQ(printOnce(kDay).first(), QStringLiteral("КОПИЯ 3"));
    EXPECT_EQ(records.timesPrinted(kDay, kCredited.transactionId), 4);
    EXPECT_TRUE(QFile::exists(programDir + QStringLiteral("101/20261209.prn")));

    // The preview shows what the next print would be, and counts nothing.
    printer.texts.clear();
    receipt.preview(kCredited, kDay);
    EXPECT_EQ(printer.lines().first(), QStringLiteral("КОПИЯ 4"));
    EXPECT_EQ(records.timesPrinted(kDay, kCredited.transactionId), 4);

    // Another transaction of the day, and the same id on another day, are originals.
    JournalRow other = kCredited;
    other.transactionId = QStringLiteral("101_261209150000");
    printer.texts.clear();
    receipt.print(other, kDay);
    EXPECT_EQ(printer.lines().first(), QStringLiteral("Платежная система Orvanta"));
    EXPECT_EQ(printOnce(kDay.addDays(-1)).first(), QStringLiteral("Платежная система Orvanta"));
}

TEST_F(ReceiptPrinting, WithoutTheDialogF2GoesStraightToThePrinterSetOnTheRoll) {
    printer.installed = {QStringLiteral("XP-58")};
    printSettings.setPaper(Paper::Roll58);
    printSettings.setPrinter(QStringLiteral("XP-58"));
    printSettings.setWithoutDialog(true);
    receipt.print(kCredited, kDay);
    ASSERT_GE(printer.calls.size(), 3);
    EXPECT_EQ(printer.calls.mid(0, 3),
              QStringList({QStringLiteral("use XP-58"), QStringLiteral("font Courier New 7"),
                           QStringLiteral("page 1370x1380")}));
    EXPECT_EQ(printer.texts.size(), Receipt::LineCount + 1); // the support line wrapped
    EXPECT_EQ(dialogs.last().text, QStringLiteral("Печать окончена!"));

    // The menu's "with a choice of printer" still asks.
    printer.calls.clear();
    receipt.print(kCredited, kDay, Printing::Choice::Dialog);
    EXPECT_EQ(printer.calls.first(), QStringLiteral("setup"));

    // A printer set that the system no longer has: an error, and no print counted.
    printer.installed.clear();
    printer.calls.clear();
    EXPECT_THROW(receipt.print(kCredited, kDay), AppError);
    EXPECT_FALSE(printer.calls.contains(QStringLiteral("begin")));
    EXPECT_EQ(records.timesPrinted(kDay, kCredited.transactionId), 2);

    // Without the tick, or without a printer, the dialog comes first as before.
    printer.installed = {QStringLiteral("XP-58")};
    for (const auto& [printerName, tick] :
         {std::pair{QStringLiteral("XP-58"), false}, std::pair{QString(), true}}) {
        printSettings.setPrinter(printerName);
        printSettings.setWithoutDialog(tick);
        printer.calls.clear();
        receipt.print(kCredited, kDay);
        EXPECT_EQ(printer.calls.first(), QStringLiteral("setup"));
    }
}

TEST_F(ReceiptPrinting, ThePdfPrinterWritesEachPrintToItsOwnFileInThePdfFolder) {
    printSettings.setPrinter(PrintSettings::PdfFile);
    printSettings.setWithoutDialog(true);
    receipt.print(kCredited, kDay);
    receipt.print(kCredited, kDay);
    const QString folder = programDir + QStringLiteral("pdf/");
    EXPECT_TRUE(QDir(folder).exists());
    QStringList files;
    for (const QString& call : printer.calls)
        if (call.startsWith(QStringLiteral("file ")))
            files << call.mid(5);
    EXPECT_EQ(files,
              QStringList({folder + QStringLiteral("20261209-100000-chek-101_261209140509.pdf"),
                           folder + QStringLiteral("20261209-100000-chek-101_261209140509-kopiya1.pdf")}));
}

TEST(PrintSettings, KeptInTheirOwnSectionOfIpIniWithDefaultsWhenAbsent) {
    QTemporaryDir dir;
    const QString programDir = TestFiles::dirPath(dir);
    const Environment env(programDir);
    const QString ipIni = programDir + QStringLiteral("ip.ini");
    TestFiles::write(ipIni, "[options]\r\nip=127.0.0.1\r\nipport=5000\r\n");
    PrintSettings settings(env);
    settings.load();
    EXPECT_EQ(settings.paper(), Paper::Sheet);
    EXPECT_TRUE(settings.printer().isEmpty());
    EXPECT_FALSE(settings.withoutDialog());

    settings.setPaper(Paper::Roll80);
    settings.setPrinter(QStringLiteral("XP-80"));
    settings.setWithoutDialog(true);
    PrintSettings reread(env);
    reread.load();
    EXPECT_EQ(reread.paper(), Paper::Roll80);
    EXPECT_EQ(reread.printer(), QStringLiteral("XP-80"));
    EXPECT_TRUE(reread.printsDirectly());
    // The other sections of a shared ip.ini stay as they were.
    const IniFile file(ipIni);
    EXPECT_EQ(file.readString(QStringLiteral("options"), QStringLiteral("ip"), QString()),
              QStringLiteral("127.0.0.1"));
    EXPECT_EQ(file.readString(QStringLiteral("options"), QStringLiteral("ipport"), QString()),
              QStringLiteral("5000"));

    // A paper nobody knows is the sheet.
    TestFiles::write(ipIni, "[print]\r\nbumaga=lenta57\r\n");
    reread.load();
    EXPECT_EQ(reread.paper(), Paper::Sheet);
}

// Only a payment has a receipt: a header, the totals or a blank row print
// nothing, and the box says which was chosen.
TEST_F(ReceiptPrinting, ARowThatIsNoPaymentPrintsNothingAndSaysWhy) {
    PaymentJournal journal;
    journal.clearDay();
    journal.insertPaymentRow();
    journal.setPaymentRow(2, kCredited);
    journal.insertPaymentRow(); // a blank row above the payment
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
                receipt.preview(journal, c.row, kDay);
            else
                receipt.print(journal, c.row, kDay);
            if (!c.why) {
                // The page goes out (the preview after the print marks it a copy).
                const QStringList lines = printer.lines();
                EXPECT_EQ(lines.mid(lines.size() - kCreditedLines.size()), kCreditedLines);
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
