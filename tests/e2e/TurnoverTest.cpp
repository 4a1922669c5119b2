#include "E2eFixture.h"

#include "goods/TurnoverStatement.h"
#include "ui/Oborvedom.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QTabBar>

namespace {

class TurnoverEndToEnd : public EndToEnd {
protected:
    void SetUp() override {
        EndToEnd::SetUp();
        logIn();
    }
};

TEST_F(TurnoverEndToEnd, TheGoodsTabOpensTheStatementAndRefreshAsksAgain) {
    find<QTabBar>(&main(), "TabControl1")->setCurrentIndex(6); // "Товары"
    auto* open = find<QPushButton>(&main(), "BitBtn11");
    ASSERT_TRUE(open->isVisible());
    QTest::mouseClick(open, Qt::LeftButton);
    TOborVed* window = forms->OborVed;
    ASSERT_TRUE(window->isVisible());
    auto* view = find<QPlainTextEdit>(window, "Vedomost");
    ASSERT_TRUE(
        waitUntil([&] { return view->toPlainText().contains(QStringLiteral("ОБОРОТНАЯ ВЕДОМОСТЬ")); }));
    EXPECT_TRUE(view->isVisible());
    EXPECT_TRUE(QFontInfo(view->font()).fixedPitch());
    EXPECT_TRUE(QFile::exists(programDir + QStringLiteral("v101.txt")));
    shot(window, QStringLiteral("turnover"));

    // "Обновить": the view goes behind its waiting text until the reply is in.
    auto* refresh = find<QPushButton>(window, "BitBtn3");
    server.setReplyDelay(200);
    QTest::mouseClick(refresh, Qt::LeftButton);
    EXPECT_FALSE(refresh->isEnabled());
    EXPECT_TRUE(find<QLabel>(window, "Label1")->isVisible());
    EXPECT_FALSE(view->isVisible());
    ASSERT_TRUE(waitUntil([&] { return refresh->isEnabled(); }));
    EXPECT_TRUE(view->isVisible());
    EXPECT_TRUE(view->toPlainText().contains(QStringLiteral("ИТОГО")));
}

} // namespace
