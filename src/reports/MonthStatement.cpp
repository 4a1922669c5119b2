#include "reports/MonthStatement.h"

#include "core/FieldLine.h"
#include "core/Session.h"
#include "link/Messages.h"
#include "platform/Convert.h"
#include "platform/Money.h"
#include "reports/SpreadsheetExport.h"
#include "reports/StoredReport.h"
#include "reports/YearStatistics.h"

namespace {
const QString kZero = QStringLiteral("0.00");
const QStringList kHeader = {QStringLiteral("Дата"), QStringLiteral("Приход"), QStringLiteral("Расход"),
                             QStringLiteral("Остаток"), QStringLiteral("График")};
} // namespace

MonthStatement::MonthStatement(const ServerFed& fed, YearStatistics& year, SpreadsheetExport& spreadsheet,
                               QObject* parent)
    : QObject(parent), session_(fed.session), year_(year), spreadsheet_(spreadsheet),
      file_(fed,
            RequestedFile::Setup{QLatin1Char('8'), QStringLiteral("Необходимо зарегистрироваться!"),
                                 [this] {
                                     // The year is the one the statistics page holds now.
                                     return QStringList{Messages::monthStatement(
                                         session_.loginTerminal(), monthNumber_, year_.twoDigitYear())};
                                 },
                                 [this](const QString& path) { load(path); }}),
      table_(ColumnCount, 2) {
    table_.setRow(0, kHeader);
    connect(&file_, &RequestedFile::changed, this, &MonthStatement::changed);
}

int MonthStatement::barPercent(int row) const {
    if (row < 1)
        return 0;
    return YearStatistics::barPercent(cell(row, 1), monthMaximum_);
}

QString MonthStatement::monthFromFileName(const QString& path) {
    return StoredReport::nameField(path, 1, QLatin1Char('#'));
}

void MonthStatement::open(int month, const QString& name) {
    monthNumber_ = QString::number(month);
    monthName_ = name;
    opening_ = income_ = expense_ = closing_ = kZero;
    emit changed();
    refresh();
}

void MonthStatement::refresh() {
    if (!file_.request())
        year_.setDetailsEnabled(true); // the page's "Подробно" comes back at once
}

void MonthStatement::load(const QString& path) {
    monthNumber_ = monthFromFileName(path);
    int month = 0;
    if (!Convert::tryStrToInt(monthNumber_, &month) || month < 1 || month >= YearStatistics::RowCount)
        month = 0;
    monthName_ = year_.cell(month, 0);
    emit changed();
    const QStringList lines = StoredReport::lines(path, QStringLiteral("выписка за месяц"));

    const qsizetype n = lines.size();
    opening_ = FieldLine::fields(lines[0], 2)[1];

    float maximum = 0;
    for (qsizetype i = 1; i < n - 1; ++i) {
        const std::optional<Decimal> income =
            Decimal::read(FieldLine::field(lines[i], 1), Decimal::Form::Figure);
        if (income && Money::asSinglePrecision(*income) > maximum)
            maximum = Money::asSinglePrecision(*income);
    }
    monthMaximum_ = maximum;

    // Rows a load does not write keep their text.
    table_.resize(int(n >= 4 ? n - 1 : 2));
    for (qsizetype i = 1; i < n - 1; ++i) {
        const QStringList f = FieldLine::fields(lines[i]);
        for (qsizetype k = 0; k < f.size() && k < ColumnCount; ++k)
            table_.setCell(int(i), int(k), k == 0 ? f[k] : FieldLine::decimal(f[k]));
    }
    const QStringList totals = FieldLine::fields(lines[n - 1], 4);
    income_ = totals[1];
    expense_ = totals[2];
    closing_ = totals[3];
    if (selectedRow_ >= rowCount())
        selectedRow_ = rowCount() - 1;
    emit changed();
    emit shown();
}

void MonthStatement::setSelectedRow(int row) {
    if (row < 1 || row >= rowCount() || row == selectedRow_)
        return;
    selectedRow_ = row;
    emit changed();
}

void MonthStatement::setDetailsEnabled(bool enabled) {
    if (detailsEnabled_ == enabled)
        return;
    detailsEnabled_ = enabled;
    emit changed();
}

void MonthStatement::details() {
    setDetailsEnabled(false);
    emit dayChosen(cell(selectedRow_, 0));
}

void MonthStatement::formActivate() {
    year_.setDetailsEnabled(true);
}

void MonthStatement::report() {
    // Приход, Расход and Остаток of every day, below the caption row.
    spreadsheet_.exportToSpreadsheet(table_.gridLines(), ColumnCount, QStringLiteral("Платежи по дням ") + monthName_,
                                     NumberCells().add({2, 3, 4}, 2));
}
