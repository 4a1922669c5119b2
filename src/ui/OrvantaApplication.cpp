#include "ui/OrvantaApplication.h"

#include "platform/Dialogs.h"
#include "ui/FocusKeeper.h"
#include "ui/KeyboardRules.h"

#include <exception>

OrvantaApplication::OrvantaApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("Orvanta"));
    installEventFilter(new FocusKeeper(this));
    KeyboardRules::install();
}

bool OrvantaApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        if (dialogs_)
            dialogs_->exception(QString::fromUtf8(e.what()));
    } catch (...) {
        if (dialogs_)
            dialogs_->exception(QStringLiteral("Unknown error"));
    }
    return false;
}
