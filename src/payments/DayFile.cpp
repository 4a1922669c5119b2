#include "payments/DayFile.h"

#include "platform/FileIo.h"
#include "platform/TextCodec.h"

#include <charconv>
#include <limits>

namespace DayFile {

namespace {

// Texts holding a CR are stored on one line by swapping the line-break bytes
// for control bytes that cp1251 text never uses.
constexpr char kEscapedCr = '\x09';
constexpr char kEscapedLf = '\x08';
constexpr char kEscapedNul = '\x01';

void appendNumber(QByteArray& out, int value) {
    char buf[16];
    const auto res = std::to_chars(buf, buf + sizeof buf, value);
    out.append(buf, res.ptr - buf);
}

// A number as the file's readers have always taken it: blanks, an optional
// sign, then as many digits as stand there; no digits reads as 0.
int leadingInt(QByteArrayView text) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    qint64 v = 0;
    for (; i < n && text[i] >= '0' && text[i] <= '9'; ++i) {
        v = v * 10 + (text[i] - '0');
        if (v > std::numeric_limits<int>::max())
            return negative ? std::numeric_limits<int>::min() : std::numeric_limits<int>::max();
    }
    return int(negative ? -v : v);
}

QString cellText(QByteArrayView bytes) {
    if (!bytes.contains(kEscapedLf))
        return TextCodec::fromCp1251(bytes);
    QByteArray raw = bytes.toByteArray();
    raw.replace(kEscapedCr, '\r').replace(kEscapedLf, '\n').replace(kEscapedNul, '\0');
    // A cell holds a single line: the text ends at the first line break.
    qsizetype end = raw.size();
    for (qsizetype i = 0; i < raw.size(); ++i) {
        if (raw[i] == '\r' || raw[i] == '\n') {
            end = i;
            break;
        }
    }
    return TextCodec::fromCp1251(QByteArrayView(raw).first(end));
}

} // namespace

QByteArray encode(const Table& table) {
    QByteArray out;
    out.reserve(qsizetype(table.rows.size()) * 160 + 256);
    appendNumber(out, ColumnCount);
    out += ',';
    appendNumber(out, int(table.rows.size()));
    out += "\r\n";
    for (int c = 0; c < ColumnCount; ++c) {
        out += "cw ";
        appendNumber(out, c);
        out += ',';
        appendNumber(out, table.widths[size_t(c)]);
        out += "\r\n";
    }
    for (size_t r = 0; r < table.rows.size(); ++r) {
        for (int c = 0; c < ColumnCount; ++c) {
            const QString& text = table.rows[r][size_t(c)];
            if (text.isEmpty())
                continue;
            appendNumber(out, c);
            out += ',';
            appendNumber(out, int(r));
            out += ',';
            const qsizetype start = out.size();
            out += TextCodec::toCp1251(text);
            if (text.contains(QLatin1Char('\r'))) {
                char* p = out.data();
                for (qsizetype i = start; i < out.size(); ++i) {
                    if (p[i] == '\r')
                        p[i] = kEscapedCr;
                    else if (p[i] == '\n')
                        p[i] = kEscapedLf;
                    else if (p[i] == '\0')
                        p[i] = kEscapedNul;
                }
            }
            out += "\r\n";
        }
    }
    return out;
}

bool decode(const QByteArray& bytes, Table* table) {
    const QByteArrayList lines = FileIo::splitLines(bytes);

    int columns = ColumnCount;
    int rows = EmptyDayRows;
    if (!lines.isEmpty() && !lines.first().isEmpty()) {
        const QByteArray& counts = lines.first();
        const qsizetype comma = counts.indexOf(',');
        columns = comma < 0 ? 0 : leadingInt(QByteArrayView(counts).first(comma));
        rows = comma < 0 ? 0 : leadingInt(QByteArrayView(counts).sliced(comma + 1));
        if (columns <= 0 || rows < MinRows || rows > MaxRows)
            return false;
    }
    // Columns a file declares beyond the journal's own are read past; a file
    // declaring fewer keeps its cells within the ones it declares.
    const int usedColumns = qMin(columns, ColumnCount);

    std::vector<Table::Row> cells(static_cast<size_t>(rows));
    std::array<int, ColumnCount> widths = table->widths;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArrayView line(lines[i]);
        const qsizetype comma1 = line.indexOf(',');
        if (comma1 < 0)
            continue;
        if (line.startsWith("cw")) {
            const int column = comma1 > 3 ? leadingInt(line.sliced(3, comma1 - 3)) : 0;
            if (column < 0 || column >= usedColumns)
                continue;
            widths[size_t(column)] = qMax(0, leadingInt(line.sliced(comma1 + 1)));
            continue;
        }
        const qsizetype comma2 = line.indexOf(',', comma1 + 1);
        if (comma2 < 0)
            continue;
        const int column = leadingInt(line.first(comma1));
        const int row = leadingInt(line.sliced(comma1 + 1, comma2 - comma1 - 1));
        if (column < 0 || column >= usedColumns || row < 0 || row >= rows)
            continue;
        cells[size_t(row)][size_t(column)] = cellText(line.sliced(comma2 + 1));
    }

    table->rows = std::move(cells);
    table->widths = widths;
    return true;
}

} // namespace DayFile
