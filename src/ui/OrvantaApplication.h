#pragma once

#include <QApplication>

class Dialogs;

// The application object: an exception that escapes an event handler is shown in
// the standard exception box and the program goes on.
class OrvantaApplication : public QApplication {
public:
    OrvantaApplication(int& argc, char** argv);
    void setDialogs(Dialogs* dialogs) { dialogs_ = dialogs; }
    bool notify(QObject* receiver, QEvent* event) override;

private:
    Dialogs* dialogs_ = nullptr;
};
