#include "link/RequestedFile.h"
#include "link/FileReplies.h"
#include "platform/AppError.h"
#include "support/LinkedTerminal.h"

namespace {

// Two readers of the same letter: the daily statement and the reconciliation.
class TwoReaders : public Linked {
protected:
    void SetUp() override {
        Linked::SetUp();
        if (HasFatalFailure())
            return;
        signInAs101();
        const ServerFed fed{terminal->environment(), session(), dialogs, link(), terminal->fileReplies()};
        first = std::make_unique<RequestedFile>(fed, dayStatementRequest("J9101#12#1#26", "first"));
        second = std::make_unique<RequestedFile>(fed, dayStatementRequest("J9101#12#2#26", "second"));
    }
    RequestedFile::Setup dayStatementRequest(const char* body, const char* reader) {
        return {QLatin1Char('9'), QStringLiteral("Необходимо зарегистрироваться!"),
                [body] { return QStringList{QString::fromLatin1(body)}; },
                [this, reader](const QString& path) {
                    got << QStringLiteral("%1 %2").arg(QString::fromLatin1(reader), QFileInfo(path).fileName());
                    if (onLoad)
                        onLoad();
                    if (failing == QLatin1String(reader))
                        throw AppError(QStringLiteral("Пустой файл"));
                }};
    }
    std::unique_ptr<RequestedFile> first;
    std::unique_ptr<RequestedFile> second;
    QStringList got;
    QString failing;
    std::function<void()> onLoad;
};

TEST_F(TwoReaders, TheReplyGoesToTheOneThatAskedAndAnUnaskedOneToBoth) {
    second->request();
    ASSERT_TRUE(server.waitForReceived("J9101#12#2#26$k$"));
    serve("f9101#12#2/caption$k$");
    EXPECT_EQ(got, QStringList({"second 9101#12#2.txt"}));
    // Both take "Обновить" back whoever asked.
    EXPECT_TRUE(first->refreshEnabled() && second->refreshEnabled());

    got.clear();
    serve("f9101#12#3/caption$k$");
    EXPECT_EQ(got, QStringList({"first 9101#12#3.txt", "second 9101#12#3.txt"}));
}

// The first reader's loader runs first; by then the second, which waits for a
// file of its own, shows its table and has "Обновить" back, though it failed.
TEST_F(TwoReaders, EveryWaitingReaderIsReleasedBeforeAnyLoaderRuns) {
    second->request();
    first->request(); // the reply is the first's
    ASSERT_TRUE(server.waitForReceived("J9101#12#1#26$k$"));
    failing = QStringLiteral("first");
    bool secondWaitedDuringTheLoad = true;
    onLoad = [&] { secondWaitedDuringTheLoad = second->waiting() || !second->refreshEnabled(); };
    serve("f9101#12#1/caption$k$");
    EXPECT_EQ(got, QStringList({"first 9101#12#1.txt"}));
    EXPECT_FALSE(secondWaitedDuringTheLoad);
    EXPECT_TRUE(second->tableVisible() && first->tableVisible());
    EXPECT_EQ(dialogs.last().kind, FakeDialogs::Kind::Exception);
}

TEST_F(TwoReaders, ALoaderThatFailsShowsItsErrorAndHoldsBackNoOtherReader) {
    failing = QStringLiteral("first");
    serve("f9101#12#3/caption$k$");
    EXPECT_EQ(got, QStringList({"first 9101#12#3.txt", "second 9101#12#3.txt"}));
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.last().kind, FakeDialogs::Kind::Exception);
    EXPECT_EQ(dialogs.last().text, QStringLiteral("Пустой файл"));
}

} // namespace
