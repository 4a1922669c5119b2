#include "platform/OneBoxAtATime.h"
#include "support/FakeDialogs.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using Icon = Dialogs::Icon;

// A screen whose boxes let other events run while open, as a modal box does:
// `underBox` runs inside the first box shown, like the server messages that
// arrive while the cashier has not closed it yet.
class Screen : public ::testing::Test {
protected:
    FakeDialogs screen;
    OneBoxAtATime boxes{&screen};
    int depth = 0;
    int deepest = 0;
    std::function<void()> underBox;

    void SetUp() override {
        screen.onBox = [this](const FakeDialogs::Shown&) {
            ++depth;
            deepest = std::max(deepest, depth);
            if (underBox) {
                auto run = std::move(underBox);
                underBox = nullptr;
                run();
            }
            --depth;
        };
    }
};

TEST_F(Screen, BoxesAskedForUnderAnOpenBoxWaitTheirTurnAndRepeatsAreDropped) {
    underBox = [&] {
        boxes.box(QStringLiteral("Отказано"), QStringLiteral("Отказ"), Icon::Error); // the open one again
        boxes.message(QStringLiteral("Транзакция 1 ненайдена!"));
        boxes.message(QStringLiteral("Транзакция 1 ненайдена!")); // the waiting one again
        boxes.exception(QStringLiteral("'x' is not a valid integer value"));
        boxes.box(QStringLiteral("Отказано"), QStringLiteral("Другой"), Icon::Error); // another title
        EXPECT_EQ(screen.shown.size(), 1); // nothing on top of the open box
        EXPECT_EQ(boxes.waitingCount(), 3);
    };
    boxes.box(QStringLiteral("Отказано"), QStringLiteral("Отказ"), Icon::Error);
    EXPECT_EQ(deepest, 1);
    EXPECT_EQ(screen.texts(), QStringList({"Отказано", "Транзакция 1 ненайдена!",
                                           "'x' is not a valid integer value", "Отказано"}));
    EXPECT_EQ(screen.shown[1].kind, FakeDialogs::Kind::Message);
    EXPECT_EQ(screen.shown[2].kind, FakeDialogs::Kind::Exception);
    EXPECT_EQ(screen.shown[3].title, QStringLiteral("Другой"));
    EXPECT_EQ(boxes.openCount(), 0);
    EXPECT_EQ(boxes.waitingCount(), 0);

    // Closed, the same box may come again.
    boxes.box(QStringLiteral("Отказано"), QStringLiteral("Отказ"), Icon::Error);
    EXPECT_EQ(screen.shown.size(), 5);
}

TEST_F(Screen, QuestionsAreAnsweredAtOnceAndARepeatedOneIsCancelled) {
    // The screen answers OK and Retry.
    bool repeated = true;
    bool other = false;
    underBox = [&] {
        repeated = boxes.question(QStringLiteral("Провести платеж?"), QStringLiteral("Проведение платежа"));
        other = boxes.retryCancel(QStringLiteral("Сервер не отвечает!"), QStringLiteral("Запрос серверу"),
                                  Icon::Warning);
        boxes.message(QStringLiteral("после")); // waits for both to close
    };
    EXPECT_TRUE(boxes.question(QStringLiteral("Провести платеж?"), QStringLiteral("Проведение платежа")));
    EXPECT_FALSE(repeated);
    EXPECT_TRUE(other);
    EXPECT_EQ(deepest, 2);
    EXPECT_EQ(screen.texts(), QStringList({"Провести платеж?", "Сервер не отвечает!", "после"}));
}

// A text asked for (the opening float) holds the boxes that come meanwhile and
// shows them once it is answered; the same question twice is cancelled.
TEST_F(Screen, BoxesWaitingOnATextQuestionAreShownWhenItCloses) {
    std::optional<QString> repeated = QStringLiteral("?");
    underBox = [&] {
        boxes.message(QStringLiteral("Транзакция 1 ненайдена!"));
        repeated = boxes.askText(QStringLiteral("Размен в кассе на начало смены"), QStringLiteral("Смена"), "");
        EXPECT_EQ(boxes.waitingCount(), 1);
    };
    EXPECT_EQ(boxes.askText(QStringLiteral("Размен в кассе на начало смены"), QStringLiteral("Смена"),
                            QStringLiteral("0.00")),
              QStringLiteral("0.00"));
    EXPECT_FALSE(repeated.has_value());
    EXPECT_EQ(screen.texts(), QStringList({"Размен в кассе на начало смены", "Транзакция 1 ненайдена!"}));
    EXPECT_EQ(boxes.waitingCount(), 0);
}

TEST_F(Screen, ABoxThatThrowsIsNoLongerOpen) {
    screen.onBox = [](const FakeDialogs::Shown&) { throw std::runtime_error("gone"); };
    EXPECT_THROW(boxes.message(QStringLiteral("a")), std::runtime_error);
    EXPECT_EQ(boxes.openCount(), 0);
    screen.onBox = nullptr;
    boxes.message(QStringLiteral("a"));
    EXPECT_EQ(screen.shown.size(), 2);
}

} // namespace
