#include "payments/PaymentEntry.h"

#include "core/OperatorCatalogue.h"
#include "platform/Locale.h"

#include <algorithm>

namespace {

// A sum the terminal can hold exactly; longer texts do not take.
bool readsAsNumber(const QString& text) {
    return Decimal::read(text).has_value();
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

    typedAccount_.clear();
    accountCaret_ = 0;
    refreshAccount();
    sumText_.clear();
    sumCaret_ = 0;
    prefixText_ = profile_.prefix;
    recompute();
    updatePayButtons();
    emit changed();
    emit showRequested();
}

int PaymentEntry::shownCells() const {
    return std::min(int(profile_.mask.count(QLatin1Char('X'))), CellCount);
}

QString PaymentEntry::cellText(int i) const {
    return i >= 0 && i < accountNumber_.size() ? QString(accountNumber_.at(i)) : QString();
}

void PaymentEntry::formShow() {
    payEnabled_ = false;
    refreshAccount();
    emit changed();
    emit focusRequested(Field::Account);
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
    caretCell_ = int(profile_.prefix.size()) + accountCaret_;
    if (caretCell_ >= CellCount)
        caretCell_ = -1;
    updatePayButtons();
}

void PaymentEntry::recompute() {
    commission_ = computeCommission(profile_, sumText_);
    creditedText_ = Money::format(commission_.creditedCents);
    secondCurrencyText_ =
        commission_.secondCurrencyCents ? Money::format(*commission_.secondCurrencyCents) : QString();
}

void PaymentEntry::updatePayButtons() {
    payEnabled_ = false;
    if (typedAccount_.size() != profile_.digitCount)
        return;
    // Both exact: a credited "0.10" meets a minimum of 0.1.
    payEnabled_ = profile_.minSum <= Decimal::fromCents(commission_.creditedCents);
}

QString PaymentEntry::minimumHint() const {
    if (sumText_.trimmed().isEmpty() || profile_.minSum <= Decimal::fromCents(commission_.creditedCents))
        return QString();
    return QStringLiteral("Минимальная сумма: %1").arg(Money::format(Money::toCents(profile_.minSum)));
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

void PaymentEntry::accountConfirmed() {
    emit focusRequested(Field::Sum);
}

void PaymentEntry::accountCaretShown() {
    refreshAccount();
    emit changed();
}

void PaymentEntry::accountLeftDown() {
    accountCaret_ = std::max(0, accountCaret_ - 1);
    emit changed();
    emit focusRequested(Field::Sum);
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
    recompute();
    updatePayButtons();
    emit changed();
}

void PaymentEntry::sumLeftUp() {
    emit focusRequested(Field::Account);
}

void PaymentEntry::sumConfirmed() {
    if (payEnabled_)
        emit focusRequested(Field::PayButton);
}

void PaymentEntry::focusAccount() {
    emit focusRequested(Field::Account);
}

void PaymentEntry::focusSum() {
    emit focusRequested(Field::Sum);
}

void PaymentEntry::caretToCell(int cell) {
    const int prefixLength = int(profile_.prefix.size());
    const int caret = cell < prefixLength ? 0 : cell - prefixLength;
    // A field puts its caret no further than its end.
    accountCaret_ = std::min(caret, int(typedAccount_.size()));
    emit focusRequested(Field::Account);
    refreshAccount();
    emit changed();
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
