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
    // stored file or asks the server) and the window comes to the front; a
    // window loaded on every visit loads when its activation comes.
    void openFromMain();
    // How many times the window's logic was activated; for tests.
    int activations() const { return activations_; }

protected:
    ServerFedWindow(RequestedFile& file, Dialogs& dialogs, const char* objectName, const QString& caption,
                    QWidget* parent);

    // No button is the window's default: Enter in a text field (the name
    // filter) presses nothing, Enter on a focused button presses that one.
    void showEvent(QShowEvent* event) override;

    // What the window's logic does when the window is opened or activated.
    virtual void activated() = 0;
    // Runs activated() on every activation of the window, not only on opening
    // it from the main window. A box the loader shows (no file and not
    // registered, no data) gives the activation back when it closes; that
    // return is no new visit, or box and load would follow each other forever.
    void activateOnEveryVisit() { everyVisit_ = true; }
    void changeEvent(QEvent* event) override;
    // The logic's activation inside the exception boundary.
    void runActivated();

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
    bool everyVisit_ = false;
    bool skipActivation_ = false;
    int activations_ = 0;
};
