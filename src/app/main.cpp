#include "platform/Locale.h"
#include "platform/OneBoxAtATime.h"
#include "platform/ProgramDirectory.h"
#include "platform/SystemClock.h"
#include "platform/XlsxSpreadsheetWriter.h"
#include "platform/widgets/QtDialogs.h"
#include "platform/widgets/QtReceiptPrinter.h"
#include "terminal/Terminal.h"
#include "ui/Forms.h"
#include "ui/OrvantaApplication.h"
#include "ui/Unit1.h"

#include <QLibraryInfo>
#include <QTranslator>

#include <exception>
#include <memory>

int main(int argc, char** argv) {
    OrvantaApplication app(argc, argv);
    Locale::initFromSystem();
    // Qt's own dialogs (the print dialog, the print preview) speak the
    // interface's language whatever the desktop's.
    QTranslator qtRussian;
    if (qtRussian.load(QStringLiteral("qtbase_ru"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&qtRussian);

    QtDialogs boxes;
    // Boxes asked for under an open box wait their turn instead of piling up.
    OneBoxAtATime dialogs(&boxes);
    HostClock clock;
    QtFileDialog fileDialog;
    XlsxSpreadsheetWriter spreadsheet;
    QtReceiptPrinter printer;
    app.setDialogs(&dialogs);

    // Beside the program, or the user's data directory for an installed one.
    QString programDir;
    try {
        programDir = ProgramDirectory::forThisProgram();
    } catch (const std::exception& e) {
        // No directory for the terminal's files: the program cannot go on.
        dialogs.exception(QString::fromUtf8(e.what()));
        return 1;
    }
    // The logic first, with every seam; then the windows in their order; then
    // the connection, once every window that shows its course exists.
    Terminal terminal(programDir, Seams{dialogs, clock, fileDialog, printer, spreadsheet});
    std::unique_ptr<Forms> forms;
    try {
        forms = std::make_unique<Forms>(terminal);
    } catch (const std::exception& e) {
        // A window that cannot be created ends the program.
        dialogs.exception(QString::fromUtf8(e.what()));
        return 1;
    }
    if (forms->created())
        terminal.connectToServer();
    forms->winMain->show();
    return app.exec();
}
