#include "platform/Locale.h"
#include "platform/OneBoxAtATime.h"
#include "platform/SystemClock.h"
#include "platform/widgets/QtDialogs.h"
#include "ui/Forms.h"
#include "ui/OrvantaApplication.h"
#include "ui/Unit1.h"

#include <QDir>

#include <exception>
#include <memory>

int main(int argc, char** argv) {
    OrvantaApplication app(argc, argv);
    Locale::initFromSystem();

    QtDialogs boxes;
    // Boxes asked for under an open box wait their turn instead of piling up.
    OneBoxAtATime dialogs(&boxes);
    HostClock clock;
    QtFileDialog fileDialog;
    app.setDialogs(&dialogs);

    const QString programDir = QDir(QCoreApplication::applicationDirPath()).absolutePath() + QLatin1Char('/');
    std::unique_ptr<Forms> forms;
    try {
        forms = std::make_unique<Forms>(programDir, Seams{&dialogs, &clock, &fileDialog});
    } catch (const std::exception& e) {
        // A window that cannot be created ends the program.
        dialogs.exception(QString::fromUtf8(e.what()));
        return 1;
    }
    forms->winMain->show();
    return app.exec();
}
