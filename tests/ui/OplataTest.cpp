#include "ui/Oplata.h"
#include "payments/PaymentEntry.h"
#include "platform/Locale.h"
#include "support/OfflineProgram.h"
#include "support/FakeClock.h"
#include "support/FakeDialogs.h"
#include "support/FakeFileDialog.h"
#include "support/TestFiles.h"
#include "terminal/Terminal.h"
#include "support/FakePrinter.h"
#include "support/FakeSpreadsheet.h"
#include "support/Program.h"
#include "ui/Forms.h"
#include "ui/Unit1.h"

#include <QApplication>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

// An operator on the first category's second button, with a prefix, seven digits
// to type, the worked tariff and a second currency.
const char* const kOperatorIni = "[500]\nname=Мобил-Тест\nstatus=1\nFormat=XX=XXX-XX-XX\ntel=99\nkolznak=7\n"
                                 "CheckBalance=1\nkurs=2\n";
const char* const kSettingIni = "[winSotka]\nb2art=500\nb2oplata=1\n"
                                "[500]\nmax1=100\nkomis1=2\ntypkomis1=0\ntext1=До 100 сомони: 2%\n"
                                "max2=1000\nkomis2=1,5\ntypkomis2=1\ntext2=До 1000 сомони: 1,5\n";

class Oplata : public OfflineProgram {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        const QString programDir = OfflineProgram::programDir();
        writeIpIni();
        TestFiles::write(programDir + "operator.ini", TestFiles::cp(kOperatorIni).replace("\n", "\r\n"));
        TestFiles::write(programDir + "101/setting.ini", TestFiles::cp(kSettingIni).replace("\n", "\r\n"));
        TestFiles::write(programDir + "img/500.ico", "icon");

        start();
        win = forms->winMain;
        oplat = forms->Oplat;
        // Shown without blocking, so the test can type into it.
        oplat->setShowFunction([](TOplat& w) {
            w.show();
            w.activateWindow();
        });
        terminal().session().setTerminalNumber(QStringLiteral("101"));
        terminal().session().setJournalDir(programDir + QStringLiteral("101/"));
        QDir().mkpath(terminal().session().journalDir());
        terminal().catalogue().build();
        win->show();

        auto handOver = [this](const char* mode) {
            return [this, mode] {
                handedOver << QString::fromLatin1(mode) + QStringLiteral(" ") +
                                  terminal().paymentEntry().accountNumber() +
                                  (oplat->isVisible() ? " open" : " closed");
            };
        };
        PaymentEntry& entry = terminal().paymentEntry();
        QObject::connect(&entry, &PaymentEntry::payRequested, handOver("0"));
        QObject::connect(&entry, &PaymentEntry::deferRequested, handOver("9"));
        QObject::connect(&entry, &PaymentEntry::balanceRequested, handOver("2"));
    }

    // The operator button as the cashier clicks it.
    void openOperator() {
        auto* buton2 = win->findChild<QToolButton*>(QStringLiteral("Buton2"));
        ASSERT_TRUE(buton2->isVisible());
        QTest::mouseClick(buton2, Qt::LeftButton);
        ASSERT_TRUE(oplat->isVisible());
        ASSERT_TRUE(QTest::qWaitForWindowActive(oplat));
    }

    template <typename W> W* child(const char* name) {
        W* w = oplat->findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    static QWidget* focused() { return QApplication::focusWidget(); }
    static QString focusedName() { return focused() ? focused()->objectName() : QString(); }

    TwinMain* win = nullptr;
    Terminal& terminal() { return program->terminal; }
    TOplat* oplat = nullptr;
    QStringList handedOver;
};

TEST_F(Oplata, KeyboardAlonePaysFromTheOperatorButton) {
    openOperator();
    EXPECT_EQ(oplat->windowTitle(), QStringLiteral("ПЛАТЕЖИ->Сотовая связь-> Мобил-Тест"));
    ASSERT_EQ(focusedName(), QStringLiteral("Edit1"));
    EXPECT_TRUE(child<QWidget>("Shape1")->isVisible());

    QTest::keyClicks(focused(), QStringLiteral("123456"));
    EXPECT_FALSE(child<QPushButton>("BitBtn3")->isEnabled());
    QTest::keyClicks(focused(), QStringLiteral("7"));
    EXPECT_EQ(child<QLabel>("L8")->text(), QStringLiteral("7"));
    EXPECT_TRUE(child<QPushButton>("BitBtn3")->isEnabled());
    EXPECT_TRUE(child<QPushButton>("BitBtn2")->isEnabled());
    QTest::keyClick(focused(), Qt::Key_Return);
    ASSERT_EQ(focusedName(), QStringLiteral("Edit3"));
    EXPECT_FALSE(child<QWidget>("Shape1")->isVisible());
    EXPECT_TRUE(child<QWidget>("Shape2")->isVisible());

    QTest::keyClicks(focused(), QStringLiteral("50"));
    // Sums shown with the desktop's separator.
    const auto shown = [](QString sum) { return sum.replace(QLatin1Char('.'), Locale::decimalSeparator()); };
    EXPECT_EQ(child<QLabel>("Label18")->text(), shown(QStringLiteral("49.00")));
    EXPECT_EQ(child<QLabel>("Label12")->text(), shown(QStringLiteral("24.50")));
    QTest::keyClick(focused(), Qt::Key_Return);
    ASSERT_EQ(focusedName(), QStringLiteral("BitBtn3"));
    EXPECT_TRUE(handedOver.isEmpty());
    QTest::keyClick(focused(), Qt::Key_Return);

    EXPECT_EQ(handedOver, QStringList{"0 991234567 closed"});
    EXPECT_FALSE(oplat->isVisible());
}

TEST_F(Oplata, MirrorsTheEntryCellsAndLabels) {
    openOperator();
    EXPECT_EQ(oplat->size(), QSize(518, 284));
    auto* buton = child<QToolButton>("Buton");
    EXPECT_EQ(buton->text(), QStringLiteral(" Мобил-Тест"));
    EXPECT_EQ(buton->toolTip(), QStringLiteral("500"));

    // Nine cells along "XX=XXX-XX-XX", the prefix in the first two.
    const int xs[] = {20, 47, 89, 116, 143, 175, 202, 234, 261};
    for (int i = 0; i < 17; ++i) {
        auto* box = child<oplata::Shape>(qPrintable(QStringLiteral("S%1").arg(i)));
        auto* label = child<QLabel>(qPrintable(QStringLiteral("L%1").arg(i)));
        EXPECT_EQ(box->isVisible(), i < 9) << i;
        EXPECT_EQ(label->isVisible(), i < 9) << i;
        if (i < 9) {
            EXPECT_EQ(box->x(), xs[i]) << i;
            EXPECT_EQ(label->x(), xs[i] + 7) << i;
        }
    }
    EXPECT_EQ(child<QLabel>("L0")->text(), QStringLiteral("9"));
    EXPECT_EQ(child<QLabel>("L2")->text(), QString());
    EXPECT_EQ(child<oplata::Shape>("S2")->outline(), QColor(255, 0, 0));
    EXPECT_EQ(child<oplata::Shape>("S2")->outlineWidth(), 5);
    EXPECT_EQ(child<oplata::Shape>("S3")->outline(), QColor(0, 0, 255));
    EXPECT_EQ(child<oplata::Shape>("S3")->outlineWidth(), 2);

    // The typed field takes the keys but stays out of sight below its group.
    auto* edit1 = child<QLineEdit>("Edit1");
    auto* group1 = child<QGroupBox>("GroupBox1");
    EXPECT_FALSE(group1->rect().intersects(edit1->geometry()));
    EXPECT_FALSE(group1->rect().intersects(child<QLabel>("Edit2")->geometry()));
    EXPECT_EQ(child<QLabel>("Edit2")->text(), QStringLiteral("99"));

    auto* label48 = child<QLabel>("Label48");
    auto* label49 = child<QLabel>("Label49");
    EXPECT_TRUE(label48->isVisible());
    EXPECT_TRUE(label49->isVisible());
    EXPECT_FALSE(child<QLabel>("Label50")->isVisible());
    EXPECT_EQ(label49->text(), QStringLiteral("До 1000 сомони: 1,5"));
    QTest::mouseClick(child<QLabel>("Label47"), Qt::LeftButton);
    ASSERT_EQ(focusedName(), QStringLiteral("Edit3"));
    QTest::keyClicks(focused(), QStringLiteral("200"));
    EXPECT_EQ(label49->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_EQ(label48->palette().color(QPalette::WindowText), QColor(0, 0, 128));
    EXPECT_EQ(child<QLabel>("Label16")->text(), QStringLiteral("До 1000 сомони: 1,5"));
    EXPECT_EQ(child<QLabel>("Label18")->text(), QStringLiteral("198") + Locale::decimalSeparator() + QStringLiteral("50"));

    // A digit's label puts the caret there and gives the field the focus.
    edit1->setText(QStringLiteral("1234"));
    QTest::mouseClick(child<QLabel>("L4"), Qt::LeftButton);
    EXPECT_EQ(focusedName(), QStringLiteral("Edit1"));
    EXPECT_EQ(edit1->cursorPosition(), 2);
    EXPECT_EQ(child<oplata::Shape>("S4")->outlineWidth(), 5);
}

TEST_F(Oplata, ClicksSendTheFocusWhereTheControlBelongs) {
    openOperator();
    struct Click {
        const char* control;
        bool press;        // else a whole click
        const char* focus; // nullptr: the focus stays where it was
    };
    const Click clicks[] = {
        {"S0", true, "Edit1"},         {"S8", true, "Edit1"},       {"GroupBox1", false, "Edit1"},
        {"GroupBox2", true, "Edit3"},  {"GroupBox2", false, "Edit3"}, {"Shape3", true, "Edit3"},
        {"Shape3", false, "Edit3"},    {"Label47", false, "Edit3"}, {"Label48", false, "Edit3"},
        {"Label49", false, "Edit3"},   {"Label15", false, "Edit3"}, {"Label17", false, "Edit3"},
        {"Label22", false, "Edit3"},   {"Label46", false, "Edit3"}, {"Label7", false, "Edit3"},
        // Inside the sum's group, the other labels are the group's.
        {"Label16", false, "Edit3"},   {"Label18", false, "Edit3"}, {"Buton", false, nullptr},
    };
    for (const Click& c : clicks) {
        SCOPED_TRACE(c.control);
        // From the other field, so that a move shows.
        const bool toAccount = c.focus && QLatin1String(c.focus) == QLatin1String("Edit1");
        QLineEdit* from = child<QLineEdit>(toAccount ? "Edit3" : "Edit1");
        from->setFocus();
        ASSERT_TRUE(from->hasFocus());
        QWidget* control = child<QWidget>(c.control);
        ASSERT_TRUE(control->isVisible());
        if (c.press)
            QTest::mousePress(control, Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
        else
            QTest::mouseClick(control, Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
        EXPECT_EQ(focusedName(), c.focus ? QString::fromLatin1(c.focus) : from->objectName());
        if (c.press)
            QTest::mouseRelease(control, Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
    }
    // The focused field's frame is shown, the other's hidden.
    child<QLineEdit>("Edit1")->setFocus();
    EXPECT_TRUE(child<QWidget>("Shape1")->isVisible());
    EXPECT_FALSE(child<QWidget>("Shape2")->isVisible());
    child<QLineEdit>("Edit3")->setFocus();
    EXPECT_FALSE(child<QWidget>("Shape1")->isVisible());
    EXPECT_TRUE(child<QWidget>("Shape2")->isVisible());
}

TEST_F(Oplata, ControlsCarryTheirCaptionsAndEscapeClosesWithoutAPayment) {
    openOperator();
    struct Named {
        const char* name;
        const char* text;
    };
    for (const Named& n :
         {Named{"Label47", "КОМИССИЯ"}, Named{"Label15", "Комиссия"}, Named{"Label17", "Сумма к зачислению"},
          Named{"Label22", "сомони"}, Named{"Label7", "Сумма к зачислению"}, Named{"Label46", "$"}})
        EXPECT_EQ(child<QLabel>(n.name)->text(), QString::fromUtf8(n.text)) << n.name;
    EXPECT_EQ(child<QGroupBox>("GroupBox1")->title(), QStringLiteral("Номер телефона"));
    EXPECT_EQ(child<QGroupBox>("GroupBox2")->title(), QStringLiteral("Сумма платежа"));
    struct Button {
        const char* name;
        const char* text;
        const char* hint;
    };
    for (const Button& b : {Button{"BitBtn3", "ОПЛАТИТЬ", "Оплатить платеж прямо сейчас"},
                            Button{"BitBtn2", "ОТЛОЖИТЬ", "Отложить"}, Button{"CheckBalance", "БАЛАНС", ""},
                            Button{"BitBtn1", "ЗАКРЫТЬ", ""}}) {
        auto* button = child<QPushButton>(b.name);
        EXPECT_EQ(button->text(), QString::fromUtf8(b.text)) << b.name;
        EXPECT_EQ(button->toolTip(), QString::fromUtf8(b.hint)) << b.name;
    }
    EXPECT_TRUE(child<QPushButton>("CheckBalance")->isEnabled());
    EXPECT_NE(child<QLineEdit>("Edit3"), nullptr);
    EXPECT_NE(child<QWidget>("Shape3"), nullptr);

    QTest::keyClicks(focused(), QStringLiteral("1234567"));
    QTest::keyClick(focused(), Qt::Key_Escape);
    EXPECT_FALSE(oplat->isVisible());
    EXPECT_TRUE(handedOver.isEmpty());
}

} // namespace
