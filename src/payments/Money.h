#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

// A decimal number held exactly, units × 10^-scale. Sums, rates and minimums
// are read into it, so a sum typed by the cashier is never rounded by binary
// floating point on its way to the credited sum.
class Decimal {
public:
    // Up to this many significant digits and this many decimals: every sum a
    // payment point meets, and room for products without overflow.
    static constexpr int MaxDigits = 15;
    static constexpr int MaxScale = 15;

    Decimal() = default;

    // Text written with the locale's decimal separator, as Locale::toDouble reads
    // it (blanks around, a sign, an exponent). Nothing when it does not read or
    // does not fit the digits above.
    static std::optional<Decimal> read(const QString& text);
    static Decimal fromInt(qint64 value) { return Decimal(value, 0); }
    static Decimal fromCents(qint64 cents) { return Decimal(cents, 2); }

    qint64 units() const { return units_; }
    int scale() const { return scale_; }
    bool isZero() const { return units_ == 0; }
    bool isNegative() const { return units_ < 0; }
    Decimal abs() const { return Decimal(units_ < 0 ? -units_ : units_, scale_); }
    double toDouble() const;

    // -1, 0 or 1 as a is below, equal to or above b.
    static int compare(const Decimal& a, const Decimal& b);
    friend bool operator==(const Decimal& a, const Decimal& b) { return compare(a, b) == 0; }
    friend bool operator!=(const Decimal& a, const Decimal& b) { return compare(a, b) != 0; }
    friend bool operator<(const Decimal& a, const Decimal& b) { return compare(a, b) < 0; }
    friend bool operator<=(const Decimal& a, const Decimal& b) { return compare(a, b) <= 0; }

private:
    Decimal(qint64 units, int scale) : units_(units), scale_(scale) {}

    qint64 units_ = 0;
    int scale_ = 0;
};

// Sums in whole hundredths. Each operation forms its result exactly and rounds
// it once, halves away from zero, as the pattern "0.00" does; a result beyond
// the range of qint64 stops at its end.
namespace Money {

qint64 toCents(const Decimal& value);
// value less `rate` per cent of it.
qint64 lessPercentage(const Decimal& value, const Decimal& rate);
// value less a fixed amount.
qint64 lessAmount(const Decimal& value, const Decimal& amount);
// cents divided by a divisor other than zero.
qint64 divide(qint64 cents, const Decimal& divisor);
// Two decimals with the locale's separator: "-98.51", "0.00".
QString format(qint64 cents);

} // namespace Money
