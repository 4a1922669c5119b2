#pragma once

#include "ui/ServerFedWindow.h"

#include <array>

class QGridLayout;
class QLabel;

// The monthly and daily statements: a coloured window that the loader shows
// once a statement is in, whose activation gives back the "Подробно" that
// opened it, with "ИТОГО" and three captioned totals under the table.
class StatementWindow : public ServerFedWindow {
    Q_OBJECT
protected:
    StatementWindow(RequestedFile& file, Dialogs& dialogs, const char* objectName, const QString& caption,
                    const QColor& background, QWidget* parent);

    // FormActivate runs activated().
    void changeEvent(QEvent* event) override;
    // A statement is loaded: the window comes up in front.
    void showStatement();
    // "ИТОГО" (Label4), the captions Label9 to Label11 above the totals Label5 to Label7.
    QGridLayout* totals(const std::array<QString, 3>& captions, std::array<QLabel*, 3>& values);
};
