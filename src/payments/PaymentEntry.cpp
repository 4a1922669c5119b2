#include "payments/PaymentEntry.h"

#include "core/OperatorCatalogue.h"
#include "platform/Locale.h"

#include <QStringList>

#include <algorithm>

namespace {

constexpr int kFirstCellX = 20;
constexpr int kCellStep = 27;
constexpr int kGroupGap = 15; // "=" in the mask
constexpr int kDashGap = 5;   // "-" in the mask

const QColor kCellOutline(0, 0, 255);
constexpr int kCellOutlineWidth = 2;
const QColor kCaretOutline(255, 0, 0);
constexpr int kCaretOutlineWidth = 5;

// A sum the terminal can hold exactly; longer texts do not take.
bool readsAsNumber(const QString& text) {
    return Decimal::read(text).has_value();
}

// The cell number of a control named prefix + number ("L4", "S12"), or -1.
int cellOf(const QString& control, QChar prefix) {
    if (control.size() < 2 || control.at(0) != prefix)
        return -1;
    bool ok = false;
    const int i = control.mid(1).toInt(&ok);
    return ok && i >= 0 && i < PaymentEntry::CellCount ? i : -1;
}

bool sendsFocusToSum(const QString& control) {
    static const QStringList names = {"GroupBox2", "Shape3",  "Label47", "Label48", "Label49", "Label50",
                                      "Label15",   "Label17", "Label22", "Label46", "Label7"};
    return names.contains(control);
}

} // namespace

PaymentEntry::PaymentEntry(QObject* parent) : QObject(parent) {}

void PaymentEntry::open(const QString& categoryCaption, const OperatorButton& button,
                        const OperatorProfile& profile) {
    // The name as the operator button shows it after its accelerator: a blank first.
    const QString name = QLatin1Char(' ') + button.name;
    caption_ = QStringLiteral("ПЛАТЕЖИ->") + categoryCaption + QStringLiteral("->") + name;
    operatorCaption_ = name;
    article_ = button.article;
    operatorIcon_ = button.iconPath;

    profile_ = profile;
    checkBalanceEnabled_ = profile_.balanceQuery;

    for (int k = 0; k < OperatorProfile::TierCount; ++k) {
        const CommissionTier& tier = profile_.tiers[size_t(k)];
        tierTexts_[size_t(k)] = tier.description;
        tierVisible_[size_t(k)] = tier.described();
    }
    // The tier colours stay as the last computation left them until this one's.
    labels_.tierDescription = QStringLiteral("без комиссии");

    typedAccount_.clear();
    accountCaret_ = 0;
    refreshAccount();
    sumText_.clear();
    sumCaret_ = 0;
    prefixText_ = profile_.prefix;
    computeCommission(profile_, sumText_, labels_);
    updatePayButtons();
    emit changed();
    emit showRequested();
}

void PaymentEntry::formShow() {
    payEnabled_ = false;
    for (Cell& c : cells_)
        c.visible = false;
    int x = kFirstCellX;
    int next = 0;
    for (const QChar ch : profile_.mask) {
        if (ch == QLatin1Char('X')) {
            if (next < CellCount) {
                Cell& c = cells_[size_t(next++)];
                c.visible = true;
                c.x = x;
                c.text = QStringLiteral("8");
            }
            x += kCellStep;
        } else if (ch == QLatin1Char('=')) {
            x += kGroupGap;
        } else if (ch == QLatin1Char('-')) {
            x += kDashGap;
        }
    }
    refreshAccount();
    emit changed();
    requestFocus(Field::Account);
}

void PaymentEntry::refreshAccount() {
    // Each cut is itself a change of the field, so a pasted text loses characters
    // from its end until it fits.
    if (profile_.digitCount != 0) {
        while (typedAccount_.size() > profile_.digitCount)
            typedAccount_.chop(1);
        accountCaret_ = std::min(accountCaret_, int(typedAccount_.size()));
    }
    accountNumber_ = profile_.prefix + typedAccount_;

    for (int i = 0; i < CellCount; ++i) {
        Cell& c = cells_[size_t(i)];
        c.text = i < accountNumber_.size() ? QString(accountNumber_.at(i)) : QString();
        c.outline = kCellOutline;
        c.outlineWidth = kCellOutlineWidth;
    }
    caretCell_ = int(profile_.prefix.size()) + accountCaret_;
    if (caretCell_ < CellCount) {
        cells_[size_t(caretCell_)].outline = kCaretOutline;
        cells_[size_t(caretCell_)].outlineWidth = kCaretOutlineWidth;
    } else {
        caretCell_ = -1;
    }
    updatePayButtons();
}

void PaymentEntry::updatePayButtons() {
    payEnabled_ = false;
    if (typedAccount_.size() != profile_.digitCount)
        return;
    // Both exact: a credited "0.10" meets a minimum of 0.1.
    payEnabled_ = profile_.minSum <= Decimal::fromCents(profile_.creditedCents);
}

void PaymentEntry::accountEdited(const QString& text, int caret) {
    // The account is shown digit by digit and travels in the "o" message, where
    // a "#" would shift every field: only digits are taken, typed or pasted.
    QString digits;
    digits.reserve(text.size());
    int kept = std::clamp(caret, 0, int(text.size()));
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            digits += c;
        else if (i < caret)
            --kept;
    }
    typedAccount_ = digits;
    accountCaret_ = std::clamp(kept, 0, int(digits.size()));
    refreshAccount();
    emit changed();
}

void PaymentEntry::accountCaretMoved(int caret) {
    accountCaret_ = std::clamp(caret, 0, int(typedAccount_.size()));
}

void PaymentEntry::sumCaretMoved(int caret) {
    sumCaret_ = std::clamp(caret, 0, int(sumText_.size()));
}

void PaymentEntry::accountKeyPress(int key) {
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        requestFocus(Field::Sum);
}

void PaymentEntry::accountKeyUp(int key) {
    if (key == Qt::Key_Left || key == Qt::Key_Right) {
        refreshAccount();
        emit changed();
    } else if (key == Qt::Key_Down) {
        accountCaret_ = std::max(0, accountCaret_ - 1);
        emit changed();
        requestFocus(Field::Sum);
    }
}

void PaymentEntry::sumEdited(const QString& text) {
    QString s = text;
    // Every correction below is itself a change of the field and is corrected in
    // turn, so a pasted text settles as if typed: all its separators normalised,
    // then characters dropped from its end until it reads.
    for (;;) {
        const QString normalized = Locale::normalizeDecimal(s);
        if (normalized != s) {
            s = normalized;
            continue;
        }
        if (s.isEmpty() || readsAsNumber(s))
            break;
        s.chop(1);
    }
    sumText_ = s;
    sumCaret_ = int(s.size());
    computeCommission(profile_, sumText_, labels_);
    updatePayButtons();
    emit changed();
}

void PaymentEntry::sumKeyDown(int key) {
    if (key == Qt::Key_Up)
        requestFocus(Field::Account);
    else if ((key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Down) && payEnabled_)
        requestFocus(Field::PayButton);
}

void PaymentEntry::focusIn(Field field) {
    focus_ = field;
    if (field == Field::Account) {
        accountFrameVisible_ = true;
        sumFrameVisible_ = false;
    } else if (field == Field::Sum) {
        sumFrameVisible_ = true;
        accountFrameVisible_ = false;
    }
    emit changed();
}

void PaymentEntry::focusOut(Field field) {
    if (focus_ == field)
        focus_ = Field::None;
    if (field == Field::Account)
        accountFrameVisible_ = false;
    else if (field == Field::Sum)
        sumFrameVisible_ = false;
    emit changed();
}

void PaymentEntry::mouseDown(const QString& control) {
    if (control == QLatin1String("Shape1") || cellOf(control, QLatin1Char('S')) >= 0)
        requestFocus(Field::Account);
    else if (control == QLatin1String("GroupBox2") || control == QLatin1String("Shape3"))
        requestFocus(Field::Sum);
}

void PaymentEntry::click(const QString& control) {
    const int cell = cellOf(control, QLatin1Char('L'));
    if (cell >= 0)
        labelClick(cell);
    else if (control == QLatin1String("GroupBox1"))
        requestFocus(Field::Account);
    else if (sendsFocusToSum(control))
        requestFocus(Field::Sum);
}

void PaymentEntry::labelClick(int cell) {
    const int prefixLength = int(profile_.prefix.size());
    const int caret = cell < prefixLength ? 0 : cell - prefixLength;
    // A field puts its caret no further than its end.
    accountCaret_ = std::min(caret, int(typedAccount_.size()));
    requestFocus(Field::Account);
    refreshAccount();
    emit changed();
}

void PaymentEntry::requestFocus(Field field) {
    focus_ = field;
    emit focusRequested(field);
}

void PaymentEntry::payClicked() {
    if (!payEnabled_)
        return;
    emit closeRequested();
    emit payRequested();
}

void PaymentEntry::deferClicked() {
    if (!payEnabled_)
        return;
    emit deferRequested();
    emit closeRequested();
}

void PaymentEntry::balanceClicked() {
    if (!checkBalanceEnabled_)
        return;
    checkBalanceEnabled_ = false;
    emit changed();
    emit closeRequested();
    emit balanceRequested();
}

void PaymentEntry::closeClicked() {
    emit closeRequested();
}
