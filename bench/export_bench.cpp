// A busy day's journal (10 000 rows of 11 cells) through exportToSpreadsheet,
// progress window included (offscreen), beside libxlsxwriter writing the same
// cells straight from prepared UTF-8 texts: what the export adds over the writer.
#include "QuietDialogs.h"
#include "core/Environment.h"
#include "platform/Dialogs.h"
#include "platform/SpreadsheetWriter.h"
#include "platform/SystemClock.h"
#include "platform/XlsxSpreadsheetWriter.h"
#include "reports/SpreadsheetExport.h"
#include "ui/Procent.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <xlsxwriter.h>

#include <algorithm>
#include <optional>
#include <variant>
#include <vector>

namespace {

constexpr int kRows = 10000;
constexpr int kColumns = 11;
// "Зачислено" and "Получено" below the caption row, as the journal's export marks them.
const NumberCells kSums = NumberCells().add({4, 5}, 2);

// The journal as the journal's export hands it over: every cell followed by "##".
QStringList journalLines() {
    const QStringList operators = {QStringLiteral("Связь-Плюс"), QStringLiteral("Водоканал"),
                                   QStringLiteral("Интернет Дом"), QStringLiteral("Налоговая служба")};
    const QStringList notes = {QStringLiteral("Зачислено"), QStringLiteral("в процессе"),
                               QStringLiteral("отложено"), QStringLiteral("Ошибка")};
    QStringList lines;
    lines << SpreadsheetExport::gridLine({"", "", "", "Зачислено", "Получено", "", "", "", "", "", ""});
    for (int i = 0; i < kRows; ++i) {
        const QString sum = QStringLiteral("%1.%2").arg(10 + i % 490).arg(i % 100, 2, 10, QLatin1Char('0'));
        lines << SpreadsheetExport::gridLine(
            {QStringLiteral("09.12.26 %1:%2:%3")
                 .arg(8 + i / 3600 % 12, 2, 10, QLatin1Char('0'))
                 .arg(i / 60 % 60, 2, 10, QLatin1Char('0'))
                 .arg(i % 60, 2, 10, QLatin1Char('0')),
             operators[i % 4], QStringLiteral("92%1").arg(1000000 + i * 37, 7, 10, QLatin1Char('0')), sum,
             sum, QStringLiteral("101_2612091%1").arg(i, 5, 10, QLatin1Char('0')), notes[i % 4],
             QString::number(500 + i % 7), QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2")});
    }
    return lines;
}

void BM_ExportToSpreadsheet(benchmark::State& state) {
    const QStringList lines = journalLines();
    QTemporaryDir dir;
    QuietDialogs dialogs;
    StillClock clock;
    XlsxSpreadsheetWriter writer([](const QString&) { return true; });
    const Environment env(dir.path() + QLatin1Char('/'));
    SpreadsheetExport exporter(env, writer, dialogs, clock);
    TProgress progress(exporter);
    for (auto _ : state) {
        exporter.exportToSpreadsheet(lines, kColumns, QStringLiteral("Журнал"), kSums);
        state.PauseTiming();
        QDir(exporter.workbookFolder()).removeRecursively();
        state.ResumeTiming();
    }
    state.counters["cells"] = double(lines.size()) * kColumns;
}

// The same cells, typed and encoded beforehand, with the same formats and widths.
void BM_LibxlsxwriterDirect(benchmark::State& state) {
    const QStringList lines = journalLines();
    using Cell = std::variant<QByteArray, double>;
    std::vector<std::vector<Cell>> rows;
    std::vector<int> widths(kColumns, 0);
    for (const QString& line : lines) {
        std::vector<Cell> row;
        const int rowNumber = int(rows.size()) + 1;
        for (const QString& text : SpreadsheetExport::cells(line, kColumns)) {
            const int column = int(row.size()) + 1;
            const std::optional<SpreadsheetExport::Number> figure =
                kSums.contains(rowNumber, column) ? SpreadsheetExport::number(text) : std::nullopt;
            if (figure)
                row.emplace_back(figure->value);
            else
                row.emplace_back(text.toUtf8());
            int& w = widths[row.size() - 1];
            w = std::max(w, int(text.size()));
        }
        rows.push_back(std::move(row));
    }
    QTemporaryDir dir;
    const QByteArray path = QFile::encodeName(dir.filePath(QStringLiteral("direct.xlsx")));
    for (auto _ : state) {
        lxw_workbook* book = workbook_new(path.constData());
        lxw_worksheet* sheet = workbook_add_worksheet(book, nullptr);
        lxw_format* bold = workbook_add_format(book);
        format_set_bold(bold);
        lxw_format* sum = workbook_add_format(book);
        format_set_num_format_index(sum, 2);
        lxw_format* boldSum = workbook_add_format(book);
        format_set_bold(boldSum);
        format_set_num_format_index(boldSum, 2);
        for (size_t r = 0; r < rows.size(); ++r) {
            for (size_t c = 0; c < rows[r].size(); ++c) {
                if (const double* v = std::get_if<double>(&rows[r][c]))
                    worksheet_write_number(sheet, lxw_row_t(r), lxw_col_t(c), *v, r == 0 ? boldSum : sum);
                else
                    worksheet_write_string(sheet, lxw_row_t(r), lxw_col_t(c),
                                           std::get<QByteArray>(rows[r][c]).constData(),
                                           r == 0 ? bold : nullptr);
            }
        }
        for (int c = 0; c < kColumns; ++c)
            if (widths[size_t(c)] > 0)
                worksheet_set_column(sheet, lxw_col_t(c), lxw_col_t(c),
                                     std::clamp(widths[size_t(c)] + 2, 6, 80), nullptr);
        if (workbook_close(book) != LXW_NO_ERROR)
            state.SkipWithError("workbook_close failed");
    }
    state.counters["cells"] = double(lines.size()) * kColumns;
}

BENCHMARK(BM_ExportToSpreadsheet)->Unit(benchmark::kMillisecond)->MinTime(3.0);
BENCHMARK(BM_LibxlsxwriterDirect)->Unit(benchmark::kMillisecond)->MinTime(3.0);

} // namespace

int main(int argc, char** argv) {
    // The progress window needs an application object; no screen is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
