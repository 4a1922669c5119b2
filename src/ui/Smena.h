#pragma once

#include <QDialog>

#include <vector>

class Dialogs;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;
class QTableWidget;
class Shift;

// "Закрытие смены": the shift's figures, the cash in and out, the count of
// the drawer, the server's agreement, the X report, the close with a Z report,
// and the Z reports of past shifts to print or export again.
class TSmena : public QDialog {
    Q_OBJECT
public:
    TSmena(Shift& shift, Dialogs& dialogs, QWidget* parent = nullptr);

    // Reads the shift afresh and brings the window up.
    void openFromMain();

    QTableWidget* grid() const { return grid_; }

private:
    void showShift();
    void showClosed();
    // A click that runs logic which may fail, inside the exception boundary.
    void onClick(QPushButton* button, std::function<void()> f);

    Shift& shift_;
    Dialogs& dialogs_;
    QLabel* title_;
    QTableWidget* grid_;
    QLineEdit* cashSum_;
    QLineEdit* cashNote_;
    QLineEdit* counted_;
    std::vector<QSpinBox*> denominations_;
    QLabel* expected_;
    QLabel* difference_;
    QLineEdit* note_;
    QLabel* agreement_;
    QListWidget* closed_;
    bool showing_ = false; // the window writes its own fields: no echo back
};
