#include "payments/PaymentEntry.h"
#include "core/OperatorCatalogue.h"
#include "platform/Locale.h"
#include "support/FakeClock.h"
#include "support/FakeDialogs.h"
#include "support/FakeFileDialog.h"
#include "support/FakePrinter.h"
#include "support/FakeSpreadsheet.h"
#include "support/TestFiles.h"
#include "terminal/Terminal.h"

#include <QMetaEnum>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

using Field = PaymentEntry::Field;

// The worked tariff: up to 100 pays 2 %, up to 1000 a fixed 1.5.
OperatorProfile tariff() {
    OperatorProfile p;
    p.article = QStringLiteral("500");
    p.tiers[0] = {-1, 100, Decimal::fromInt(2), CommissionKind::Percentage, QStringLiteral("До 100: 2%")};
    p.tiers[1] = {100, 1000, Decimal::fromCents(150), CommissionKind::Amount, QStringLiteral("До 1000: 1,5")};
    p.tiers[2] = {1000, 0, Decimal(), CommissionKind::Percentage, QStringLiteral("0")};
    return p;
}

OperatorButton button() {
    OperatorButton b;
    b.visible = true;
    b.accelerator = QLatin1Char('3');
    b.name = QStringLiteral("Мобил-Тест");
    b.article = QStringLiteral("500");
    b.iconPath = QStringLiteral("img/500.ico");
    return b;
}

// Keys typed into the account field at its caret, one change each.
void typeAccount(PaymentEntry& e, const QString& keys) {
    for (const QChar ch : keys) {
        QString text = e.typedAccount();
        const int caret = e.accountCaret();
        text.insert(caret, ch);
        e.accountEdited(text, caret + 1);
    }
}

// Keys typed at the end of the sum field, one change each.
void typeSum(PaymentEntry& e, const QString& keys) {
    for (const QChar ch : keys)
        e.sumEdited(e.sumText() + ch);
}

class Entry : public ::testing::TestWithParam<char> {
protected:
    void SetUp() override {
        Locale::setDecimalSeparator(QLatin1Char(GetParam()));
        QObject::connect(&entry, &PaymentEntry::focusRequested, [this](Field f) {
            events << QStringLiteral("focus ") +
                          QString::fromLatin1(QMetaEnum::fromType<Field>().valueToKey(int(f)));
        });
        QObject::connect(&entry, &PaymentEntry::closeRequested,
                         [this] { events << QStringLiteral("close"); });
        // Named as the modes of payment creation: 0 pay, 9 defer, 2 balance.
        QObject::connect(&entry, &PaymentEntry::payRequested,
                         [this] { events << QStringLiteral("create 0"); });
        QObject::connect(&entry, &PaymentEntry::deferRequested,
                         [this] { events << QStringLiteral("create 9"); });
        QObject::connect(&entry, &PaymentEntry::balanceRequested,
                         [this] { events << QStringLiteral("create 2"); });
    }
    void TearDown() override { Locale::setDecimalSeparator(QLatin1Char('.')); }

    void open(const OperatorProfile& p) {
        entry.open(QStringLiteral("Сотовая связь"), button(), p);
        entry.formShow();
        events.clear();
    }

    static QString loc(const char* text) {
        return QString::fromUtf8(text).replace(QLatin1Char('.'), Locale::decimalSeparator());
    }

    PaymentEntry entry;
    QStringList events;
};

std::string separatorName(const ::testing::TestParamInfo<char>& info) {
    return info.param == '.' ? "point" : "comma";
}
INSTANTIATE_TEST_SUITE_P(Separators, Entry, ::testing::Values('.', ','), separatorName);

struct Rule {
    const char* name;
    const char* prefix;
    int digitCount;
    qint64 minSum;       // hundredths
    const char* account; // typed into Edit1
    const char* sum;     // typed into Edit3
    bool pasted;         // account and sum arrive as one change each
    int click;           // label clicked afterwards, -1 none
    // expected; "." in sums stands for the locale's separator
    const char* edit1;
    const char* edit3;
    const char* credited; // nullptr: not checked
    bool pay;
    int caretCell;
};

const Rule kRules[] = {
    {"digit count 9 keeps nine", "", 9, 0, "1234567890", "", false, -1, "123456789", "", "0.00", true, 9},
    {"digit count 9, eight typed", "", 9, 0, "12345678", "50", false, -1, "12345678", "50", "49.00", false,
     8},
    {"pasted account cut to nine", "", 9, 0, "12345678901", "", true, -1, "123456789", "", nullptr, true, 9},
    {"digit count 0, prefix alone", "992", 0, 0, "", "50", false, -1, "", "50", "49.00", true, 3},
    {"digit count 0, one typed", "992", 0, 0, "5", "50", false, -1, "5", "50", "49.00", false, 4},
    {"credited equal to the minimum", "", 2, 4900, "12", "50", false, -1, "12", "50", "49.00", true, 2},
    {"credited below the minimum", "", 2, 4900, "12", "49", false, -1, "12", "49", "48.02", false, 2},
    {"fractional minimum met exactly", "", 2, 10, "12", "0.1", false, -1, "12", "0.1", "0.10", true, 2},
    {"minimum 0 and sum 0", "", 2, 0, "12", "0", false, -1, "12", "0", "0.00", true, 2},
    {"comma, then a second separator", "", 2, 0, "12", "12,5,", false, -1, "12", "12.5", "12.25", true, 2},
    {"point, then a second separator", "", 2, 0, "12", "12.5.", false, -1, "12", "12.5", "12.25", true, 2},
    {"letters dropped as typed", "", 2, 0, "12", "1a2", false, -1, "12", "12", "11.76", true, 2},
    {"minus typed first is dropped", "", 2, 0, "12", "-50", false, -1, "12", "50", "49.00", true, 2},
    {"pasted text settles", "", 2, 0, "12", "1,2,3", true, -1, "12", "1.2", "1.18", true, 2},
    {"pasted negative sum", "", 2, 0, "12", "-50", true, -1, "12", "-50", "-49.00", false, 2},
    // Held exactly up to fifteen digits; a sixteenth does not take.
    {"a sixteenth digit does not take", "", 2, 0, "12", "1234567890123456", false, -1, "12",
     "123456789012345", "123456789012345.00", true, 2},
    {"cell inside the prefix", "99", 0, 0, "1234", "", false, 1, "1234", "", nullptr, false, 2},
    {"cell after the second typed", "99", 0, 0, "1234", "", false, 4, "1234", "", nullptr, false, 4},
    {"cell past the typed text", "99", 0, 0, "1234", "", false, 12, "1234", "", nullptr, false, 6},
    {"caret on cell 16", "99", 0, 0, "12345678901234", "", false, -1, "12345678901234", "", nullptr, false,
     16},
    {"caret past cell 16", "99", 0, 0, "123456789012345", "", false, -1, "123456789012345", "", nullptr,
     false, -1},
    // The account takes digits only: the rest would reach the "o" message, where "#" shifts every field.
    {"letters, blanks and # refused as typed", "", 9, 0, "12ab 3#45-6789", "", false, -1, "123456789", "",
     nullptr, true, 9},
    {"Cyrillic refused as typed", "", 3, 0, "1я2Ж3", "", false, -1, "123", "", nullptr, true, 3},
    {"pasted text keeps its digits", "", 9, 0, "92 234-567#89", "", true, -1, "922345678", "", nullptr, true,
     9},
    {"a lone # leaves the field empty", "", 2, 0, "#", "", false, -1, "", "", nullptr, false, 0},
};

TEST_P(Entry, AccountCellsSumAndPayButtonsFollowTheRules) {
    for (const Rule& r : kRules) {
        SCOPED_TRACE(r.name);
        OperatorProfile p = tariff();
        p.mask = QStringLiteral("XXXXXXXXXXXXXXXXX");
        p.prefix = QString::fromLatin1(r.prefix);
        p.digitCount = r.digitCount;
        p.minSum = Decimal::fromCents(r.minSum);
        open(p);

        const QString account = QString::fromUtf8(r.account);
        if (r.pasted)
            entry.accountEdited(account, int(account.size()));
        else
            typeAccount(entry, account);
        if (r.pasted)
            entry.sumEdited(QString::fromLatin1(r.sum));
        else
            typeSum(entry, QString::fromLatin1(r.sum));
        if (r.click >= 0)
            entry.caretToCell(r.click);

        EXPECT_EQ(entry.typedAccount(), QString::fromLatin1(r.edit1));
        const QString number = p.prefix + entry.typedAccount();
        EXPECT_EQ(entry.accountNumber(), number);
        EXPECT_EQ(entry.sumText(), loc(r.edit3));
        EXPECT_EQ(entry.sumCaret(), entry.sumText().size());
        if (r.credited) {
            EXPECT_EQ(entry.creditedText(), loc(r.credited));
        }
        EXPECT_EQ(entry.payEnabled(), r.pay);
        EXPECT_EQ(entry.caretCell(), r.caretCell);
        if (r.caretCell >= 0) {
            EXPECT_EQ(entry.accountCaret(), r.caretCell - p.prefix.size());
        }
        for (int i = 0; i < PaymentEntry::CellCount; ++i)
            EXPECT_EQ(entry.cellText(i), number.mid(i, 1)) << "cell " << i;
    }
}

// The cashier is told the minimum when the sum to credit falls short of it,
// whether or not the account is complete yet.
TEST_P(Entry, ASumBelowTheMinimumNamesTheMinimum) {
    struct Case {
        qint64 minSum; // hundredths
        const char* account;
        const char* sum;
        const char* hint; // "." stands for the locale's separator; "" none
    };
    const Case cases[] = {
        {4900, "12", "49", "Минимальная сумма: 49.00"}, // credits 48.02
        {4900, "1", "49", "Минимальная сумма: 49.00"},  // account not complete yet
        {4900, "12", "50", ""},                          // credits 49.00: met exactly
        {4900, "12", "", ""},                            // nothing typed yet
        {1050, "12", "1", "Минимальная сумма: 10.50"},
        {0, "12", "0", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.sum) + " / " + std::to_string(c.minSum));
        OperatorProfile p = tariff();
        p.digitCount = 2;
        p.minSum = Decimal::fromCents(c.minSum);
        open(p);
        typeAccount(entry, QString::fromLatin1(c.account));
        typeSum(entry, QString::fromLatin1(c.sum));
        EXPECT_EQ(entry.minimumHint(), loc(c.hint));
        if (*c.hint) {
            EXPECT_FALSE(entry.payEnabled());
        }
    }
}

TEST_P(Entry, ALetterTypedInTheMiddleOfTheAccountLeavesTextAndCaret) {
    OperatorProfile p = tariff();
    p.digitCount = 9;
    open(p);
    entry.accountEdited(QStringLiteral("1234"), 4);
    entry.accountEdited(QStringLiteral("12x34"), 3); // typed after "12"
    EXPECT_EQ(entry.typedAccount(), QStringLiteral("1234"));
    EXPECT_EQ(entry.accountCaret(), 2);
}

TEST_P(Entry, TypingPastTheDigitCountInTheMiddleDropsTheLastCharacterAndKeepsTheCaret) {
    OperatorProfile p = tariff();
    p.digitCount = 9;
    open(p);
    typeAccount(entry, QStringLiteral("123456789"));
    entry.accountCaretMoved(3);
    typeAccount(entry, QStringLiteral("0"));
    EXPECT_EQ(entry.typedAccount(), QStringLiteral("123045678"));
    EXPECT_EQ(entry.accountCaret(), 4);
    EXPECT_EQ(entry.caretCell(), 4);
}

TEST_P(Entry, ACaretReportedOutsideItsTextStaysInside) {
    OperatorProfile p = tariff();
    p.digitCount = 9;
    open(p);
    typeAccount(entry, QStringLiteral("1234"));
    typeSum(entry, QStringLiteral("50"));
    for (const int caret : {-3, 40}) {
        entry.accountCaretMoved(caret);
        entry.sumCaretMoved(caret);
        EXPECT_EQ(entry.accountCaret(), caret < 0 ? 0 : 4);
        EXPECT_EQ(entry.sumCaret(), caret < 0 ? 0 : 2);
    }
    entry.accountCaretShown();
    EXPECT_EQ(entry.caretCell(), 4);
}

TEST_P(Entry, TheMaskSaysHowManyCellsShow) {
    struct Layout {
        const char* mask;
        int cells;
    };
    const Layout layouts[] = {
        {"XX=XXX-XX-XX", 9}, {"(XXX) XX-XX", 7}, {"xX==X", 2}, {"", 0}, {"XXXXXXXXXXXXXXXXXXXX", 17},
    };
    for (const Layout& l : layouts) {
        SCOPED_TRACE(l.mask);
        OperatorProfile p = tariff();
        p.mask = QString::fromLatin1(l.mask);
        p.prefix = QStringLiteral("99");
        open(p);
        EXPECT_EQ(entry.shownCells(), l.cells);
        EXPECT_EQ(entry.cellText(0), QStringLiteral("9"));
        EXPECT_EQ(entry.cellText(2), QString());
    }
}

TEST_P(Entry, KeysMoveTheFocusAndTheCaret) {
    OperatorProfile p = tariff();
    p.prefix = QStringLiteral("99");
    p.digitCount = 3;
    open(p);
    typeAccount(entry, QStringLiteral("123"));

    entry.accountConfirmed();
    EXPECT_EQ(events, QStringList{"focus Sum"});
    events.clear();

    // Left and Right refresh the caret cell; other moves wait for the next refresh.
    entry.accountCaretMoved(1);
    EXPECT_EQ(entry.caretCell(), 5);
    entry.accountCaretShown();
    EXPECT_EQ(entry.caretCell(), 3);

    entry.accountLeftDown();
    EXPECT_EQ(entry.accountCaret(), 0);
    EXPECT_EQ(events, QStringList{"focus Sum"});
    events.clear();

    typeSum(entry, QStringLiteral("5000")); // above every tier, still payable
    ASSERT_TRUE(entry.payEnabled());
    entry.sumConfirmed();
    entry.sumLeftUp();
    EXPECT_EQ(events, QStringList({"focus PayButton", "focus Account"}));
    events.clear();

    entry.accountEdited(QStringLiteral("12"), 2); // one digit short
    ASSERT_FALSE(entry.payEnabled());
    entry.sumConfirmed();
    EXPECT_TRUE(events.isEmpty());
}

TEST_P(Entry, ButtonsHandOverInTheirOrderWithWhatCreationReads) {
    struct Way {
        const char* name;
        std::function<void(PaymentEntry&)> press;
        QStringList events;
        bool balanceOnAtCreation;
    };
    const Way ways[] = {
        {"ОПЛАТИТЬ", &PaymentEntry::payClicked, {"close", "create 0"}, true},
        {"ОТЛОЖИТЬ", &PaymentEntry::deferClicked, {"create 9", "close"}, true},
        {"БАЛАНС", &PaymentEntry::balanceClicked, {"close", "create 2"}, false},
        {"ЗАКРЫТЬ", &PaymentEntry::closeClicked, {"close"}, true},
    };
    for (const Way& w : ways) {
        SCOPED_TRACE(w.name);
        OperatorProfile p = tariff();
        p.prefix = QStringLiteral("99");
        p.digitCount = 3;
        p.balanceQuery = true;
        open(p);
        typeAccount(entry, QStringLiteral("123"));
        typeSum(entry, QStringLiteral("50"));
        ASSERT_TRUE(entry.payEnabled());

        QStringList seen; // what creation finds when it is asked
        const auto look = [&] {
            seen << entry.accountNumber() << entry.operatorCaption() << entry.article()
                 << entry.creditedText() << entry.sumText();
            EXPECT_EQ(entry.checkBalanceEnabled(), w.balanceOnAtCreation);
        };
        const QList<QMetaObject::Connection> connections = {
            QObject::connect(&entry, &PaymentEntry::payRequested, look),
            QObject::connect(&entry, &PaymentEntry::deferRequested, look),
            QObject::connect(&entry, &PaymentEntry::balanceRequested, look)};
        w.press(entry);
        for (const auto& c : connections)
            QObject::disconnect(c);

        EXPECT_EQ(events, w.events);
        if (w.events.size() > 1) {
            EXPECT_EQ(seen, QStringList({"99123", " Мобил-Тест", "500", loc("49.00"), "50"}));
        }
    }
}

TEST_P(Entry, DisabledButtonsHandNothingOver) {
    OperatorProfile p = tariff();
    p.digitCount = 3; // nothing typed: paying is off
    p.balanceQuery = false;
    open(p);
    entry.payClicked();
    entry.deferClicked();
    entry.balanceClicked();
    EXPECT_TRUE(events.isEmpty());
}

// The operator button's click through the terminal: profile read from the files
// the catalogue uses, the window's state prepared, then the show request.
class OpenOperator : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        programDir = TestFiles::dirPath(dir);
        writeOperators("[500]\nname=Мобил-Тест\nstatus=1\nFormat=XXX-XX-XX\ntel= 99 \nkolznak=7\n"
                       "CheckBalance=1\nkurs=2\nMinSum=10\n");
        writeSettings("text1=До 100: 2%");
        TestFiles::write(programDir + "img/500.ico", "icon");
        terminal = std::make_unique<Terminal>(programDir, Seams{dialogs, clock, fileDialog, printer, spreadsheet});
        terminal->session().setTerminalNumber(QStringLiteral("101"));
        terminal->catalogue().selectCategory(0);
        ASSERT_EQ(terminal->catalogue().button(1).name, QStringLiteral("Мобил-Тест"));
        ASSERT_EQ(terminal->catalogue().button(1).accelerator, QLatin1Char('0'));
    }

    void writeOperators(const char* utf8) {
        TestFiles::write(programDir + "operator.ini", TestFiles::cp(utf8).replace("\n", "\r\n"));
    }
    // The category section puts the operator on button 2; the tariff follows.
    void writeSettings(const char* firstTierText) {
        const QByteArray text = QByteArray("[winSotka]\nb2art=500\nb2oplata=1\n[500]\nmax1=100\nkomis1=2\n") +
                                "typkomis1=0\n" + firstTierText + "\nmax2=1000\nkomis2=1,5\ntypkomis2=1\n" +
                                "text2=До 1000\ntext3=abc\n";
        TestFiles::write(programDir + "101/setting.ini",
                         TestFiles::cp(text.constData()).replace("\n", "\r\n"));
    }

    QTemporaryDir dir;
    QString programDir;
    FakeDialogs dialogs;
    FakeClock clock;
    FakeFileDialog fileDialog;
    FakePrinter printer;
    FakeSpreadsheet spreadsheet;
    std::unique_ptr<Terminal> terminal;
};

TEST_F(OpenOperator, PreparesTheWindowThenAsksToShowIt) {
    PaymentEntry& e = terminal->paymentEntry();
    QStringList shownWith;
    QObject::connect(&e, &PaymentEntry::showRequested, [&] {
        shownWith << e.caption() << e.prefixText() << e.tierText(e.commission().tier) << e.secondCurrencyText();
    });

    terminal->openOperator(1);

    EXPECT_EQ(shownWith, QStringList({"ПЛАТЕЖИ->Сотовая связь-> Мобил-Тест", "99", "До 100: 2%", "0.00"}));
    EXPECT_EQ(e.operatorCaption(), QStringLiteral(" Мобил-Тест"));
    EXPECT_EQ(e.article(), QStringLiteral("500"));
    EXPECT_EQ(e.operatorIcon(), programDir + QStringLiteral("img/500.ico"));
    EXPECT_TRUE(e.checkBalanceEnabled());
    const OperatorProfile& p = e.profile();
    EXPECT_EQ(p.mask, QStringLiteral("XXX-XX-XX"));
    EXPECT_EQ(p.digitCount, 7);
    EXPECT_EQ(p.minSum, Decimal::fromInt(10));
    EXPECT_EQ(p.tiers[1].rate, Decimal::fromCents(150));
    EXPECT_EQ(e.tierText(0), QStringLiteral("До 100: 2%"));
    EXPECT_EQ(e.tierText(1), QStringLiteral("До 1000"));
    EXPECT_EQ(e.tierText(2), QStringLiteral("abc"));
    EXPECT_TRUE(e.tierVisible(0));
    EXPECT_TRUE(e.tierVisible(1));
    EXPECT_FALSE(e.tierVisible(2));
    // The empty sum is 0, which tier 1 takes.
    EXPECT_EQ(e.commission().tier, 0);
    EXPECT_EQ(e.creditedText(), QStringLiteral("0.00"));
}

TEST_F(OpenOperator, EachClickReadsTheFilesAfreshAndStartsEmpty) {
    PaymentEntry& e = terminal->paymentEntry();
    terminal->openOperator(1);
    e.formShow();
    typeAccount(e, QStringLiteral("1234567"));
    typeSum(e, QStringLiteral("50"));
    ASSERT_TRUE(e.payEnabled());
    e.balanceClicked();
    ASSERT_FALSE(e.checkBalanceEnabled());

    writeSettings("text1=abc");
    writeOperators("[500]\nname=Мобил-Тест\nstatus=1\nkolznak=5\nCheckBalance=1\n");
    terminal->openOperator(1);

    EXPECT_EQ(e.typedAccount(), QString());
    EXPECT_EQ(e.sumText(), QString());
    EXPECT_EQ(e.accountNumber(), QString());
    EXPECT_EQ(e.profile().digitCount, 5);
    EXPECT_EQ(e.profile().mask, QStringLiteral("XX=XXX-XX-XX"));
    EXPECT_TRUE(e.checkBalanceEnabled());
    EXPECT_FALSE(e.tierVisible(0));
    EXPECT_EQ(e.commission().tier, -1);
    EXPECT_EQ(e.secondCurrencyText(), QString());
}

} // namespace
