#include "platform/Locale.h"
#include "platform/OneBoxAtATime.h"
#include "platform/ProgramDirectory.h"
#include "platform/SystemClock.h"
#include "platform/XlsxSpreadsheetWriter.h"
#include "platform/widgets/QtDialogs.h"
#include "platform/widgets/QtReceiptPrinter.h"
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

    std::unique_ptr<Forms> forms;
    try {
        forms = std::make_unique<Forms>(ProgramDirectory::forThisProgram(),
                                        Seams{&dialogs, &clock, &fileDialog, &printer, &spreadsheet});
    } catch (const std::exception& e) {
        // A window, or the directory for the files, that cannot be created ends the program.
        dialogs.exception(QString::fromUtf8(e.what()));
        return 1;
    }
    forms->winMain->show();
    return app.exec();
}
