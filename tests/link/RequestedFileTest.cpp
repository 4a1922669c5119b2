#include "link/RequestedFile.h"
#include "link/FileReplies.h"
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
        first = std::make_unique<RequestedFile>(ctx(), link(), terminal->fileReplies(),
                                                dayStatementRequest("J9101#12#1#26"));
        second = std::make_unique<RequestedFile>(ctx(), link(), terminal->fileReplies(),
                                                 dayStatementRequest("J9101#12#2#26"));
        for (RequestedFile* r : {first.get(), second.get()}) {
            QObject::connect(r, &RequestedFile::arrived, [this, r](const QString& path) {
                got << QStringLiteral("%1 %2").arg(r == first.get() ? "first" : "second",
                                                   QFileInfo(path).fileName());
            });
        }
    }
    RequestedFile::Setup dayStatementRequest(const char* body) {
        return {QLatin1Char('9'), QStringLiteral("Необходимо зарегистрироваться!"),
                [body] { return QStringList{QString::fromLatin1(body)}; }};
    }
    std::unique_ptr<RequestedFile> first;
    std::unique_ptr<RequestedFile> second;
    QStringList got;
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

} // namespace
