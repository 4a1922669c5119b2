#pragma once

#include "payments/PaymentEntry.h"

#include <QColor>
#include <QDialog>

#include <array>
#include <vector>
#include <functional>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace oplata {
// A rectangle outlined with a pen of a given colour and width, drawn inside its
// bounds: the digit boxes (filled white) and the focus frames.
class Shape : public QWidget {
public:
    Shape(const QString& name, QWidget* parent, bool filled) : QWidget(parent), filled_(filled) {
        setObjectName(name);
    }
    void setOutline(const QColor& colour, int width);
    QColor outline() const { return colour_; }
    int outlineWidth() const { return width_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool filled_;
    QColor colour_{0, 0, 255};
    int width_ = 2;
};
} // namespace oplata

// The payment entry window: account number in masked cells, the sum, and the way
// out to payment creation. It mirrors the PaymentEntry logic and forwards its
// events there.
class TOplat : public QDialog {
    Q_OBJECT
public:
    explicit TOplat(PaymentEntry& entry, QWidget* parent = nullptr);
    ~TOplat() override;

    // How the window is shown when the logic asks for it: modally, returning when
    // it closes. Tests replace it with a show that does not block.
    using ShowFunction = std::function<void(TOplat&)>;
    void setShowFunction(ShowFunction show) { show_ = std::move(show); }

    // Copies what the logic wants shown into the controls.
    void syncFromEntry();

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildAccountGroup();
    void buildSumGroup();
    void buildButtons();
    void watchMouse(QWidget* control);
    void layOutCells();
    void moveFocus(PaymentEntry::Field field);
    // A press or a click on one of the window's controls.
    void mouseDown(QObject* control);
    void click(QObject* control);

    PaymentEntry& entry_;
    ShowFunction show_;

    QToolButton* buton_ = nullptr;
    QString butonIconPath_;
    QGroupBox* groupBox1_ = nullptr;
    oplata::Shape* shape1_ = nullptr;
    std::array<oplata::Shape*, 17> boxes_{};
    std::array<QLabel*, 17> cellLabels_{};
    QLabel* edit2_ = nullptr;
    QLineEdit* edit1_ = nullptr;
    QGroupBox* groupBox2_ = nullptr;
    oplata::Shape* shape2_ = nullptr;
    QLineEdit* edit3_ = nullptr;
    oplata::Shape* shape3_ = nullptr;
    std::array<QLabel*, 3> tierLabels_{};
    // The sum group's labels that take the focus to the sum when clicked.
    std::vector<QLabel*> sumLabels_;
    QLabel* label16_ = nullptr;
    QLabel* label18_ = nullptr;
    QLabel* label12_ = nullptr;
    QLabel* minimum_ = nullptr; // the minimum, when the sum falls short of it
    QPushButton* bitBtn3_ = nullptr;
    QPushButton* bitBtn2_ = nullptr;
    QPushButton* checkBalance_ = nullptr;
    QPushButton* bitBtn1_ = nullptr;
};
