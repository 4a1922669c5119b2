#include "platform/SpreadsheetWriter.h"

#include "platform/Money.h"

namespace {

// 13 integer digits and two decimals stay exact in a double and in the
// spreadsheet's 15 significant digits.
constexpr qsizetype kMaxIntegerDigits = 13;

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// The form the program writes its sums in: an optional "-", digits without a
// leading zero but the single one, "." or ",", exactly two decimals.
bool writtenAsSum(QStringView text) {
    const qsizetype n = text.size();
    qsizetype i = n > 0 && text[0] == u'-' ? 1 : 0;
    const qsizetype integerStart = i;
    while (i < n && isDigit(text[i]))
        ++i;
    const qsizetype integerDigits = i - integerStart;
    if (integerDigits == 0 || integerDigits > kMaxIntegerDigits)
        return false;
    if (integerDigits > 1 && text[integerStart] == u'0')
        return false;
    return n - i == 3 && (text[i] == u'.' || text[i] == u',') && isDigit(text[i + 1]) && isDigit(text[i + 2]);
}

} // namespace

bool SpreadsheetWriter::sumValue(QStringView text, double* value) {
    if (!writtenAsSum(text))
        return false;
    const std::optional<Decimal> sum = Decimal::read(text, Decimal::Form::Figure);
    if (!sum)
        return false;
    // The sign as written, so "-0.00" stays the negative zero it always was.
    const double magnitude = sum->abs().toDouble();
    *value = text[0] == u'-' ? -magnitude : magnitude;
    return true;
}
