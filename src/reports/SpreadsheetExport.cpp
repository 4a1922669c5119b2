#include "reports/SpreadsheetExport.h"

#include "core/Environment.h"
#include "platform/AppError.h"
#include "platform/Dialogs.h"
#include "platform/FileIo.h"
#include "platform/Money.h"
#include "platform/SpreadsheetWriter.h"
#include "platform/SystemClock.h"

#include <QDir>

namespace {

const QString kDone = QStringLiteral("Загрузка успешно окончена!");
const QString kSeparator = QStringLiteral("##");

// Calls cell(column, text) for the cells of one line, column counted from 1.
template <typename Cell> void forEachCell(QStringView line, int columnLimit, Cell&& cell) {
    QStringView rest = line;
    for (int column = 1; column <= columnLimit; ++column) {
        const qsizetype cut = rest.indexOf(kSeparator);
        if (cut < 0) {
            cell(column, rest);
            return;
        }
        cell(column, rest.left(cut));
        rest = rest.mid(cut + 2);
    }
}

// Up to 13 integer digits and four decimals (what a goods figure carries), and
// no more than the 15 significant digits a spreadsheet holds exactly: reading
// the figure refuses more.
constexpr qsizetype kMaxIntegerDigits = 13;
constexpr qsizetype kMaxDecimals = 4;

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// A table's name as part of a file name: no path separators nor characters
// other systems refuse in names.
QString fileNamePart(const QString& text) {
    QString out = text.trimmed();
    for (QChar& c : out)
        if (c.unicode() < 0x20 || QStringLiteral("/\\:*?\"<>|").contains(c))
            c = QLatin1Char('_');
    return out.isEmpty() ? QStringLiteral("Таблица") : out;
}

} // namespace

NumberCells& NumberCells::add(const std::vector<int>& columns, int firstRow, int lastRow) {
    blocks_.push_back(Block{columns, firstRow, lastRow});
    return *this;
}

bool NumberCells::contains(int row, int column) const {
    for (const Block& b : blocks_) {
        if (row < b.firstRow || (b.lastRow > 0 && row > b.lastRow))
            continue;
        for (const int c : b.columns)
            if (c == column)
                return true;
    }
    return false;
}

std::optional<SpreadsheetExport::Number> SpreadsheetExport::number(QStringView text) {
    const qsizetype n = text.size();
    qsizetype i = n > 0 && text[0] == u'-' ? 1 : 0;
    const qsizetype integerStart = i;
    while (i < n && isDigit(text[i]))
        ++i;
    const qsizetype integerDigits = i - integerStart;
    if (integerDigits == 0 || integerDigits > kMaxIntegerDigits)
        return std::nullopt;
    int decimals = 0;
    if (i < n) {
        if (text[i] != u'.' && text[i] != u',')
            return std::nullopt;
        const qsizetype fraction = ++i;
        while (i < n && isDigit(text[i]))
            ++i;
        decimals = int(i - fraction);
        if (i != n || decimals == 0 || decimals > kMaxDecimals)
            return std::nullopt;
    }
    const std::optional<Decimal> value = Decimal::read(text, Decimal::Form::Figure);
    if (!value)
        return std::nullopt;
    // The sign as written, so "-0.00" stays the negative zero it always was.
    const double magnitude = value->abs().toDouble();
    return Number{text[0] == u'-' ? -magnitude : magnitude, decimals};
}

SpreadsheetExport::SpreadsheetExport(const Environment& env, SpreadsheetWriter& writer, Dialogs& dialogs,
                                     SystemClock& clock, QObject* parent)
    : QObject(parent), env_(env), writer_(writer), dialogs_(dialogs), clock_(clock) {}

QString SpreadsheetExport::gridLine(const QStringList& cells) {
    QString line;
    for (const QString& c : cells)
        line += c + kSeparator;
    return line;
}

QStringList SpreadsheetExport::cells(const QString& line, int columnLimit) {
    QStringList out;
    forEachCell(line, columnLimit, [&out](int, QStringView text) { out << text.toString(); });
    return out;
}

QString SpreadsheetExport::workbookFolder() const {
    return env_.workbookFolder();
}

QString SpreadsheetExport::workbookPath(const QString& tableName) const {
    const QDateTime now = clock_.now();
    // No ":" in the time: the name must also be valid where the files get copied to.
    const QString stem = workbookFolder() + fileNamePart(tableName) + QLatin1Char(' ') +
                         now.toString(QStringLiteral("yyyy-MM-dd HH-mm-ss"));
    QString path = stem + QStringLiteral(".xlsx");
    for (int n = 2; FileIo::exists(path); ++n)
        path = stem + QStringLiteral(" (%1).xlsx").arg(n);
    return path;
}

void SpreadsheetExport::setProgressVisible(bool visible) {
    if (progressVisible_ == visible)
        return;
    progressVisible_ = visible;
    emit progressVisibleChanged(visible);
}

void SpreadsheetExport::exportToSpreadsheet(const QStringList& lines, int columnLimit,
                                            const QString& tableName, const NumberCells& numbers) {
    SpreadsheetWriter* writer = &writer_;
    // A failure here ends the export before anything is shown.
    writer->create();

    // Each export starts its gauge from zero.
    gauge_.setProgress(0);
    gauge_.setMaximum(int(lines.size()));
    setProgressVisible(true);

    const QString path = workbookPath(tableName);
    bool open = false;
    bool opened = false;
    try {
        writer->openWorkbook(path);
        open = true;
        for (qsizetype i = 0; i < lines.size(); ++i) {
            gauge_.addProgress(1);
            const int row = int(i + 1);
            forEachCell(lines[i], columnLimit, [writer, row, &numbers](int column, QStringView text) {
                if (numbers.contains(row, column)) {
                    if (const std::optional<Number> figure = number(text)) {
                        writer->writeNumber(row, column, figure->value, figure->decimals, text);
                        return;
                    }
                }
                writer->writeText(row, column, text);
            });
        }
        open = false;
        opened = writer->end();
    } catch (...) {
        // The rows written so far are kept, as a workbook left open would keep them.
        bool kept = false;
        if (open) {
            try {
                opened = writer->end();
                kept = true;
            } catch (const AppError&) {
                // The first failure is the one reported.
            }
        }
        setProgressVisible(false);
        if (kept)
            emit saved(path, opened);
        throw;
    }
    setProgressVisible(false);
    emit saved(path, opened);
    if (opened)
        dialogs_.message(kDone);
    else
        dialogs_.message(
            kDone + QStringLiteral("\nПрограмма для таблиц не открылась; книга сохранена в файле\n") +
            QDir::toNativeSeparators(path));
}
