#include "platform/widgets/QtDialogs.h"
#include "support/QtPrinters.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// Reads the open box's buttons and presses the one with the given role.
struct BoxAnswer {
    QStringList buttons;
    QString title;
    void pressLater(QMessageBox::StandardButton press) {
        QTimer::singleShot(0, [this, press] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            title = box->windowTitle();
            for (QAbstractButton* b : box->buttons())
                buttons << b->text();
            box->button(press)->click();
        });
    }
};

TEST(QtDialogsBoxes, ButtonsSpeakRussianAndAnswersComeBack) {
    QtDialogs dialogs;
    BoxAnswer question;
    question.pressLater(QMessageBox::Cancel);
    EXPECT_FALSE(dialogs.question(QStringLiteral("Провести все отложенные платежи?"),
                                  QStringLiteral("Проведение платежей")));
    EXPECT_EQ(question.title, QStringLiteral("Проведение платежей"));
    EXPECT_TRUE(question.buttons.contains(QStringLiteral("Отмена")));
    EXPECT_TRUE(question.buttons.contains(QStringLiteral("OK")));

    BoxAnswer retry;
    retry.pressLater(QMessageBox::Retry);
    EXPECT_TRUE(dialogs.retryCancel(QStringLiteral("Сервер не отвечает!\nПовторите попытку  позже."),
                                    QStringLiteral("Запрос серверу"), Dialogs::Icon::Warning));
    EXPECT_TRUE(retry.buttons.contains(QStringLiteral("Повтор")));
    EXPECT_TRUE(retry.buttons.contains(QStringLiteral("Отмена")));
}

} // namespace
