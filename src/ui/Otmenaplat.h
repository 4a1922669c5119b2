#pragma once

#include <QDialog>

#include <functional>

class Cancellation;
class Dialogs;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The cancellation and correction window: the credited payment chosen in the
// journal, and for a correction the new account number. It shows the
// terminal's Cancellation form and hands BitBtn1 to it.
class TCancelPlat : public QDialog {
    Q_OBJECT
public:
    TCancelPlat(Cancellation& cancellation, Dialogs& dialogs, QWidget* parent = nullptr);

    // How the window is shown when the logic asks for it: modally, returning when
    // it closes. Tests replace it with a show that does not block.
    using ShowFunction = std::function<void(TCancelPlat&)>;
    void setShowFunction(ShowFunction show) { show_ = std::move(show); }

    // Copies the form of the chosen row into the controls.
    void syncFromForm();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void fileRequest();

    Cancellation& cancellation_;
    Dialogs& dialogs_;
    ShowFunction show_;
    QGroupBox* groupBox1_;
    QLineEdit* edits_[6];
    QLabel* image1_;
    QLabel* label6_;
    QPushButton* bitBtn1_;
    QPushButton* bitBtn2_;
};
