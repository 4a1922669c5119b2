// Start-up of the terminal to its main window on the screen, beside a bare Qt
// window of the same size: the time from starting the process to the window's
// first paint, and the resident memory at that moment. Each iteration starts a
// fresh process (this program again, in a child mode), as a cashier starts it.
// Runs on the display there is, or offscreen without one.
#include "QuietDialogs.h"
#include "platform/Dialogs.h"
#include "platform/FileDialog.h"
#include "platform/Locale.h"
#include "platform/SystemClock.h"
#include "terminal/Terminal.h"
#include "ui/Forms.h"
#include "ui/OrvantaApplication.h"
#include "ui/Unit1.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEvent>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QWidget>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>

namespace {

// Reads the time; nothing here ever sets it.
class ReadOnlyClock : public SystemClock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
    bool setLocalTime(const QTime&) override { return false; }
    bool setLocalDate(const QDate&) override { return false; }
};

long residentKb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return 0;
}

// Says "ready <rss kB> <width> <height>" at the window's first paint and ends the process.
class FirstPaint : public QObject {
public:
    explicit FirstPaint(QWidget* window) : window_(window) { window->installEventFilter(this); }
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (watched == window_ && e->type() == QEvent::Paint && !done_) {
            done_ = true;
            QMetaObject::invokeMethod(
                qApp,
                [this] {
                    std::printf("ready %ld %d %d\n", residentKb(), window_->width(), window_->height());
                    std::fflush(stdout);
                    QCoreApplication::exit(0);
                },
                Qt::QueuedConnection);
        }
        return false;
    }

private:
    QWidget* window_;
    bool done_ = false;
};

int runChild(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const bool terminal = std::strcmp(argv[2], "terminal") == 0;
    if (!terminal) {
        QApplication app(argc, argv);
        QWidget window;
        window.resize(std::atoi(argv[3]), std::atoi(argv[4]));
        // With "text", one line on it: what the first text costs any window.
        if (argc > 5)
            (new QLabel(QStringLiteral("Приём платежей"), &window))->move(10, 10);
        FirstPaint ready(&window);
        window.show();
        return app.exec();
    }
    OrvantaApplication app(argc, argv);
    Locale::initFromSystem();
    QuietDialogs dialogs(false);
    ReadOnlyClock clock;
    NoFiles files;
    QuietPrinter printer;
    QuietSpreadsheet spreadsheet;
    app.setDialogs(&dialogs);
    Terminal logic(QString::fromLocal8Bit(argv[3]), Seams{dialogs, clock, files, printer, spreadsheet});
    Forms forms(logic);
    if (forms.created())
        logic.connectToServer();
    FirstPaint ready(forms.winMain);
    forms.winMain->show();
    return app.exec();
}

// A program directory whose ip.ini points at a loopback port nobody listens on.
struct ProgramDir {
    QTemporaryDir dir;
    QString path = QDir(dir.path()).absolutePath() + QLatin1Char('/');
    ProgramDir() {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost, 0);
        const quint16 port = probe.serverPort();
        probe.close();
        QFile ini(path + QStringLiteral("ip.ini"));
        ini.open(QIODevice::WriteOnly);
        ini.write("[options]\r\nip=127.0.0.1\r\nipport=" + QByteArray::number(port) + "\r\n");
    }
};

char* g_self = nullptr;
int g_width = 924;
int g_height = 668;

// Starts one child and waits for its "ready" line: seconds, resident kB.
bool startOnce(const QStringList& args, double* seconds, long* kb) {
    QProcess child;
    child.setProgram(QString::fromLocal8Bit(g_self));
    child.setArguments(args);
    QElapsedTimer clock;
    clock.start();
    child.start();
    if (!child.waitForStarted(10000))
        return false;
    QByteArray out;
    while (!out.contains('\n') && child.waitForReadyRead(10000))
        out += child.readAllStandardOutput();
    *seconds = double(clock.nsecsElapsed()) / 1e9;
    child.waitForFinished(10000);
    const QList<QByteArray> parts = out.trimmed().split(' ');
    if (parts.size() < 4 || parts[0] != "ready")
        return false;
    *kb = parts[1].toLong();
    if (args.value(1) == QLatin1String("terminal")) {
        g_width = parts[2].toInt();
        g_height = parts[3].toInt();
    }
    return true;
}

void runStarts(benchmark::State& state, const QStringList& args) {
    long kbSum = 0;
    long runs = 0;
    for (auto _ : state) {
        double seconds = 0;
        long kb = 0;
        if (!startOnce(args, &seconds, &kb)) {
            state.SkipWithError("the window did not come up");
            return;
        }
        state.SetIterationTime(seconds);
        kbSum += kb;
        ++runs;
    }
    state.counters["rss_MB"] = runs ? double(kbSum) / runs / 1024.0 : 0;
}

void BM_StartMainWindow(benchmark::State& state) {
    ProgramDir dir;
    runStarts(state, {QStringLiteral("--child"), QStringLiteral("terminal"), dir.path});
}

void BM_StartBareWindow(benchmark::State& state) {
    // The same size as the main window came up with.
    runStarts(state, {QStringLiteral("--child"), QStringLiteral("bare"), QString::number(g_width),
                      QString::number(g_height)});
}

// For comparison only: the bare window with one line of text, which loads the
// fonts and text shaping every window with text needs.
void BM_StartBareWindowWithText(benchmark::State& state) {
    runStarts(state, {QStringLiteral("--child"), QStringLiteral("bare"), QString::number(g_width),
                      QString::number(g_height), QStringLiteral("text")});
}

} // namespace

BENCHMARK(BM_StartMainWindow)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartBareWindow)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartBareWindowWithText)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    if (argc >= 3 && std::strcmp(argv[1], "--child") == 0)
        return runChild(argc, argv);
    g_self = argv[0];
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
