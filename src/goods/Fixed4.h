#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

// The goods figures (quantities, amounts, prices) as fixed-point numbers with
// four decimals, held as integers so that a price, a unit price or a total is
// exact and never passes through the C library's locale.
namespace Fixed4 {

constexpr qint64 One = 10000;

// A figure written with the locale's decimal separator: blanks around it, an
// optional sign, digits with at most one separator. Decimals past the fourth are
// rounded, halves away from zero. Nothing else is a number, nor a figure of a
// thousand billion or more.
std::optional<qint64> parse(const QString& text);
// The same, 0 for a text that is not a number.
qint64 valueOr0(const QString& text);

// Two decimals ("0.00" with the locale's separator) of a value in hundredths.
QString formatHundredths(qint64 hundredths);
// A four-decimal value rounded to two decimals, halves away from zero.
QString format2(qint64 value);

// A running total of four-decimal values; wide enough that no list of figures
// can overflow it.
class Total {
public:
    void add(qint64 value) { sum_ += value; }
    QString format2() const;

private:
    __int128 sum_ = 0;
};
// numerator / denominator (both four-decimal values) with two decimals; the
// denominator must not be 0.
QString quotient2(qint64 numerator, qint64 denominator);
// A whole quantity × a four-decimal price, with two decimals.
QString product2(qint64 quantity, qint64 price);

} // namespace Fixed4
