#pragma once

#include <QString>
#include <QStringView>
#include <QtGlobal>

#include <optional>

// A decimal number held exactly, units × 10^-scale: every sum, tariff, goods
// figure and statement figure the terminal reads. A text becomes a Decimal once,
// where it comes in, by the form it is written in; what is computed from it is
// rounded once, to hundredths, by the operations of Money below.
class Decimal {
public:
    // Up to this many significant digits and this many decimals: every sum a
    // payment point meets, and room for products without overflow.
    static constexpr int MaxDigits = 15;
    static constexpr int MaxScale = 15;

    // How a number is written, by where it comes from.
    enum class Form {
        // The sum the cashier types, a minimum in operator.ini: the locale's
        // separator only; blanks around it, a sign and an exponent allowed; no
        // group separators. Beyond MaxDigits or MaxScale it does not read.
        Typed,
        // The figures of the day file, the server's files and the tariffs, written
        // with "." or ",": either mark (or the locale's own separator) once, and
        // otherwise as Typed.
        Figure,
        // Goods quantities, amounts and prices, with the locale's separator:
        // spaces or tabs around, a sign, digits with one separator, no exponent,
        // a whole part below a thousand billion; decimals past the fourth are
        // rounded, halves away from zero.
        Goods,
    };

    Decimal() = default;

    // Nothing when the text is not a number of its form.
    static std::optional<Decimal> read(QStringView text, Form form = Form::Typed);
    // The same, 0 for a text that is not a number.
    static Decimal readOr0(QStringView text, Form form) { return read(text, form).value_or(Decimal()); }
    static Decimal fromInt(qint64 value) { return Decimal(value, 0); }
    static Decimal fromCents(qint64 cents) { return Decimal(cents, 2).normalized(); }

    qint64 units() const { return units_; }
    // Decimals without trailing zeros: 12.50 has scale 1, 100 scale 0.
    int scale() const { return scale_; }
    bool isZero() const { return units_ == 0; }
    bool isNegative() const { return units_ < 0; }
    Decimal abs() const { return Decimal(units_ < 0 ? -units_ : units_, scale_); }
    // Where a double is wanted (a spreadsheet file stores its numbers so):
    // correctly rounded for every value of up to MaxDigits digits.
    double toDouble() const;

    // -1, 0 or 1 as a is below, equal to or above b.
    static int compare(const Decimal& a, const Decimal& b);
    friend bool operator==(const Decimal& a, const Decimal& b) { return compare(a, b) == 0; }
    friend bool operator!=(const Decimal& a, const Decimal& b) { return compare(a, b) != 0; }
    friend bool operator<(const Decimal& a, const Decimal& b) { return compare(a, b) < 0; }
    friend bool operator<=(const Decimal& a, const Decimal& b) { return compare(a, b) <= 0; }

private:
    Decimal(qint64 units, int scale) : units_(units), scale_(scale) {}
    Decimal normalized() const;

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
// value divided by a divisor other than zero.
qint64 divide(const Decimal& value, const Decimal& divisor);
inline qint64 divide(qint64 cents, const Decimal& divisor) {
    return divide(Decimal::fromCents(cents), divisor);
}
// value times a whole number.
qint64 times(const Decimal& value, int factor);
// Two decimals with the locale's separator: "-98.51", "0.00".
QString format(qint64 cents);

// The exact sum of any number of values.
class Total {
public:
    void add(const Decimal& value);
    qint64 cents() const;

private:
    __int128 units_ = 0; // × 10^-MaxScale
};

// Old statement files and their bars were made with single precision: the
// statistics' year maximum, the month maximum and the day statement's running
// totals are still held so, and only they.
float asSinglePrecision(const Decimal& value);
// Hundredths of such a single-precision figure, halves away from zero.
qint64 singlePrecisionCents(float value);

} // namespace Money
