#pragma once

#include "platform/Dialogs.h"
#include "platform/FileDialog.h"

// Message boxes with QMessageBox. A box runs its own event loop, so socket and
// timer events go on being handled while it is open, as the terminal expects.
class QtDialogs : public Dialogs {
public:
    void message(const QString& text) override;
    void box(const QString& text, const QString& title, Icon icon) override;
    bool question(const QString& text, const QString& title) override;
    bool retryCancel(const QString& text, const QString& title, Icon icon) override;
    void exception(const QString& text) override;
    std::optional<QString> askText(const QString& text, const QString& title, const QString& initial) override;
};

class QtFileDialog : public FileDialog {
public:
    QString openFile(const QString& directory, const QString& filter) override;
};
