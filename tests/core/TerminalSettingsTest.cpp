#include "core/Builtins.h"
#include "platform/AppError.h"
#include "support/FakeClock.h"
#include "support/FakeDialogs.h"
#include "support/FakeFileDialog.h"
#include "support/FakePrinter.h"
#include "support/FakeSpreadsheet.h"
#include "support/TestFiles.h"
#include "terminal/Terminal.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class TerminalSetup : public ::testing::Test {
protected:
    QTemporaryDir dir;
    FakeDialogs dialogs;
    FakeClock clock;
    FakeFileDialog fileDialog;
    FakePrinter printer;
    FakeSpreadsheet spreadsheet;
    QString programDir = TestFiles::dirPath(dir);

    std::unique_ptr<Terminal> make() {
        return std::make_unique<Terminal>(programDir, Seams{dialogs, clock, fileDialog, printer, spreadsheet});
    }
    QString ipIni() const { return programDir + QStringLiteral("ip.ini"); }
};

TEST_F(TerminalSetup, FirstStartWithoutIpIniUsesBuiltInsAndCreatesNoFile) {
    auto t = make();
    t->formCreate();
    EXPECT_EQ(t->network().serverAddress(), Builtins::defaultServerAddress());
    EXPECT_EQ(t->network().serverPort(), QStringLiteral("5000"));
    EXPECT_EQ(t->network().serverAddress(), QStringLiteral("127.0.0.1"));
    EXPECT_EQ(t->network().serverPort(), QStringLiteral("5000"));
    EXPECT_EQ(t->environment().version(), QStringLiteral("A6.0"));
    EXPECT_EQ(t->peerPort(), 5000);
    EXPECT_EQ(t->balGridMonths().size(), 13);
    EXPECT_EQ(t->balGridMonths().front(), QStringLiteral("Месяц"));
    EXPECT_EQ(t->balGridMonths().back(), QStringLiteral("Декабрь"));
    EXPECT_FALSE(QFile::exists(ipIni()));
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot).isEmpty());
}

TEST_F(TerminalSetup, ReadsAddressPortAndCatalogueStamp) {
    TestFiles::write(ipIni(), "[OPTIONS]\r\nip = 127.0.0.9\r\nIpPort=5003\r\n");
    TestFiles::write(programDir + QStringLiteral("operator.ini"), "[options]\r\ncreate=\"2026-12\"\r\n");
    auto t = make();
    t->formCreate();
    EXPECT_EQ(t->peerAddress(), QStringLiteral("127.0.0.9"));
    EXPECT_EQ(t->peerPort(), 5003);
    EXPECT_EQ(t->catalogue().stamp(), QStringLiteral("2026-12"));
}

TEST_F(TerminalSetup, PortThatIsNotAnIntegerStopsCreationAtTheSocketStep) {
    TestFiles::write(ipIni(), "[options]\r\nipport=50x0\r\n");
    auto t = make();
    try {
        t->formCreate();
        FAIL() << "the conversion error must escape the creation";
    } catch (const AppError& e) {
        EXPECT_EQ(e.text(), QStringLiteral("'50x0' is not a valid integer value"));
    }
    // Nothing from the socket step on ran: no peer, no months in the statistics grid.
    EXPECT_EQ(t->peerPort(), 0);
    EXPECT_TRUE(t->peerAddress().isEmpty());
    EXPECT_TRUE(t->balGridMonths().isEmpty());
    // The steps before it ran.
    EXPECT_EQ(t->network().serverPort(), QStringLiteral("50x0"));
}

TEST_F(TerminalSetup, ApplyFillsHeaderAndWritesIpIniOnlyWhenServerDiffers) {
    auto t = make();
    t->formCreate();
    t->session().setLoginTerminal(QStringLiteral("101"));
    const QString settings = programDir + QStringLiteral("101/setting.ini");

    // Same address and port as in use: ip.ini untouched.
    TestFiles::write(settings,
                     TestFiles::cp("[options]\r\ntelsparv=44 600\r\nuser=Агент\r\nadres=ул. Садовая, 5\r\n"
                                   "inn=123\r\ncreate=s1\r\nip=127.0.0.1\r\nIpPort=5000\r\n"));
    t->applyTerminalSettings();
    EXPECT_EQ(t->settings().supportPhone(), QStringLiteral("44 600"));
    EXPECT_EQ(t->settings().user(), QStringLiteral("Агент"));
    EXPECT_EQ(t->settings().address(), QStringLiteral("ул. Садовая, 5"));
    EXPECT_EQ(t->settings().inn(), QStringLiteral("123"));
    EXPECT_EQ(t->settings().stamp(), QStringLiteral("s1"));
    EXPECT_FALSE(QFile::exists(ipIni()));

    // Another address only: only ip is written; the connection in use stays.
    TestFiles::write(settings, "[options]\r\nip=127.0.0.5\r\n");
    t->applyTerminalSettings();
    EXPECT_EQ(TestFiles::read(ipIni()), QByteArray("[options]\r\nip=127.0.0.5\r\n"));
    EXPECT_EQ(t->network().serverAddress(), QStringLiteral("127.0.0.1"));

    // Another port: written as IpPort.
    TestFiles::write(settings, "[options]\r\nIpPort=5002\r\n");
    t->applyTerminalSettings();
    EXPECT_EQ(TestFiles::read(ipIni()), QByteArray("[options]\r\nip=127.0.0.5\r\nIpPort=5002\r\n"));
}

TEST_F(TerminalSetup, ApplyWithoutSettingsFileShowsDefaults) {
    auto t = make();
    t->formCreate();
    t->session().setLoginTerminal(QStringLiteral("7"));
    t->applyTerminalSettings();
    EXPECT_EQ(t->settings().supportPhone(), Builtins::supportTelephone());
    EXPECT_EQ(t->settings().user(), QStringLiteral("New"));
    EXPECT_EQ(t->settings().address(), QString());
    EXPECT_FALSE(QFile::exists(ipIni()));
}

TEST_F(TerminalSetup, NetworkSaveWritesIpIniAndAsksForRestartWithoutTouchingTheLink) {
    auto t = make();
    t->formCreate();
    t->saveNetworkSettings(QStringLiteral("127.0.0.3"), QStringLiteral("5001"));
    EXPECT_EQ(TestFiles::read(ipIni()), QByteArray("[options]\r\nip=127.0.0.3\r\nipport=5001\r\n"));
    EXPECT_EQ(t->network().serverAddress(), QStringLiteral("127.0.0.3"));
    EXPECT_EQ(t->network().serverPort(), QStringLiteral("5001"));
    EXPECT_EQ(t->peerPort(), 5000);
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.last().text,
              QStringLiteral("Для активации настроек необходимо \n перезапустить программу!"));

    // The next start connects there.
    auto next = make();
    next->formCreate();
    EXPECT_EQ(next->peerAddress(), QStringLiteral("127.0.0.3"));
    EXPECT_EQ(next->peerPort(), 5001);
}

TEST_F(TerminalSetup, NetworkSaveOfABadPortIsStoredAndFailsOnlyAtTheNextStart) {
    auto t = make();
    t->formCreate();
    t->saveNetworkSettings(QStringLiteral("127.0.0.1"), QStringLiteral("port"));
    auto next = make();
    EXPECT_THROW(next->formCreate(), AppError);
}

} // namespace
