// Server input of any shape through the frame splitter and the dispatcher into a
// whole terminal (every message kind, file replies included), past its login,
// with fake boxes and clock.
#include "FuzzSupport.h"

#include "support/FakePrinter.h"
#include "support/FakeSpreadsheet.h"
#include "link/ServerLink.h"
#include "support/FakeClock.h"
#include "support/FakeDialogs.h"
#include "support/FakeFileDialog.h"
#include "terminal/Terminal.h"

#include <QRandomGenerator>
#include <QTemporaryDir>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    Fuzz::init();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    QTemporaryDir dir(Fuzz::scratchTemplate());
    const QString programDir = dir.path() + QLatin1Char('/');
    FakeDialogs dialogs;
    FakeClock clock;
    FakeFileDialog fileDialog;
    FakePrinter printer;
    FakeSpreadsheet spreadsheet;
    Terminal terminal(programDir, Seams{dialogs, clock, fileDialog, printer, spreadsheet});
    terminal.terminateProgram = [] {};
    // A terminal past its login, so the replies that need one get as far as they can.
    Session& session = terminal.session();
    session.setTerminalNumber(QStringLiteral("101"));
    session.setLoginTerminal(QStringLiteral("101"));
    session.setJournalDir(programDir + QStringLiteral("101/"));
    QDir().mkpath(session.journalDir());
    session.setLoginDateTime(clock.now());
    session.setRegistered(true);

    // The first byte decides how the rest is cut into reads.
    QRandomGenerator cuts(data[0]);
    const QByteArray wire(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    qsizetype at = 0;
    while (at < wire.size()) {
        const qsizetype n = 1 + qsizetype(cuts.bounded(data[0] % 2 ? 16 : 4096));
        terminal.link().receive(wire.mid(at, n));
        at += n;
    }
    if (terminal.link().protocolLog().size() > ServerLink::MaxLogLines)
        Fuzz::fail("the protocol log grew past its tail");
    return 0;
}
