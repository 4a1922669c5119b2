#pragma once

#include <QDialog>

class AccountSession;
class Dialogs;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

// The login window, shown (not modal) on the server's greeting: the form, the
// waiting panel and the success panel, one at a time.
class TLoginPasw : public QDialog {
    Q_OBJECT
public:
    TLoginPasw(AccountSession& session, Dialogs& dialogs, QWidget* parent = nullptr);

    void syncFromModel();

protected:
    bool event(QEvent* e) override;

private:
    AccountSession& session_;
    Dialogs& dialogs_;
    QWidget* panel1_;
    QWidget* panel2_;
    QWidget* panel3_;
    QPushButton* close_ = nullptr;
    QLabel* waiting_;
    QLineEdit* edit1_;
    QLineEdit* edit2_;
};
