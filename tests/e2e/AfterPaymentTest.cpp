#include "E2eFixture.h"

#include "link/PaymentCreation.h"
#include "link/Transmission.h"
#include "payments/UnsentRows.h"
#include "payments/PaymentJournal.h"
#include "platform/Locale.h"
#include "ui/OrvantaApplication.h"
#include "ui/JournalGrid.h"
#include "ui/Otmenaplat.h"

#include <QAction>
#include <QApplication>
#include <QDateEdit>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QToolButton>

namespace {

using Col = PaymentJournal::Column;

// After the payment: the receipt, the cancellation window, the search tab and
// the count of unsent payments, with the real windows against the simulator.
class AfterPayment : public EndToEnd {
protected:
    void SetUp() override {
        EndToEnd::SetUp();
        // Shown without blocking, so the test can work the window.
        forms->CancelPlat->setShowFunction([](TCancelPlat& w) {
            w.show();
            w.activateWindow();
        });
        logIn();
    }

    PaymentJournal& journal() { return terminal().journal(); }
    static QString sum(const char* whole) {
        return QString::fromLatin1(whole) + Locale::decimalSeparator() + QStringLiteral("00");
    }
    bool passEnded(int count) {
        return dialogs.texts().count(QStringLiteral("Синхронизация платежей успешно закончена!")) >= count;
    }
    // A payment as the payment window hands it over, paid and then credited.
    void payAndCredit(const char* name, const char* article, const char* account, const char* credited) {
        const int passes =
            int(dialogs.texts().count(QStringLiteral("Синхронизация платежей успешно закончена!")));
        terminal().creation().payNow(PaymentInput{QString::fromUtf8(name), QString::fromLatin1(article),
                                                  QString::fromLatin1(account), sum(credited),
                                                  QStringLiteral("100"), QStringLiteral("20")});
        ASSERT_TRUE(waitUntil([&] { return passEnded(passes + 1); }));
        refresh(passes + 2);
        ASSERT_EQ(journal().cell(2, Col::Note), QStringLiteral("Зачислено"));
        clock.advance(60);
    }
    void refresh(int passes) {
        find<QAction>(&main(), "N4")->trigger();
        ASSERT_TRUE(waitUntil([&] { return passEnded(passes); }));
    }
    void activateMain() {
        main().activateWindow();
        ASSERT_TRUE(waitUntil([&] { return QApplication::activeWindow() == &main(); }));
    }
};

TEST_F(AfterPayment, ACancellationIsRecordedNegativeAndFollowsTheServersStatuses) {
    payAndCredit(" Орбита Мобайл", "1101", "901234567", "98");
    const QString paid = journal().cell(2, Col::TransactionId);
    journal().setCurrentRow(2);
    QTest::mouseClick(find<QToolButton>(&main(), "ToolButton5"), Qt::LeftButton);
    TCancelPlat* window = forms->CancelPlat;
    ASSERT_TRUE(window->isVisible());
    QTest::mouseClick(find<QPushButton>(window, "BitBtn1"), Qt::LeftButton);
    EXPECT_FALSE(window->isVisible());

    // The simulator has the request: the paid transaction's data, sums negated.
    const QString request = journal().cell(2, Col::TransactionId);
    EXPECT_NE(request, paid);
    ASSERT_TRUE(waitUntil([&] { return server.payments().size() == 2; }));
    const sim::PaymentRecord recorded = server.payments().last();
    EXPECT_EQ(recorded.transaction, request);
    EXPECT_EQ(recorded.kind, sim::RowKind::Cancellation);
    EXPECT_EQ(recorded.credited, QStringLiteral("-") + sum("98"));
    EXPECT_EQ(recorded.received, QStringLiteral("-") + sum("98"));
    EXPECT_EQ(recorded.account, QStringLiteral("901234567"));

    // Acknowledged, then the server's statuses one refresh after another.
    ASSERT_TRUE(waitUntil([&] { return passEnded(3); }));
    const struct {
        const char* status;
        const char* note;
        const char* flag;
        QColor background;
    } steps[] = {{"11", "Заявка отмены", "1", QColor(0, 128, 0)},
                 {"12", "В ожидании отмены", "1", QColor(0, 0, 255)},
                 {"1", "Зачислено", "2", QColor(0, 255, 0)}};
    int passes = 3;
    for (const auto& step : steps) {
        SCOPED_TRACE(step.status);
        EXPECT_EQ(journal().cell(2, Col::Status), QString::fromLatin1(step.status));
        EXPECT_EQ(journal().cell(2, Col::Note), QString::fromUtf8(step.note));
        EXPECT_EQ(journal().cell(2, Col::SendFlag), QString::fromLatin1(step.flag));
        EXPECT_EQ(JournalGrid::rowColours(journal().sendFlag(2), journal().status(2)).background,
                  step.background);
        if (QLatin1String(step.status) == QLatin1String("11"))
            shot(&main(), QStringLiteral("journal-cancellation-requested"));
        refresh(++passes);
    }
    // The cancelled payment itself is left as the server credited it.
    EXPECT_EQ(journal().cell(3, Col::TransactionId), paid);
    EXPECT_EQ(journal().cell(3, Col::Note), QStringLiteral("Зачислено"));
    EXPECT_DOUBLE_EQ(server.deposit(QStringLiteral("101")), 15000.00 - 98.00);
}

TEST_F(AfterPayment, TheWindowInItsTwoFormsAndTheCorrectionItFiles) {
    payAndCredit(" Орбита Мобайл", "1101", "901234567", "98");
    payAndCredit(" Звезда GSM", "1102", "911234567", "49");
    TCancelPlat* window = forms->CancelPlat;

    // Орбита Мобайл takes cancellations: no new number, "Отмена" has the keys.
    journal().setCurrentRow(3);
    find<QAction>(&main(), "N6")->trigger();
    ASSERT_TRUE(window->isVisible());
    ASSERT_TRUE(waitUntil([&] { return QApplication::activeWindow() == window; }));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Отмена платежа"));
    EXPECT_EQ(find<QGroupBox>(window, "GroupBox1")->title(), QStringLiteral("Отмена платежа"));
    EXPECT_FALSE(find<QLineEdit>(window, "Edit6")->isVisible());
    EXPECT_TRUE(find<QLabel>(window, "Label6")->isVisible());
    EXPECT_FALSE(find<QLabel>(window, "Label6")->isEnabled());
    EXPECT_TRUE(find<QLabel>(window, "Image1")->isVisible());
    EXPECT_EQ(find<QLineEdit>(window, "Edit3")->text(), QStringLiteral("901234567"));
    EXPECT_EQ(find<QLineEdit>(window, "Edit4")->text(), sum("98"));
    EXPECT_EQ(QApplication::focusWidget(), find<QPushButton>(window, "BitBtn2"));
    shot(window, QStringLiteral("cancel-window"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); // "Отмена": nothing filed
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(server.payments().size(), 2);

    // Звезда GSM takes corrections: the new number has the keys.
    activateMain();
    journal().setCurrentRow(2);
    QTest::mouseClick(find<QToolButton>(&main(), "ToolButton5"), Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] { return QApplication::activeWindow() == window; }));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Корректировка платежа"));
    EXPECT_EQ(find<QGroupBox>(window, "GroupBox1")->title(), QStringLiteral("Корректировка платежа"));
    EXPECT_TRUE(find<QLabel>(window, "Label6")->isEnabled());
    auto* edit6 = find<QLineEdit>(window, "Edit6");
    EXPECT_TRUE(edit6->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), edit6);
    QTest::keyClicks(edit6, QStringLiteral("917654321"));
    shot(window, QStringLiteral("correction-window"));
    QTest::keyClick(edit6, Qt::Key_Return);
    EXPECT_FALSE(window->isVisible());
    ASSERT_TRUE(waitUntil([&] { return server.payments().size() == 3; }));
    EXPECT_EQ(server.payments().last().kind, sim::RowKind::Correction);
    EXPECT_EQ(server.payments().last().account, QStringLiteral("911234567+917654321"));
    EXPECT_EQ(journal().cell(2, Col::Account), QStringLiteral("911234567+917654321"));
}

TEST_F(AfterPayment, TheReceiptOfTheSelectedRowAndAPrinterErrorInTheExceptionBox) {
    payAndCredit(" Орбита Мобайл", "1101", "901234567", "98");
    activateMain();
    journal().setCurrentRow(2);
    QTest::keyClick(&main(), Qt::Key_F2);
    ASSERT_EQ(printer.texts.size(), 14);
    EXPECT_EQ(printer.texts[2].text, QStringLiteral("Чек ") + journal().cell(2, Col::TransactionId));
    EXPECT_EQ(printer.texts[8].text, QStringLiteral("Зачислено:") + sum("98") + QStringLiteral(" сомони"));
    // The simulator's settings are applied: the address label's text, not "---".
    EXPECT_EQ(printer.texts[4].text, QStringLiteral("Адрес: ") + find<QLabel>(&main(), "Label4")->text());
    EXPECT_NE(printer.texts[4].text, QStringLiteral("Адрес: ---"));
    EXPECT_EQ(dialogs.last().text, QStringLiteral("Печать окончена!"));

    // Printed again: a copy.
    printer.texts.clear();
    QTest::keyClick(&main(), Qt::Key_F2);
    ASSERT_EQ(printer.texts.size(), 15);
    EXPECT_EQ(printer.texts[0].text, QStringLiteral("КОПИЯ"));
    EXPECT_EQ(printer.texts[3].text, QStringLiteral("Чек ") + journal().cell(2, Col::TransactionId));

    // A row of another day shown in the journal: its own count, beside its own file.
    const QString id = journal().cell(2, Col::TransactionId);
    const QString journalDir = terminal().session().journalDir();
    ASSERT_TRUE(QFile::copy(journalDir + QStringLiteral("20261209.dat"),
                            journalDir + QStringLiteral("20261208.dat")));
    find<QDateEdit>(&main(), "DateDATA")->setDate(QDate(2026, 12, 8));
    ASSERT_EQ(terminal().days().shownDay(), QDate(2026, 12, 8));
    journal().setCurrentRow(2);
    activateMain();
    for (const char* first : {"Платежная система Orvanta", "КОПИЯ"}) {
        printer.texts.clear();
        QTest::keyClick(&main(), Qt::Key_F2);
        ASSERT_FALSE(printer.texts.isEmpty());
        EXPECT_EQ(printer.texts[0].text, QString::fromUtf8(first));
    }
    EXPECT_TRUE(QFile::exists(journalDir + QStringLiteral("20261208.prn")));
    EXPECT_EQ(terminal().records().timesPrinted(QDate(2026, 12, 8), id), 2);
    EXPECT_EQ(terminal().records().timesPrinted(QDate(2026, 12, 9), id), 2);
    find<QDateEdit>(&main(), "DateDATA")->setDate(QDate(2026, 12, 9));
    journal().setCurrentRow(2);
    activateMain();

    // "Просмотр" in the same menu draws the same page.
    auto* preview = find<QAction>(&main(), "ReceiptPreview");
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(preview->text().remove(QLatin1Char('&')), QStringLiteral("Просмотр"));
    printer.calls.clear();
    preview->trigger();
    EXPECT_EQ(printer.calls.first(), QStringLiteral("preview"));

    // A printer that fails: the application's exception box, and no "Печать окончена!".
    auto* app = static_cast<OrvantaApplication*>(QApplication::instance());
    app->setDialogs(&dialogs);
    printer.failAt = QStringLiteral("begin");
    dialogs.shown.clear();
    QTest::keyClick(&main(), Qt::Key_F2);
    app->setDialogs(nullptr);
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.last().kind, FakeDialogs::Kind::Exception);
    EXPECT_EQ(dialogs.last().text, QStringLiteral("Принтер недоступен"));
}

TEST_F(AfterPayment, EnterSearchesTheNumberAndTheAnswerFillsMemo2) {
    payAndCredit(" Орбита Мобайл", "1101", "901234567", "98");
    auto* tabs = find<QTabWidget>(&main(), "PageControl1");
    tabs->setCurrentIndex(2);
    auto* page = tabs->currentWidget();
    auto* edit6 = find<QLineEdit>(page, "Edit6");
    auto* memo2 = find<QPlainTextEdit>(page, "Memo2");
    QTest::keyClicks(edit6, QStringLiteral("901234567"));
    QTest::keyClick(edit6, Qt::Key_Return);
    EXPECT_FALSE(find<QPushButton>(page, "Poisk")->isEnabled());
    ASSERT_TRUE(waitUntil([&] { return find<QPushButton>(page, "Poisk")->isEnabled(); }));
    const QStringList lines = memo2->toPlainText().split(QLatin1Char('\n'));
    ASSERT_GE(lines.size(), 5);
    EXPECT_EQ(lines.mid(0, 4),
              (QStringList{QStringLiteral("Искали платежи на номер:"), QStringLiteral("901234567"), QString(),
                           QStringLiteral("Найдено:")}));
    // The simulator lists the payment just made first.
    EXPECT_TRUE(lines[4].contains(journal().cell(2, Col::TransactionId))) << lines[4].toStdString();
    shot(&main(), QStringLiteral("search-tab"));

    // "Начать поиск" for a number nobody paid: the old result goes.
    edit6->setText(QStringLiteral("999"));
    QTest::mouseClick(find<QPushButton>(page, "Poisk"), Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] { return !memo2->toPlainText().contains(QStringLiteral("901234567")); }));
    EXPECT_TRUE(memo2->toPlainText().startsWith(QStringLiteral("Искали платежи на номер:\n999\n")));
}

TEST_F(AfterPayment, TheToolbarCountsTheUnsentPaymentsOfTheDayShown) {
    auto* panel = find<QLabel>(&main(), "UnsentPanel");
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->text(), QStringLiteral("Не отправлено: 0"));
    for (const char* account : {"901111111", "902222222"}) {
        terminal().creation().defer(PaymentInput{QStringLiteral(" Орбита Мобайл"), QStringLiteral("1101"),
                                                 QString::fromLatin1(account), sum("10"),
                                                 QStringLiteral("10"), QStringLiteral("20")});
        clock.advance(1);
    }
    EXPECT_EQ(panel->text(), QStringLiteral("Не отправлено: 2"));
    EXPECT_TRUE(panel->isVisible());
    // Room for three digits without widening the window.
    emit terminal().unsent().changed(999);
    EXPECT_TRUE(waitUntil([&] { return panel->width() >= panel->sizeHint().width(); }));
    EXPECT_EQ(main().width(), 924);
    emit terminal().unsent().changed(2);
    shot(&main(), QStringLiteral("unsent-count"));

    // One deleted, the other sent: none left.
    journal().setCurrentRow(2);
    dialogs.answer(true);
    QTest::mouseClick(find<QToolButton>(&main(), "ToolButton5"), Qt::LeftButton);
    EXPECT_EQ(panel->text(), QStringLiteral("Не отправлено: 1"));
    journal().setCurrentRow(2);
    dialogs.answer(true);
    find<QAction>(&main(), "N7")->trigger();
    ASSERT_TRUE(waitUntil([&] { return passEnded(1); }));
    EXPECT_EQ(panel->text(), QStringLiteral("Не отправлено: 0"));
}

} // namespace
