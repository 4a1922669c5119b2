// The payment window's input: a tariff and a run of typed texts, keys, clicks
// and focus changes, all taken from the fuzzer's bytes. Whatever is typed, the
// account holds digits only and no more than the operator's count, the sum reads
// exactly, and the pay buttons are only usable for a complete number whose
// credited sum reaches the minimum.
#include "FuzzSupport.h"

#include "core/OperatorCatalogue.h"
#include "payments/PaymentEntry.h"
#include "platform/TextCodec.h"

namespace {

class Bytes {
public:
    Bytes(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    bool empty() const { return at_ >= size_; }
    int byte() { return at_ < size_ ? data_[at_++] : 0; }
    // A short text: a length byte, then that many bytes (cp1251).
    QString text() {
        const size_t n = size_t(byte() % 24);
        QByteArray b;
        for (size_t i = 0; i < n && !empty(); ++i)
            b += char(byte());
        return TextCodec::fromCp1251(b);
    }

private:
    const uint8_t* data_;
    size_t size_;
    size_t at_ = 0;
};

// Cells a label click may name, inside and outside the seventeen.
const int kCells[] = {0, 5, 16, 17, 40, -1, 2, 9};

bool allDigits(const QString& s) {
    for (const QChar c : s) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    Fuzz::init();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Bytes in(data, size);
    Locale::setDecimalSeparator(in.byte() % 2 ? QLatin1Char(',') : QLatin1Char('.'));

    OperatorProfile profile;
    profile.mask = in.text();
    profile.prefix = in.text();
    profile.digitCount = in.byte() % 20;
    profile.minSum = Decimal::read(in.text()).value_or(Decimal());
    profile.exchangeRate = parseDecimal(in.text());
    int lower = -1;
    for (CommissionTier& tier : profile.tiers) {
        tier.lower = lower;
        tier.upper = in.byte() * 97;
        tier.rate = parseDecimal(in.text());
        tier.kind = commissionKind(QString::number(in.byte() % 3));
        tier.description = in.byte() % 2 ? QStringLiteral("Тариф") : QStringLiteral("abc");
        lower = tier.upper;
    }
    profile.balanceQuery = in.byte() % 2;

    PaymentEntry entry;
    bool payAllowed = false;
    int paid = 0;
    QObject::connect(&entry, &PaymentEntry::payRequested, [&] {
        if (!payAllowed)
            Fuzz::fail("paid while the pay button was not usable");
        ++paid;
    });
    QObject::connect(&entry, &PaymentEntry::deferRequested, [&] {
        if (!payAllowed)
            Fuzz::fail("deferred while the pay button was not usable");
    });
    OperatorButton button;
    button.name = QStringLiteral("Оператор");
    button.article = QStringLiteral("1101");
    entry.open(QStringLiteral("Сотовая связь"), button, profile);
    entry.formShow();

    while (!in.empty()) {
        payAllowed = entry.payEnabled();
        switch (in.byte() % 14) {
        case 0:
            entry.accountEdited(in.text(), in.byte() - 64);
            break;
        case 1:
            entry.sumEdited(in.text());
            break;
        case 2:
            entry.accountConfirmed();
            break;
        case 3:
            if (in.byte() % 2)
                entry.accountCaretShown();
            else
                entry.accountLeftDown();
            break;
        case 4:
            if (in.byte() % 2)
                entry.sumConfirmed();
            else
                entry.sumLeftUp();
            break;
        case 5:
            if (in.byte() % 2)
                entry.accountCaretMoved(in.byte() - 64);
            else
                entry.sumCaretMoved(in.byte() - 64);
            break;
        case 6:
            entry.caretToCell(kCells[in.byte() % 8]);
            break;
        case 7:
            entry.focusAccount();
            break;
        case 8:
            entry.focusSum();
            break;
        case 9:
            entry.sumCaretMoved(in.byte() - 64);
            break;
        case 10:
            entry.payClicked();
            break;
        case 11:
            entry.deferClicked();
            break;
        case 12:
            entry.balanceClicked();
            break;
        default:
            entry.formShow();
            break;
        }

        const QString& typed = entry.typedAccount();
        if (!allDigits(typed))
            Fuzz::fail("the account holds something other than digits");
        if (profile.digitCount != 0 && typed.size() > profile.digitCount)
            Fuzz::fail("the account is longer than the operator's numbers");
        if (entry.accountCaret() < 0 || entry.accountCaret() > typed.size())
            Fuzz::fail("the account's caret is outside its text");
        if (entry.sumCaret() < 0 || entry.sumCaret() > entry.sumText().size())
            Fuzz::fail("the sum's caret is outside its text");
        if (entry.accountNumber() != profile.prefix + typed)
            Fuzz::fail("the account number is not prefix and digits");
        if (entry.caretCell() < -1 || entry.caretCell() >= PaymentEntry::CellCount)
            Fuzz::fail("the caret is on no cell");
        if (!entry.sumText().isEmpty() && !Decimal::read(entry.sumText()))
            Fuzz::fail("the sum field holds a sum that does not read");
        const qint64 credited = entry.commission().creditedCents;
        if (entry.creditedText() != Money::format(credited))
            Fuzz::fail("the credited sum shown is not the one computed");
        if (entry.payEnabled() &&
            (typed.size() != profile.digitCount || Decimal::fromCents(credited) < profile.minSum))
            Fuzz::fail("the pay button is usable for an incomplete number or too small a sum");
    }
    (void)paid;
    return 0;
}
