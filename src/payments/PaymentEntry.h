#pragma once

#include "payments/OperatorProfile.h"

#include <QColor>
#include <QObject>
#include <QString>

#include <array>

struct OperatorButtonState;

// The payment entry window's logic: the live operator profile, the account
// number typed into masked digit cells, the sum with its commission, the pay
// buttons rule and the four ways out. TOplat mirrors this state (changed()),
// moves the focus when asked (focusRequested()) and forwards its events here.
class PaymentEntry : public QObject {
    Q_OBJECT
public:
    static constexpr int CellCount = 17;
    // Where a cell's label sits relative to its box.
    static constexpr int LabelOffset = 7;

    enum class Field { None, Edit1, Edit3, BitBtn3 };
    Q_ENUM(Field)

    // A digit cell: box S<i> at x with label L<i> at x + LabelOffset.
    struct Cell {
        bool visible = false;
        int x = 0;
        QString text;
        QColor outline;
        int outlineWidth = 0;
    };

    explicit PaymentEntry(QObject* parent = nullptr);

    // The operator button's click once the profile is read: caption, the
    // operator button, tier labels, emptied fields, commission; then asks for the
    // window to be shown (showRequested) and returns when that returns.
    void open(const QString& categoryCaption, const OperatorButtonState& button,
              const OperatorProfile& profile);

    // --- state, as the window shows it and payment creation reads it
    const OperatorProfile& profile() const { return profile_; }
    const QString& caption() const { return caption_; }
    const QString& butonCaption() const { return butonCaption_; } // a blank and the operator's name
    const QString& butonHint() const { return butonHint_; }       // the article code
    int butonImageIndex() const { return butonImageIndex_; }

    const QString& accountNumber() const { return accountNumber_; }
    const QString& edit1() const { return edit1_; }
    int edit1Caret() const { return edit1Caret_; }
    const QString& edit2() const { return edit2_; }
    const QString& edit3() const { return edit3_; }
    int edit3Caret() const { return edit3Caret_; }
    const Cell& cell(int i) const { return cells_[size_t(i)]; }
    // The cell drawn as the caret's, or -1.
    int caretCell() const { return caretCell_; }

    const QString& tierText(int k) const { return tierTexts_[size_t(k)]; }
    bool tierVisible(int k) const { return tierVisible_[size_t(k)]; }
    QColor tierColour(int k) const { return labels_.tierColours[size_t(k)]; }
    const QString& label16() const { return labels_.label16; }
    const QString& label18() const { return labels_.label18; }
    const QString& label12() const { return labels_.label12; }

    // "ОПЛАТИТЬ" and "ОТЛОЖИТЬ" are always enabled together.
    bool payEnabled() const { return payEnabled_; }
    bool checkBalanceEnabled() const { return checkBalanceEnabled_; }
    bool shape1Visible() const { return shape1Visible_; }
    bool shape2Visible() const { return shape2Visible_; }
    // The field that has the focus, or was last asked to take it.
    Field focus() const { return focus_; }

    // --- events forwarded by the window
    void formShow();
    void edit1Changed(const QString& text, int caret);
    void edit1CaretMoved(int caret) { edit1Caret_ = caret; }
    void edit1KeyPress(int key);
    void edit1KeyUp(int key);
    void edit3Changed(const QString& text);
    void edit3CaretMoved(int caret) { edit3Caret_ = caret; }
    void edit3KeyDown(int key);
    void focusIn(Field field);
    void focusOut(Field field);
    // A control by its form name: L<i>, S<i>, Shape1..3, GroupBox1/2, the labels.
    void mouseDown(const QString& control);
    void click(const QString& control);

    void bitBtn3Click();      // ОПЛАТИТЬ
    void bitBtn2Click();      // ОТЛОЖИТЬ
    void checkBalanceClick(); // БАЛАНС
    void bitBtn1Click();      // ЗАКРЫТЬ

signals:
    void changed();
    void focusRequested(PaymentEntry::Field field);
    void showRequested();
    void closeRequested();
    // "0" pay now, "9" defer, "2" balance query.
    void createPaymentRequested(const QString& mode);

private:
    void refreshAccount();
    void updatePayButtons();
    void requestFocus(Field field);
    void labelClick(int cell);

    OperatorProfile profile_;
    CommissionLabels labels_;
    QString caption_;
    QString butonCaption_;
    QString butonHint_;
    int butonImageIndex_ = -1;

    QString accountNumber_;
    QString edit1_;
    int edit1Caret_ = 0;
    QString edit2_;
    QString edit3_;
    int edit3Caret_ = 0;
    std::array<Cell, CellCount> cells_;
    int caretCell_ = -1;

    std::array<QString, OperatorProfile::TierCount> tierTexts_;
    std::array<bool, OperatorProfile::TierCount> tierVisible_{};

    bool payEnabled_ = false;
    bool checkBalanceEnabled_ = true;
    bool shape1Visible_ = false;
    bool shape2Visible_ = false;
    Field focus_ = Field::None;
};
