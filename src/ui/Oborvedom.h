#pragma once

#include "ui/ServerFedWindow.h"

class QPlainTextEdit;
class TurnoverStatement;

// The goods turnover statement: the server's ready-made lines in a fixed-pitch
// font, refreshed on request.
class TOborVed : public ServerFedWindow {
    Q_OBJECT
public:
    TOborVed(TurnoverStatement& statement, Dialogs& dialogs, QWidget* parent = nullptr);

protected:
    void activated() override;

private:
    void syncFromStatement();

    TurnoverStatement& statement_;
    QPlainTextEdit* vedomost_;
};
