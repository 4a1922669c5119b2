#pragma once

#include "link/AccountSession.h"
#include "sim/PaymentServer.h"
#include "support/FakeClock.h"
#include "support/FakeDialogs.h"
#include "support/FakeFileDialog.h"
#include "support/FakeSpreadsheet.h"
#include "support/FakePrinter.h"
#include "support/LoopbackServer.h"
#include "support/Program.h"
#include "support/TestFiles.h"
#include "support/TestTls.h"
#include "terminal/Terminal.h"
#include "ui/Forms.h"
#include "ui/Logpas.h"
#include "ui/Unit1.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

// The whole terminal (all eleven windows) started against an in-process
// simulator on a free loopback port, with a fake clock shared by both.
class EndToEnd : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString programDir = TestFiles::dirPath(dir);
    FakeDialogs dialogs;
    FakeClock clock{QDateTime(QDate(2026, 12, 9), QTime(14, 5, 9))};
    FakeFileDialog fileDialog;
    FakeSpreadsheet spreadsheet;
    FakePrinter printer;
    sim::PaymentServer server;
    std::unique_ptr<Program> program;
    Forms* forms = nullptr;
    // Set by a fixture's constructor: the simulator speaks TLS and ip.ini asks for it.
    bool tls = false;

    void SetUp() override {
        server.setClock([this] { return clock.now(); });
        if (tls) {
            ASSERT_TRUE(server.useTls(TestTls::files().serverPem, TestTls::files().serverKey));
        }
        ASSERT_TRUE(server.listen(QHostAddress::LocalHost, 0));
        TestFiles::writeIpIni(programDir, server.serverPort());
        if (tls)
            TestTls::writeIpIni(programDir, server.serverPort(), TestTls::files().ca);
        // The terminal finds its icons beside itself.
        QDir().mkpath(programDir + QStringLiteral("img"));
        for (const QString& f : QDir(QStringLiteral(ORVANTA_IMG_DIR)).entryList({QStringLiteral("*.ico")}))
            QFile::copy(QStringLiteral(ORVANTA_IMG_DIR "/") + f, programDir + QStringLiteral("img/") + f);
        start();
    }

    // The program as main() starts it, its main window shown.
    void start() {
        program.reset();
        program = std::make_unique<Program>(programDir, Seams{dialogs, clock, fileDialog, printer, spreadsheet});
        forms = &program->forms;
        forms->winMain->show();
    }

    TwinMain& main() { return *forms->winMain; }
    Terminal& terminal() { return program->terminal; }
    template <typename T> T* find(QWidget* in, const char* name) {
        return in->findChild<T*>(QString::fromLatin1(name));
    }

    // QTest::keyClicks takes ASCII only; Cyrillic goes as the text of key events.
    static void type(QWidget* w, const QString& text) {
        for (const QChar c : text)
            QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }

    // Types the demo account into the login window the greeting opened and presses
    // OK; the opening float it asks for the new shift is answered (with what is
    // offered, or textAnswers) and no longer among the boxes shown.
    void logIn() {
        ASSERT_TRUE(waitUntil([&] { return forms->LoginPasw->isVisible(); }));
        auto* login = find<QLineEdit>(forms->LoginPasw, "Edit1");
        auto* password = find<QLineEdit>(forms->LoginPasw, "Edit2");
        QTest::keyClicks(login, QStringLiteral("101"));
        QTest::keyClicks(password, QStringLiteral("kassa2026"));
        QTest::mouseClick(find<QPushButton>(forms->LoginPasw, "BitBtn1"), Qt::LeftButton);
        ASSERT_TRUE(waitUntil([&] { return terminal().session().registered(); }));
        const auto floatAsked = [](const FakeDialogs::Shown& s) {
            return s.kind == FakeDialogs::Kind::AskText && s.text == QStringLiteral("Размен в кассе на начало смены");
        };
        floatQuestions += int(std::count_if(dialogs.shown.cbegin(), dialogs.shown.cend(), floatAsked));
        dialogs.shown.erase(std::remove_if(dialogs.shown.begin(), dialogs.shown.end(), floatAsked),
                            dialogs.shown.end());
    }
    // How many times logIn() was asked the opening float.
    int floatQuestions = 0;

    // Saves a picture of a window when ORVANTA_SHOTS names a directory.
    void shot(QWidget* w, const QString& name) {
        const QString to = qEnvironmentVariable("ORVANTA_SHOTS");
        if (to.isEmpty())
            return;
        QDir().mkpath(to);
        w->grab().save(to + QLatin1Char('/') + name + QStringLiteral(".png"));
    }
};
