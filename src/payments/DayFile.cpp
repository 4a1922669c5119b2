#include "payments/DayFile.h"

#include "platform/TextCodec.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace DayFile {

namespace {

// A text holding a CR is kept on one line: its CR, LF and NUL are written as
// these bytes. The reader turns them back only in a line holding the LF's
// stand-in, so a tab in an ordinary text stays a tab.
constexpr char kEscapedCr = '\x09';
constexpr char kEscapedLf = '\x08';
constexpr char kEscapedNul = '\x01';

// Writes cp1251 straight into a buffer sized beforehand: a busy day has a
// hundred thousand cells, and a detour through a UTF-16 copy of the file costs
// more than the writing.
class Writer {
public:
    explicit Writer(qsizetype capacity)
        : bytes_(capacity, Qt::Uninitialized), at_(bytes_.data()), cp1251_(TextCodec::cp1251Bytes()) {}

    void number(int value) {
        char buf[16];
        const auto res = std::to_chars(buf, buf + sizeof buf, value);
        for (const char* p = buf; p != res.ptr; ++p)
            *at_++ = *p;
    }
    void ascii(const char* text) {
        while (*text)
            *at_++ = *text++;
    }
    void ascii(char c) { *at_++ = c; }
    // The text, with CR, LF and NUL swapped for their stand-ins when it holds a CR.
    void cell(const QString& text) {
        char* const start = at_;
        bool cr = false;
        for (const QChar c : text) {
            const char16_t u = c.unicode();
            char b = char(u);
            if (u >= 0x80) {
                b = cp1251_[u];
                if (b == 0)
                    b = '?';
            }
            cr |= u == u'\r';
            *at_++ = b;
        }
        if (!cr)
            return;
        for (char* p = start; p != at_; ++p) {
            if (*p == '\r')
                *p = kEscapedCr;
            else if (*p == '\n')
                *p = kEscapedLf;
            else if (*p == '\0')
                *p = kEscapedNul;
        }
    }
    QByteArray take() {
        bytes_.truncate(at_ - bytes_.constData());
        return std::move(bytes_);
    }

private:
    QByteArray bytes_;
    char* at_;
    const char* cp1251_;
};

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

// Lines ended by CR LF, LF or CR, as FileIo::splitLines has them, but walked in
// place: a busy day has a hundred thousand lines and copying each one costs more
// than reading it.
class LineReader {
public:
    explicit LineReader(QByteArrayView bytes) : at_(bytes.begin()), end_(bytes.end()) {}

    bool next(QByteArrayView* line) {
        if (at_ == end_)
            return false;
        const char* stop = at_;
        while (stop != end_ && *stop != '\r' && *stop != '\n')
            ++stop;
        *line = QByteArrayView(at_, stop);
        if (stop != end_ && *stop == '\r' && stop + 1 != end_ && stop[1] == '\n')
            ++stop;
        at_ = stop == end_ ? end_ : stop + 1;
        return true;
    }

private:
    const char* at_;
    const char* end_;
};

// Sets the cell to the cp1251 text, in the memory the cell already holds when
// that is enough: a day loaded over another allocates next to nothing.
void assignCp1251(QString& cell, QByteArrayView bytes) {
    if (!cell.isDetached() || cell.capacity() < bytes.size()) {
        cell = TextCodec::fromCp1251(bytes);
        return;
    }
    cell.resize(0); // keeps the memory
    TextCodec::appendCp1251(cell, bytes);
}

void setCellText(QString& cell, QByteArrayView bytes) {
    if (!bytes.contains(kEscapedLf)) {
        assignCp1251(cell, bytes);
        return;
    }
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
    assignCp1251(cell, QByteArrayView(raw).first(end));
}

// The counts of the first line; false when they are unusable. A missing or
// empty first line stands for an empty day.
bool readCounts(LineReader& lines, int* columns, int* rows) {
    QByteArrayView line;
    *columns = ColumnCount;
    *rows = EmptyDayRows;
    if (!lines.next(&line) || line.isEmpty())
        return true;
    const qsizetype comma = line.indexOf(',');
    *columns = comma < 0 ? 0 : leadingInt(line.first(comma));
    *rows = comma < 0 ? 0 : leadingInt(line.sliced(comma + 1));
    return *columns > 0 && *rows >= MinRows && *rows <= MaxRows;
}

} // namespace

QByteArray encode(const Table& table) {
    // Each line is at most its text and 24 more characters (two numbers, two
    // commas, CR LF), so the buffer is sized once.
    constexpr qsizetype kLineExtra = 24;
    qsizetype size = kLineExtra * (1 + ColumnCount);
    for (const Table::Row& row : table.rows)
        for (const QString& text : row)
            size += text.isEmpty() ? 0 : text.size() + kLineExtra;
    Writer out(size);
    out.number(ColumnCount);
    out.ascii(',');
    out.number(int(table.rows.size()));
    out.ascii("\r\n");
    for (int c = 0; c < ColumnCount; ++c) {
        out.ascii("cw ");
        out.number(c);
        out.ascii(',');
        out.number(table.widths[size_t(c)]);
        out.ascii("\r\n");
    }
    for (size_t r = 0; r < table.rows.size(); ++r) {
        // ",<row>," is the same for every cell of the row: formatted once.
        char rowText[16];
        rowText[0] = ',';
        char* rowEnd = std::to_chars(rowText + 1, rowText + sizeof rowText - 1, int(r)).ptr;
        *rowEnd++ = ',';
        *rowEnd = '\0';
        for (int c = 0; c < ColumnCount; ++c) {
            const QString& text = table.rows[r][size_t(c)];
            if (text.isEmpty())
                continue;
            if (c >= 10)
                out.ascii(char('0' + c / 10));
            out.ascii(char('0' + c % 10));
            out.ascii(rowText);
            out.cell(text);
            out.ascii("\r\n");
        }
    }
    return out.take();
}

bool readable(const QByteArray& bytes) {
    LineReader lines(bytes);
    int columns = 0;
    int rows = 0;
    return readCounts(lines, &columns, &rows);
}

bool decode(const QByteArray& bytes, Table* table) {
    LineReader lines(bytes);
    int columns = 0;
    int rows = 0;
    if (!readCounts(lines, &columns, &rows))
        return false;
    // Columns a file declares beyond the journal's own are read past; a file
    // declaring fewer keeps its cells within the ones it declares.
    const int usedColumns = qMin(columns, ColumnCount);

    // From here the table is the file's. Its cells are emptied but keep their
    // memory for the texts that follow.
    table->rows.resize(size_t(rows));
    for (Table::Row& row : table->rows) {
        for (QString& cell : row) {
            if (cell.isDetached())
                cell.resize(0);
            else
                cell = QString();
        }
    }
    QByteArrayView line;
    while (lines.next(&line)) {
        const qsizetype comma1 = line.indexOf(',');
        if (comma1 < 0)
            continue;
        if (line.startsWith("cw")) {
            const int column = comma1 > 3 ? leadingInt(line.sliced(3, comma1 - 3)) : 0;
            if (column < 0 || column >= usedColumns)
                continue;
            table->widths[size_t(column)] = qMax(0, leadingInt(line.sliced(comma1 + 1)));
            continue;
        }
        const qsizetype comma2 = line.indexOf(',', comma1 + 1);
        if (comma2 < 0)
            continue;
        const int column = leadingInt(line.first(comma1));
        const int row = leadingInt(line.sliced(comma1 + 1, comma2 - comma1 - 1));
        if (column < 0 || column >= usedColumns || row < 0 || row >= rows)
            continue;
        setCellText(table->rows[size_t(row)][size_t(column)], line.sliced(comma2 + 1));
    }
    return true;
}

} // namespace DayFile
