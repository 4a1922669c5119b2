#include "goods/GoodsSale.h"
#include "Separator.h"
#include "goods/GoodsList.h"
#include "goods/Stock.h"
#include "payments/PaymentJournal.h"
#include "platform/TextCodec.h"
#include "support/LinkedTerminal.h"

#include <QSignalSpy>

namespace {

using Col = PaymentJournal::Column;
using F = GoodsSale::Field;

TEST(SaleSum, WholeQuantityTimesTheFourDecimalPrice) {
    struct Case {
        const char* quantity;
        const char* price;
        const char* sum;
    };
    const Case cases[] = {
        {"3", "12_50", "37_50"},  {"", "12_50", "0_00"},     {"x", "12_50", "0_00"},
        {"1_5", "12_50", "0_00"}, {"3", "abc", "0_00"},      {"3", "", "0_00"},
        {" 2", "0_3333", "0_67"}, {"-1", "12_50", "-12_50"}, {"99", "12_3456", "1222_21"},
    };
    for (const QChar separator : {QLatin1Char('.'), QLatin1Char(',')}) {
        Separator use(separator);
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.quantity) + " x " + c.price);
            EXPECT_EQ(GoodsSale::sumFor(QString::fromUtf8(c.quantity), sep(c.price)), sep(c.sum));
        }
    }
}

// A registered terminal 101 with today's journal, a certificate, and the sale
// window's logic.
class Sale : public Linked {
protected:
    void SetUp() override {
        Linked::SetUp();
        if (HasFatalFailure())
            return;
        openDayOf101();
        sale().setIssued(QDate(2015, 3, 4));
        sale().setBorn(QDate(1990, 11, 25));
    }
    GoodsSale& sale() { return terminal->goodsSale(); }
    PaymentJournal& journal() { return terminal->journal(); }

    void chooseItem(const QString& article, const QString& name, const QString& price,
                    const QString& quantity) {
        sale().take(GoodsPick{article, QStringLiteral("Н-0101"), name, price, true});
        sale().edit(F::Kolich, quantity);
    }
    void fillCustomer() {
        const std::pair<F, const char*> typed[] = {
            {F::Family, "Рахимов"},        {F::Name, "Алишер"},          {F::Otchestvo, "Каримович"},
            {F::PasportSeri, "A12"},       {F::PasportNomer, "1234567"}, {F::PasportVidan, "ОВД Сино"},
            {F::Strana, "Узбекистан"},     {F::Oblast, "Согд"},          {F::Gorod, "Худжанд"},
            {F::Adres, "ул. Ленина 5-12"}, {F::Osobiuslov, "927001122"}, {F::Primech, "SIM 8992"},
        };
        for (const auto& [field, text] : typed)
            ASSERT_TRUE(sale().edit(field, QString::fromUtf8(text)));
    }
    // The next message the terminal sent, without its terminator.
    QByteArray nextSent() {
        if (!waitUntil([&] { return server.received.contains("$k$"); }, 3000))
            return QByteArray();
        const qsizetype end = server.received.indexOf("$k$");
        const QByteArray m = server.received.left(end);
        server.received.remove(0, end + 3);
        return m;
    }
    // Filed rows; an empty day has blank rows above its totals.
    int rows() const {
        int n = 0;
        for (int r = PaymentJournal::FirstDataRow; r < terminal->journal().totalsRow(); ++r)
            n += terminal->journal().cell(r, Col::ExecutedAt).isEmpty() ? 0 : 1;
        return n;
    }
};

TEST_F(Sale, TheQuestionnaireRecordHasNineteenFieldsCutToTheirWidths) {
    fillCustomer();
    chooseItem(QStringLiteral("4001"), QStringLiteral("Бумага для чеков"), sep("12_50"), QStringLiteral("3"));
    EXPECT_EQ(sale().questionnaireRecord(),
              QStringLiteral("927001122&4001&Н-0101&3&SIM 8992&Рахимов&Алишер&Каримович&A12&1234567&ОВД Сино&"
                             "Узбекистан&Худжанд&Согд&ул. Ленина 5-12&Бумага для чеков&") +
                  sep("12_50") + QStringLiteral("&04.03.2015&25.11.1990&"));

    // Cut to the widths: the article to 6, the name to 20, the city to 12 (more
    // than it can be typed), the invoice to 7.
    sale().take(GoodsPick{QStringLiteral("40010001"), QStringLiteral("INV-2026-12"),
                          QStringLiteral("Стартовый пакет «Орбита Мобайл» 1"), sep("10_00"), true});
    sale().edit(F::Gorod, QStringLiteral("Истаравшан-Центр"));
    const QStringList fields = sale().questionnaireRecord().split(QLatin1Char('&'));
    ASSERT_EQ(fields.size(), 20);
    EXPECT_EQ(fields.last(), QString()); // the last field is ended too
    EXPECT_EQ(fields[1], QStringLiteral("400100"));
    EXPECT_EQ(fields[2], QStringLiteral("INV-202"));
    EXPECT_EQ(fields[12], QStringLiteral("Истаравшан-Ц"));
    EXPECT_EQ(fields[15], QStringLiteral("Стартовый пакет «Орб"));
}

TEST_F(Sale, AnEmptyFormStillEndsEveryFieldAndTheDatesAreOneFormWhateverTheDesktopWrites) {
    const QString saved = Locale::shortDateFormat();
    Locale::setShortDateFormat(QStringLiteral("M/d/yy"));
    EXPECT_EQ(sale().questionnaireRecord(),
              QString(17, QLatin1Char('&')) + QStringLiteral("04.03.2015&25.11.1990&"));
    Locale::setShortDateFormat(saved);
}

TEST_F(Sale, FilingIsRefusedWithoutAnItemAQuantityOrASum) {
    struct Case {
        const char* article;
        const char* quantity;
        bool clearSum;
    };
    const Case cases[] = {{"", "1", false}, {"400", "1", false}, {"4001", "", false}, {"4001", "1", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.article) + "/" + c.quantity);
        dialogs.shown.clear();
        chooseItem(QString::fromUtf8(c.article), QStringLiteral("Товар"), sep("1_00"),
                   QString::fromUtf8(c.quantity));
        if (c.clearSum)
            sale().edit(F::Suma, QString());
        sale().deferClicked();
        EXPECT_EQ(dialogs.texts(),
                  QStringList({"Не все поля заполнены!!!\n Заполните поля и повторите попытку."}));
        EXPECT_EQ(rows(), 0);
    }
    // An empty questionnaire does not stop a sale; a price that is not a number
    // makes a sum of zero, which is a sum.
    chooseItem(QStringLiteral("4001"), QStringLiteral("Товар"), QStringLiteral("цена"), QStringLiteral("1"));
    sale().deferClicked();
    EXPECT_EQ(rows(), 1);
    EXPECT_EQ(journal().cell(2, Col::Credited), sep("0_00"));
}

TEST_F(Sale, ADeferredSaleStaysInTheJournalAndTheWindowStaysOpen) {
    QSignalSpy closed(&sale(), &GoodsSale::closeRequested);
    sale().open();
    const QString code = sale().text(F::Shifr);
    EXPECT_EQ(code, QStringLiteral("101_261209140509"));
    const QString name = QStringLiteral("Стартовый пакет «Орбита» 30 с.");
    ASSERT_EQ(name.size(), 30);
    chooseItem(QStringLiteral("40030001"), name, sep("10_00"), QStringLiteral("2"));
    sale().deferClicked();
    EXPECT_EQ(closed.size(), 0);
    ASSERT_EQ(rows(), 1);
    const JournalRow row = journal().paymentRow(2);
    EXPECT_EQ(row.executedAt, QStringLiteral("09.12.26 14:05:09"));
    EXPECT_EQ(row.operatorName, name); // whole, where the record cuts it
    EXPECT_TRUE(row.account.startsWith(QStringLiteral("&400300&Н-0101&2&")));
    EXPECT_TRUE(row.account.contains(QStringLiteral("&Стартовый пакет «Орб&")));
    EXPECT_EQ(row.credited, sep("20_00"));
    EXPECT_EQ(row.received, QStringLiteral("0"));
    EXPECT_EQ(row.transactionId, code);
    EXPECT_EQ(row.note, QStringLiteral("отложено"));
    EXPECT_EQ(row.article, QStringLiteral("40030001"));
    EXPECT_EQ(row.paymentType, QStringLiteral("T"));
    EXPECT_EQ(row.sendFlag, SendFlag::Unsent);
    // Saved with its note; nothing went to the server.
    PaymentJournal onDisk;
    ASSERT_TRUE(onDisk.fromDayFile(TestFiles::read(terminal->days().dayFilePath())));
    EXPECT_EQ(onDisk.cell(2, Col::Note), QStringLiteral("отложено"));
    QTest::qWait(30);
    EXPECT_TRUE(server.received.isEmpty());
}

TEST_F(Sale, RecordClosesTheWindowFirstThenSendsTheSaleAsAnOMessage) {
    int rowsWhenClosed = -1;
    QObject::connect(&sale(), &GoodsSale::closeRequested, [&] { rowsWhenClosed = rows(); });
    sale().open();
    fillCustomer();
    chooseItem(QStringLiteral("4001"), QStringLiteral("Бумага для чеков"), sep("12_50"), QStringLiteral("3"));
    const QString record = sale().questionnaireRecord();
    sale().recordClicked();
    EXPECT_EQ(rowsWhenClosed, 0);
    ASSERT_EQ(rows(), 1);
    EXPECT_EQ(journal().cell(2, Col::Note), QStringLiteral("в процессе"));
    EXPECT_EQ(nextSent(), QByteArray("o101_261209140509#T$4001?0!") + TextCodec::toCp1251(sep("37_50")) +
                              "/" + TextCodec::toCp1251(record) + "#CERT-1)");
}

TEST_F(Sale, EveryFilingTakesANewCodeSoNoTwoSalesShareOne) {
    sale().open();
    chooseItem(QStringLiteral("4001"), QStringLiteral("Бумага"), sep("12_50"), QStringLiteral("1"));
    sale().deferClicked();
    const QString second = sale().text(F::Shifr);
    EXPECT_NE(second, journal().cell(2, Col::TransactionId));
    chooseItem(QStringLiteral("4001"), QStringLiteral("Бумага"), sep("12_50"), QStringLiteral("1"));
    sale().recordClicked();
    ASSERT_EQ(rows(), 2);
    EXPECT_EQ(journal().cell(2, Col::TransactionId), second);
    EXPECT_NE(journal().cell(3, Col::TransactionId), second);
    EXPECT_NE(sale().text(F::Shifr), second);

    // A refused filing keeps the code.
    chooseItem(QStringLiteral("4001"), QStringLiteral("Бумага"), sep("12_50"), QString());
    const QString kept = sale().text(F::Shifr);
    sale().deferClicked();
    EXPECT_EQ(sale().text(F::Shifr), kept);
}

TEST_F(Sale, TheRecordSeparatorsCannotBeTyped) {
    ASSERT_TRUE(sale().edit(F::Family, QStringLiteral("Рахимов")));
    for (const char* typed : {"Рахимов&", "Рах#имов", "$Рахимов", "Рахимов$k$"}) {
        EXPECT_FALSE(sale().edit(F::Family, QString::fromUtf8(typed))) << typed;
        EXPECT_EQ(sale().text(F::Family), QStringLiteral("Рахимов"));
    }
    for (const F field : {F::Adres, F::Primech, F::Shifr, F::Suma, F::Kolich})
        EXPECT_FALSE(sale().edit(field, QStringLiteral("1&2"))) << GoodsSale::objectName(field);
    // Everything else goes in unchanged.
    EXPECT_TRUE(sale().edit(F::Adres, QStringLiteral("д.5/1, кв.\"12\" !@%")));
    EXPECT_EQ(sale().text(F::Adres), QStringLiteral("д.5/1, кв.\"12\" !@%"));
}

TEST_F(Sale, ClearEmptiesTheCustomerTheItemAndTheCodeButKeepsInvoiceNoteAndDates) {
    sale().open();
    fillCustomer();
    chooseItem(QStringLiteral("4001"), QStringLiteral("Бумага"), sep("12_50"), QStringLiteral("3"));
    sale().clearClicked();
    for (int i = 0; i < GoodsSale::FieldCount; ++i) {
        const auto f = F(i);
        const bool kept = f == F::Invoice || f == F::Primech;
        EXPECT_EQ(sale().text(f).isEmpty(), !kept) << GoodsSale::objectName(f);
    }
    EXPECT_EQ(sale().issued(), QDate(2015, 3, 4));
    EXPECT_EQ(sale().born(), QDate(1990, 11, 25));

    // A sale filed with the emptied code gets a code of its own.
    chooseItem(QStringLiteral("4002"), QStringLiteral("Кабель"), sep("25_00"), QStringLiteral("1"));
    sale().deferClicked();
    ASSERT_EQ(rows(), 1);
    EXPECT_TRUE(journal().cell(2, Col::TransactionId).startsWith(QStringLiteral("101_261209")));
}

// Whichever button filed it, a sale leaves nothing behind that a second press
// would sell again; a sale refused for a missing field keeps everything typed.
TEST_F(Sale, AFiledSaleLeavesTheFormEmptySoASecondPressSellsNothing) {
    for (const bool sendNow : {false, true}) {
        SCOPED_TRACE(sendNow ? "Записать" : "ОТЛОЖИТЬ");
        const int before = rows();
        sale().open();
        fillCustomer();
        chooseItem(QStringLiteral("4001"), QStringLiteral("Бумага"), sep("12_50"), QStringLiteral("2"));
        sendNow ? sale().recordClicked() : sale().deferClicked();
        ASSERT_EQ(rows(), before + 1);
        for (const F f : {F::KodTovar, F::NaimenTovar, F::Cena, F::Kolich, F::Suma, F::Family, F::Name,
                          F::PasportNomer, F::Adres, F::Osobiuslov})
            EXPECT_TRUE(sale().text(f).isEmpty()) << GoodsSale::objectName(f);
        EXPECT_FALSE(sale().text(F::Shifr).isEmpty()); // the next sale's own code

        dialogs.shown.clear();
        sendNow ? sale().recordClicked() : sale().deferClicked();
        EXPECT_EQ(rows(), before + 1);
        EXPECT_EQ(dialogs.texts(),
                  QStringList({"Не все поля заполнены!!!\n Заполните поля и повторите попытку."}));
    }
    // Refused for a missing quantity: the customer and the item stay.
    fillCustomer();
    chooseItem(QStringLiteral("4001"), QStringLiteral("Бумага"), sep("12_50"), QString());
    sale().deferClicked();
    EXPECT_EQ(sale().text(F::Family), QStringLiteral("Рахимов"));
    EXPECT_EQ(sale().text(F::KodTovar), QStringLiteral("4001"));
}

// The stock as the stock window last showed it: one invoice of 7, another of
// 3 of the same article, and a fractional one.
TEST_F(Sale, AQuantityAboveTheStockIsAskedAboutBeforeFiling) {
    TestFiles::write(terminal->stock().filePath(), TestFiles::cp("09.12.2026 14:05#\r\n"
                                                                 "4001#Н-0101#Бумага для чеков#7#70#\r\n"
                                                                 "4001#Н-0102#Бумага для чеков#3#30#\r\n"
                                                                 "4005#Н-0103#Кабель#2,5#10#\r\n"));
    struct Case {
        const char* name;
        const char* article;
        const char* invoice; // empty: picked from the price list
        const char* quantity;
        const char* asked; // empty: no question
        bool answer;       // to the question
        bool filed;
    };
    const Case cases[] = {
        {"within the invoice", "4001", "Н-0101", "7", "", true, true},
        {"above the invoice, sold anyway", "4001", "Н-0101", "10", "На складе 7. Продать 10?", true, true},
        {"above the invoice, not sold", "4001", "Н-0101", "10", "На складе 7. Продать 10?", false, false},
        {"the price list's pick counts every invoice", "4001", "", "10", "", true, true},
        {"above every invoice", "4001", "", "11", "На складе 10. Продать 11?", false, false},
        {"a fractional stock", "4005", "Н-0103", "3", "На складе 2,5. Продать 3?", false, false},
        {"an article the stock does not hold", "4009", "", "50", "", false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const int before = rows();
        dialogs.shown.clear();
        dialogs.answer(c.answer);
        sale().take(GoodsPick{QString::fromUtf8(c.article), QString::fromUtf8(c.invoice),
                              QStringLiteral("Товар"), sep("10_00"), *c.invoice != 0});
        if (!*c.invoice)
            sale().edit(F::Invoice, QString());
        sale().edit(F::Kolich, QString::fromUtf8(c.quantity));
        sale().deferClicked();
        dialogs.answers.clear();
        const QString asked =
            QString::fromUtf8(c.asked).replace(QLatin1Char(','), Locale::decimalSeparator());
        EXPECT_EQ(dialogs.texts(), asked.isEmpty() ? QStringList() : QStringList{asked});
        EXPECT_EQ(rows(), before + (c.filed ? 1 : 0));
        // Refused, the sale stays in the form to be corrected.
        if (!c.filed) {
            EXPECT_EQ(sale().text(F::Kolich), QString::fromUtf8(c.quantity));
        }
        sale().clearClicked();
    }
}

} // namespace
