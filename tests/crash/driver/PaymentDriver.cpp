// A terminal without windows, for the crash test: logs in as the demo account and
// pays through the payment window's logic, one payment after another, until the
// day's journal holds the number of payments asked for ("pay N"); or sends every
// payment left unsent and asks for statuses until all are final ("settle"); or
// takes cash in, counts the drawer and closes the shift, over and over, until
// the terminal has closed the number of shifts asked for ("close N").
// The test kills it at any moment and starts it again on the same directory.
#include "link/AccountSession.h"
#include "link/ServerLink.h"
#include "link/Transmission.h"
#include "payments/PaymentEntry.h"
#include "payments/PaymentJournal.h"
#include "platform/Dialogs.h"
#include "platform/FileDialog.h"
#include "platform/Locale.h"
#include "platform/ReceiptPrinter.h"
#include "platform/SpreadsheetWriter.h"
#include "platform/SystemClock.h"
#include "platform/Money.h"
#include "shift/Shift.h"
#include "terminal/Terminal.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <cstdio>
#include <functional>

namespace {

const QString kPassEnded = QStringLiteral("Синхронизация платежей успешно закончена!");

// Every question answered OK but the offer of the payments left waiting, which
// the driver sends itself once it settles; the end of a status pass is reported.
class Answers : public Dialogs {
public:
    std::function<void()> passEnded;

    void message(const QString& text) override {
        if (text == kPassEnded && passEnded)
            passEnded();
        else
            say(text);
    }
    void box(const QString& text, const QString&, Icon) override { say(text); }
    bool question(const QString& text, const QString&) override {
        return !text.startsWith(QStringLiteral("Неотправленные платежи"));
    }
    bool retryCancel(const QString&, const QString&, Icon) override { return false; }
    void exception(const QString& text) override { say(text); }
    std::optional<QString> askText(const QString&, const QString&, const QString& initial) override {
        return initial;
    }

private:
    static void say(const QString& text) { std::fprintf(stderr, "driver: box: %s\n", qPrintable(text)); }
};

// The server's greeting sets it; it never reaches the machine's clock. When it
// runs, the time since it was set passes on it, so closes are moments apart.
class HeldClock : public SystemClock {
public:
    bool runs = false;
    QDateTime now() const override { return runs ? now_.addMSecs(sinceSet_.elapsed()) : now_; }
    bool setLocalTime(const QTime& time) override {
        now_.setTime(time);
        sinceSet_.start();
        return true;
    }
    bool setLocalDate(const QDate& date) override {
        now_.setDate(date);
        return true;
    }

private:
    QDateTime now_{QDate(2026, 1, 1), QTime(0, 0)};
    QElapsedTimer sinceSet_;
};

class NoFiles : public FileDialog {
public:
    QString openFile(const QString&, const QString&) override { return QString(); }
};

// Nothing is printed or exported here.
class NoPrinter : public ReceiptPrinter {
public:
    bool setupDialog() override { return false; }
    void suggestFile(const QString&) override {}
    QStringList printerNames() const override { return {}; }
    bool usePrinter(const QString&) override { return false; }
    void useFile(const QString&) override {}
    void preview(const DrawPage&) override {}
    void setFont(const QString&, int) override {}
    void setPageSize(int, int) override {}
    void beginDocument() override {}
    void textOut(int, int, const QString&) override {}
    void newPage() override {}
    void endDocument() override {}
};

class NoSpreadsheet : public SpreadsheetWriter {
public:
    void create() override {}
    void openWorkbook(const QString&) override {}
    void writeText(int, int, QStringView) override {}
    void writeNumber(int, int, double, int, QStringView) override {}
    bool end() override { return false; }
};

int paymentsIn(const PaymentJournal& journal) {
    int n = 0;
    for (int r = PaymentJournal::FirstDataRow; r < journal.totalsRow(); ++r)
        n += journal.cell(r, PaymentJournal::TransactionId).isEmpty() ? 0 : 1;
    return n;
}

bool allFinal(const PaymentJournal& journal) {
    for (int r = PaymentJournal::FirstDataRow; r < journal.totalsRow(); ++r) {
        if (!journal.cell(r, PaymentJournal::TransactionId).isEmpty() &&
            journal.sendFlag(r) != SendFlag::Final)
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    Locale::initFromSystem();
    const QStringList args = app.arguments();
    if (args.size() < 3 || (args.at(2) != QLatin1String("settle") && args.size() < 4)) {
        std::fprintf(stderr, "usage: orvanta_payment_driver PROGRAM_DIR pay N | settle | close N\n");
        return 2;
    }
    const QString programDir = args.at(1);
    const bool settle = args.at(2) == QLatin1String("settle");
    const bool closing = args.at(2) == QLatin1String("close");
    const int wanted = settle ? 0 : args.at(3).toInt();

    Answers dialogs;
    HeldClock clock;
    clock.runs = closing;
    NoFiles files;
    NoPrinter printer;
    NoSpreadsheet spreadsheet;
    Terminal terminal(programDir, Seams{dialogs, clock, files, printer, spreadsheet});
    terminal.terminateProgram = [] { QCoreApplication::exit(3); };

    // Nothing may stall for long: the test is waiting.
    QTimer stalled;
    stalled.setSingleShot(true);
    stalled.setInterval(20000);
    QObject::connect(&stalled, &QTimer::timeout, [] {
        std::fprintf(stderr, "driver: stalled\n");
        QCoreApplication::exit(4);
    });

    int made = 0;
    auto payNext = [&] {
        stalled.start();
        if (paymentsIn(terminal.journal()) >= wanted) {
            QCoreApplication::exit(0);
            return;
        }
        // The first operator of the first tab, as a click on its button opens it.
        terminal.openOperator(0);
        PaymentEntry& entry = terminal.paymentEntry();
        entry.formShow();
        const int i = paymentsIn(terminal.journal());
        entry.accountEdited(QStringLiteral("%1").arg(1000000 + i * 7919 % 9000000, entry.profile().digitCount,
                                                     10, QLatin1Char('0')),
                            entry.profile().digitCount);
        const QString sum = QStringLiteral("%1%2%3")
                                .arg(5 + i * 37 % 1500)
                                .arg(Locale::decimalSeparator())
                                .arg(i * 13 % 100, 2, 10, QLatin1Char('0'));
        entry.sumEdited(sum);
        if (!entry.payEnabled()) {
            std::fprintf(stderr, "driver: cannot pay %s\n", qPrintable(sum));
            QCoreApplication::exit(5);
            return;
        }
        ++made;
        entry.payClicked();
    };
    auto settleNext = [&](int passes) {
        stalled.start();
        if (allFinal(terminal.journal())) {
            QCoreApplication::exit(0);
            return;
        }
        if (passes == 0)
            terminal.transmission().sendAll();
        else
            terminal.transmission().refreshStatuses();
    };

    // A cash in, the count as expected and the close, from the event loop each
    // time so a kill finds the terminal between any two steps.
    std::function<void()> closeNext = [&] {
        stalled.start();
        Shift& shift = terminal.shift();
        if (shift.closedNumbers().size() >= wanted) {
            QCoreApplication::exit(0);
            return;
        }
        if (!shift.cashIn(QStringLiteral("1%100").arg(Locale::decimalSeparator()), QStringLiteral("размен"))) {
            QCoreApplication::exit(5);
            return;
        }
        shift.refresh();
        shift.setCountedText(Money::format(shift.figures().expected()));
        if (!shift.close()) {
            std::fprintf(stderr, "driver: the shift did not close\n");
            QCoreApplication::exit(5);
            return;
        }
        QTimer::singleShot(0, closeNext);
    };

    int passes = 0;
    dialogs.passEnded = [&] {
        // After the box, from the event loop, as the cashier would go on.
        QTimer::singleShot(0, [&] {
            if (settle)
                settleNext(++passes);
            else
                payNext();
        });
    };
    QObject::connect(&terminal.account(), &AccountSession::greeted, [&] {
        // Once the greeting is handled, as the cashier types into the window it opened.
        QTimer::singleShot(
            0, [&] { terminal.account().login(QStringLiteral("101"), QStringLiteral("kassa2026")); });
    });
    QObject::connect(&terminal.account(), &AccountSession::accepted, [&] {
        QTimer::singleShot(0, [&] {
            if (closing)
                closeNext();
            else if (settle)
                settleNext(0);
            else
                payNext();
        });
    });
    QObject::connect(&terminal.link(), &ServerLink::disconnected, [] {
        std::fprintf(stderr, "driver: disconnected\n");
        QCoreApplication::exit(6);
    });

    stalled.start();
    terminal.formCreate();
    terminal.connectToServer();
    const int code = app.exec();
    std::fprintf(stderr, "driver: made %d payments, exit %d\n", made, code);
    return code;
}
