#include "reports/YearStatistics.h"

#include "core/Environment.h"
#include "core/FieldLine.h"
#include "core/Session.h"
#include "link/AccountSession.h"
#include "link/Messages.h"
#include "platform/Dialogs.h"
#include "platform/FileIo.h"
#include "platform/Money.h"
#include "platform/SystemClock.h"
#include "reports/SpreadsheetExport.h"
#include "reports/StoredReport.h"

#include <algorithm>

YearStatistics::YearStatistics(const ServerFed& fed, const AccountSession& account,
                               SpreadsheetExport& spreadsheet, SystemClock& clock, QObject* parent)
    : QObject(parent), env_(fed.env), session_(fed.session), dialogs_(fed.dialogs), clock_(clock),
      spreadsheet_(spreadsheet),
      file_(fed,
            RequestedFile::Setup{QLatin1Char('6'), QStringLiteral("Необходимо зарегестрироваться!"),
                                 [this, &account] {
                                     return Messages::yearStatistics(session_.loginTerminal(), twoDigitYear(),
                                                                     account.typedLogin());
                                 },
                                 [this](const QString& path) { load(path); }}),
      table_(ColumnCount, RowCount) {
    connect(&file_, &RequestedFile::changed, this, &YearStatistics::changed);
    offerYears();
    if (!yearItems_.isEmpty())
        yearText_ = yearItems_.front();
}

void YearStatistics::offerYears() {
    const int year = clock_.now().date().year();
    yearItems_ = {QString::number(year), QString::number(year - 1), QString::number(year - 2)};
}

void YearStatistics::setMonthNames(const QStringList& names) {
    for (int row = 0; row < RowCount; ++row)
        table_.setCell(row, 0, names.value(row));
    emit changed();
}

int YearStatistics::barPercent(const QString& figure, float maximum) {
    const std::optional<Decimal> value = Decimal::read(figure, Decimal::Form::Figure);
    if (!value || !(maximum > 0))
        return 0;
    // Both in single precision: the best month itself comes out at exactly 100.
    const float p = Money::asSinglePrecision(*value) / maximum * 100.0f;
    return int(std::clamp(p, 0.0f, 100.0f));
}

int YearStatistics::barPercent(int row) const {
    if (row < 1)
        return 0;
    return barPercent(cell(row, 1), yearMaximum_);
}

void YearStatistics::setYearText(const QString& text) {
    if (yearText_ == text)
        return;
    yearText_ = text;
    emit changed();
}

QString YearStatistics::yearFilePath(const QString& twoDigitYear) const {
    return env_.storedFilePath(QLatin1Char('6') + session_.loginTerminal() + QLatin1Char('#') + twoDigitYear);
}

void YearStatistics::show() {
    offerYears();
    // Only this year and the last can still change; older stored years are kept
    // but not preferred.
    for (int i = 0; i < std::min<qsizetype>(2, yearItems_.size()); ++i) {
        const QString year = yearItems_[i];
        const QString path = yearFilePath(year.mid(2, 2));
        if (FileIo::exists(path)) {
            yearText_ = year;
            load(path);
            return;
        }
    }
    if (!session_.registered()) {
        dialogs_.message(QStringLiteral("Вам необходимо зарегестрироваться!"));
        emit changed();
        return;
    }
    refresh();
}

void YearStatistics::refresh() {
    if (!session_.registered()) {
        file_.request(); // the refusal
        return;
    }
    gridVisible_ = false;
    file_.request();
}

void YearStatistics::load(const QString& path) {
    const QStringList lines = StoredReport::lines(path, QStringLiteral("статистика за год"));

    float maximum = 0;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const std::optional<Decimal> value =
            Decimal::read(FieldLine::field(lines[i], 0), Decimal::Form::Figure);
        if (value && Money::asSinglePrecision(*value) > maximum)
            maximum = Money::asSinglePrecision(*value);
    }
    yearMaximum_ = maximum;

    // Rows without a line keep what they showed.
    for (qsizetype k = 1; k < lines.size() && k < RowCount; ++k) {
        const QStringList f = FieldLine::fields(lines[k], 3);
        QString first = f[0];
        const qsizetype dot = first.indexOf(QLatin1Char('.'));
        if (dot >= 0)
            first[dot] = QLatin1Char(',');
        table_.setCell(int(k), 1, first);
        table_.setCell(int(k), 2, FieldLine::decimal(f[1]));
        table_.setCell(int(k), 3, FieldLine::decimal(f[2]));
    }
    gridVisible_ = true;
    emit changed();
}

void YearStatistics::setSelectedRow(int row) {
    if (row < 1 || row >= RowCount || row == selectedRow_)
        return;
    selectedRow_ = row;
    emit changed();
}

void YearStatistics::setDetailsEnabled(bool enabled) {
    if (detailsEnabled_ == enabled)
        return;
    detailsEnabled_ = enabled;
    emit changed();
}

void YearStatistics::details() {
    setDetailsEnabled(false);
    emit monthChosen(selectedRow_, cell(selectedRow_, 0));
}

void YearStatistics::report() {
    // The sum and the counts of every month, below the caption row.
    spreadsheet_.exportToSpreadsheet(table_.gridLines(), ColumnCount, QStringLiteral("Статистика ") + yearText_,
                                     NumberCells().add({2, 3, 4}, 2));
}
