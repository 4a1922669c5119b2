#pragma once

#include <QDialog>

#include <functional>

class Dialogs;
class QLabel;
class QPushButton;
class QStackedLayout;
class RequestedFile;

// The base of the six windows fed by file replies (statistics come on the main
// window's page; the monthly and daily statements, the price list, the stock
// and the turnover statement are windows of their own). It holds the table with
// its waiting text behind it, "Обновить" and "Отчет", and keeps them as the
// request flow says: the table hidden and "Обновить" disabled while a request is
// out. A window adds its own table and arranges the pieces.
class ServerFedWindow : public QDialog {
    Q_OBJECT
public:
    // The main window's button: the window's logic is activated (it loads the
    // stored file or asks the server), then the window comes to the front.
    void openFromMain();

protected:
    ServerFedWindow(RequestedFile& file, Dialogs& dialogs, const char* objectName, const QString& caption,
                    QWidget* parent);

    // No button is the window's default: Enter in a text field (the name
    // filter) presses nothing, Enter on a focused button presses that one.
    void showEvent(QShowEvent* event) override;

    // What the window's logic does when the window is opened or activated.
    virtual void activated() = 0;

    // The table (or text view) with the waiting text lying under it; seen only
    // while the table is hidden.
    QWidget* tableArea(QWidget* view, const char* waitingName, const QString& waitingText);
    // "Обновить" and "Отчет" under their form names.
    QPushButton* refreshButton(const char* name, const QString& hint = QString());
    QPushButton* reportButton(const char* name, const QString& caption, const QString& hint = QString());
    // "Выход": hides the window.
    QPushButton* closeButton(const char* name);

    void syncRequestState();
    // The keys to the table: now, or when it comes back from waiting for its file.
    void focusTable();
    // A button's command for the logic, inside the exception boundary.
    void onClick(QPushButton* button, std::function<void()> command);

    Dialogs& dialogs_;

private:
    RequestedFile& file_;
    QStackedLayout* stack_ = nullptr;
    QWidget* view_ = nullptr;
    QLabel* waiting_ = nullptr;
    QPushButton* refresh_ = nullptr;
    bool tableWantsFocus_ = false;
};
