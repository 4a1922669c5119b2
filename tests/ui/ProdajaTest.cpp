#include "goods/GoodsList.h"
#include "goods/GoodsSale.h"
#include "platform/Locale.h"
#include "support/OfflineProgram.h"
#include "support/FakeClock.h"
#include "support/FakeDialogs.h"
#include "support/FakeFileDialog.h"
#include "support/TestFiles.h"
#include "terminal/Terminal.h"
#include "ui/Anketa.h"
#include "support/FakePrinter.h"
#include "support/FakeSpreadsheet.h"
#include "support/Program.h"
#include "ui/Forms.h"
#include "ui/Unit1.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using F = GoodsSale::Field;

class Prodaja : public OfflineProgram {
protected:
    void SetUp() override {
        writeIpIni();
        start();
    }
    TProdaja* window() { return forms->Prodaja; }
};

TEST_F(Prodaja, EveryTypedFieldHasItsLimitAndTheItemFieldsAreReadOnly) {
    struct Limit {
        F field;
        int chars;
    };
    for (const Limit l :
         {Limit{F::Family, 15}, Limit{F::Name, 15}, Limit{F::Otchestvo, 15}, Limit{F::PasportVidan, 20},
          Limit{F::PasportSeri, 3}, Limit{F::PasportNomer, 8}, Limit{F::Strana, 10}, Limit{F::Oblast, 10},
          Limit{F::Gorod, 10}, Limit{F::Adres, 15}, Limit{F::Kolich, 2}, Limit{F::Osobiuslov, 15},
          Limit{F::Primech, 15}}) {
        QLineEdit* e = window()->field(l.field);
        ASSERT_EQ(e, window()->findChild<QLineEdit*>(QString::fromLatin1(GoodsSale::objectName(l.field))));
        EXPECT_EQ(e->maxLength(), l.chars) << GoodsSale::objectName(l.field);
        EXPECT_FALSE(e->isReadOnly()) << GoodsSale::objectName(l.field);
    }
    for (const F f : {F::KodTovar, F::Invoice, F::NaimenTovar, F::Cena})
        EXPECT_TRUE(window()->field(f)->isReadOnly()) << GoodsSale::objectName(f);
    // The goods tab comes first.
    EXPECT_EQ(window()->findChild<QTabWidget*>(QStringLiteral("PageControl1"))->currentWidget()->objectName(),
              QStringLiteral("TabSheet2"));
}

TEST_F(Prodaja, TypingStopsAtTheLimitRefusesTheSeparatorsAndTheQuantityGivesTheSum) {
    GoodsSale& sale = program->terminal.goodsSale();
    window()->show();
    QTest::keyClicks(window()->field(F::Adres), QStringLiteral("ul. Lenina #5$&"));
    EXPECT_EQ(window()->field(F::Adres)->text(), QStringLiteral("ul. Lenina 5"));
    EXPECT_EQ(sale.text(F::Adres), QStringLiteral("ul. Lenina 5"));

    sale.take(GoodsPick{QStringLiteral("4001"), QString(), QStringLiteral("Item"),
                        QStringLiteral("12") + Locale::decimalSeparator() + QStringLiteral("50"), false});
    QTest::keyClicks(window()->field(F::Kolich), QStringLiteral("345"));
    EXPECT_EQ(window()->field(F::Kolich)->text(), QStringLiteral("34"));
    EXPECT_EQ(window()->field(F::Suma)->text(), QStringLiteral("425") + Locale::decimalSeparator() + "00");
    QTest::keyClick(window()->field(F::Kolich), Qt::Key_Backspace);
    QTest::keyClick(window()->field(F::Kolich), Qt::Key_Backspace);
    EXPECT_EQ(window()->field(F::Suma)->text(), QStringLiteral("0") + Locale::decimalSeparator() + "00");

    // "Очистить" empties the sum last, after the quantity's change made it 0.00.
    QTest::mouseClick(window()->findChild<QPushButton*>(QStringLiteral("BitBtn3")), Qt::LeftButton);
    EXPECT_EQ(window()->field(F::Suma)->text(), QString());
    EXPECT_EQ(window()->field(F::KodTovar)->text(), QString());
}

} // namespace
