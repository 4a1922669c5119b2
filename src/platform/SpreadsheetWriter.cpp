#include "platform/SpreadsheetWriter.h"

#include <charconv>

namespace {
// 13 integer digits and two decimals stay exact in a double and in the
// spreadsheet's 15 significant digits.
constexpr int kMaxIntegerDigits = 13;
} // namespace

bool SpreadsheetWriter::sumValue(QStringView text, double* value) {
    const qsizetype n = text.size();
    qsizetype i = 0;
    const bool negative = n > 0 && text[0] == u'-';
    if (negative)
        ++i;
    const qsizetype integerStart = i;
    while (i < n && text[i] >= u'0' && text[i] <= u'9')
        ++i;
    const qsizetype integerDigits = i - integerStart;
    if (integerDigits == 0 || integerDigits > kMaxIntegerDigits)
        return false;
    if (integerDigits > 1 && text[integerStart] == u'0')
        return false;
    if (n - i != 3 || (text[i] != u'.' && text[i] != u','))
        return false;
    for (qsizetype d = i + 1; d < n; ++d)
        if (text[d] < u'0' || text[d] > u'9')
            return false;

    char ascii[kMaxIntegerDigits + 5];
    qsizetype out = 0;
    for (qsizetype c = 0; c < n; ++c)
        ascii[out++] = c == i ? '.' : char(text[c].unicode());
    double v = 0;
    const auto result = std::from_chars(ascii, ascii + out, v);
    if (result.ec != std::errc())
        return false;
    *value = v;
    return true;
}
