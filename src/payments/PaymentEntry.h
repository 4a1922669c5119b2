#pragma once

#include "payments/OperatorProfile.h"

#include <QObject>
#include <QString>

#include <array>

struct OperatorButton;

// The payment entry window's logic: the live operator profile, the account
// number typed into masked digit cells, the sum with its commission, the pay
// buttons rule and the four ways out. TOplat shows this state (changed()),
// moves the focus when asked (focusRequested()) and forwards what the cashier
// does, in the terms of this logic: the account or the sum edited, a cell
// chosen, a field confirmed or left.
class PaymentEntry : public QObject {
    Q_OBJECT
public:
    static constexpr int CellCount = 17;

    enum class Field { None, Account, Sum, PayButton }; // Edit1, Edit3, "ОПЛАТИТЬ"
    Q_ENUM(Field)

    explicit PaymentEntry(QObject* parent = nullptr);

    // The operator button's click once the profile is read: caption, operator,
    // tiers, emptied fields, commission; then asks for the window to be shown
    // (showRequested) and returns when that returns.
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

    // The digit cells: as many as the mask has "X" (at most CellCount), cell i
    // showing character i of the account number.
    int shownCells() const;
    QString cellText(int i) const;
    // The cell of the caret as the last refresh left it, or -1.
    int caretCell() const { return caretCell_; }

    const QString& tierText(int k) const { return tierTexts_[size_t(k)]; }
    bool tierVisible(int k) const { return tierVisible_[size_t(k)]; }
    // The last commission computation: the tier applied and the credited sum.
    const Commission& commission() const { return commission_; }
    const QString& creditedText() const { return creditedText_; }
    // The credited sum in the second currency; empty without an exchange rate.
    const QString& secondCurrencyText() const { return secondCurrencyText_; }

    // "ОПЛАТИТЬ" and "ОТЛОЖИТЬ" are always enabled together.
    bool payEnabled() const { return payEnabled_; }
    // Why the pay buttons stay disabled although a sum is typed: the sum to
    // credit is below the operator's minimum, which it names; empty otherwise.
    QString minimumHint() const;
    bool checkBalanceEnabled() const { return checkBalanceEnabled_; }

    // --- what the cashier does
    void formShow();
    void accountEdited(const QString& text, int caret);
    // A caret stays within its field's text, whatever the window reports.
    void accountCaretMoved(int caret);
    void sumEdited(const QString& text);
    void sumCaretMoved(int caret);
    // Enter in the account: on to the sum.
    void accountConfirmed();
    // The caret was moved along the account (Left, Right): its cell is shown.
    void accountCaretShown();
    // Down from the account: the caret back by one, on to the sum.
    void accountLeftDown();
    // Up from the sum: back to the account.
    void sumLeftUp();
    // Enter or Down in the sum: on to "ОПЛАТИТЬ" when it can be pressed.
    void sumConfirmed();
    // The account's frame, a box or its group, and the sum's group and labels.
    void focusAccount();
    void focusSum();
    // A cell's label: the caret to that cell of the account.
    void caretToCell(int cell);

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
    void recompute();
    void updatePayButtons();

    OperatorProfile profile_;
    Commission commission_;
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
    int caretCell_ = -1;
    QString creditedText_;
    QString secondCurrencyText_;

    std::array<QString, OperatorProfile::TierCount> tierTexts_;
    std::array<bool, OperatorProfile::TierCount> tierVisible_{};

    bool payEnabled_ = false;
    bool checkBalanceEnabled_ = true;
};
