#pragma once

#include "payments/OperatorProfile.h"

#include <QColor>
#include <QObject>
#include <QString>

#include <array>

struct OperatorButton;

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

    enum class Field { None, Account, Sum, PayButton }; // Edit1, Edit3, "ОПЛАТИТЬ"
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
    void open(const QString& categoryCaption, const OperatorButton& button, const OperatorProfile& profile);

    // --- state, as the window shows it and payment creation reads it
    const OperatorProfile& profile() const { return profile_; }
    const QString& caption() const { return caption_; }
    const QString& operatorCaption() const { return operatorCaption_; } // a blank and the operator's name
    const QString& article() const { return article_; }                 // the article code
    const QString& operatorIcon() const { return operatorIcon_; }

    const QString& accountNumber() const { return accountNumber_; }
    const QString& typedAccount() const { return typedAccount_; }
    int accountCaret() const { return accountCaret_; }
    const QString& prefixText() const { return prefixText_; }
    const QString& sumText() const { return sumText_; }
    int sumCaret() const { return sumCaret_; }
    const Cell& cell(int i) const { return cells_[size_t(i)]; }
    // The cell drawn as the caret's, or -1.
    int caretCell() const { return caretCell_; }

    const QString& tierText(int k) const { return tierTexts_[size_t(k)]; }
    bool tierVisible(int k) const { return tierVisible_[size_t(k)]; }
    QColor tierColour(int k) const { return labels_.tierColours[size_t(k)]; }
    const QString& tierDescription() const { return labels_.tierDescription; }
    const QString& creditedText() const { return labels_.creditedText; }
    const QString& secondCurrencyText() const { return labels_.secondCurrencyText; }

    // "ОПЛАТИТЬ" and "ОТЛОЖИТЬ" are always enabled together.
    bool payEnabled() const { return payEnabled_; }
    bool checkBalanceEnabled() const { return checkBalanceEnabled_; }
    bool accountFrameVisible() const { return accountFrameVisible_; }
    bool sumFrameVisible() const { return sumFrameVisible_; }
    // The field that has the focus, or was last asked to take it.
    Field focus() const { return focus_; }

    // --- events forwarded by the window
    void formShow();
    void accountEdited(const QString& text, int caret);
    // A caret stays within its field's text, whatever the window reports.
    void accountCaretMoved(int caret);
    void accountKeyPress(int key);
    void accountKeyUp(int key);
    void sumEdited(const QString& text);
    void sumCaretMoved(int caret);
    void sumKeyDown(int key);
    void focusIn(Field field);
    void focusOut(Field field);
    // A control by its form name: L<i>, S<i>, Shape1..3, GroupBox1/2, the labels.
    void mouseDown(const QString& control);
    void click(const QString& control);

    void payClicked();     // ОПЛАТИТЬ
    void deferClicked();   // ОТЛОЖИТЬ
    void balanceClicked(); // БАЛАНС
    void closeClicked();   // ЗАКРЫТЬ

signals:
    void changed();
    void focusRequested(PaymentEntry::Field field);
    void showRequested();
    void closeRequested();
    // The three ways out that hand the entry over to payment creation.
    void payRequested();
    void deferRequested();
    void balanceRequested();

private:
    void refreshAccount();
    void updatePayButtons();
    void requestFocus(Field field);
    void labelClick(int cell);

    OperatorProfile profile_;
    CommissionLabels labels_;
    QString caption_;
    QString operatorCaption_;
    QString article_;
    QString operatorIcon_;

    QString accountNumber_;
    QString typedAccount_;
    int accountCaret_ = 0;
    QString prefixText_;
    QString sumText_;
    int sumCaret_ = 0;
    std::array<Cell, CellCount> cells_;
    int caretCell_ = -1;

    std::array<QString, OperatorProfile::TierCount> tierTexts_;
    std::array<bool, OperatorProfile::TierCount> tierVisible_{};

    bool payEnabled_ = false;
    bool checkBalanceEnabled_ = true;
    bool accountFrameVisible_ = false;
    bool sumFrameVisible_ = false;
    Field focus_ = Field::None;
};
