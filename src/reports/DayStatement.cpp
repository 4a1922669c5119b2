#include "reports/DayStatement.h"

#include "core/FieldLine.h"
#include "core/Session.h"
#include "link/Messages.h"
#include "platform/Money.h"
#include "reports/MonthStatement.h"
#include "reports/SpreadsheetExport.h"
#include "reports/StoredReport.h"
#include "reports/YearStatistics.h"

namespace {
const QString kZero = QStringLiteral("0.00");
const QStringList kHeader = {QStringLiteral("Штамп"),      QStringLiteral("Дата"),
                             QStringLiteral("Счет"),       QStringLiteral("Платеж"),
                             QStringLiteral("Оплата"),     QStringLiteral("Остаток"),
                             QStringLiteral("Транзакция"), QStringLiteral("Примечание")};
enum Column { Payment = 3, PayIn = 4, Balance = 5, Transaction = 6, Note = 7 };
} // namespace

DayStatement::DayStatement(const ServerFed& fed, YearStatistics& year, MonthStatement& month,
                           SpreadsheetExport& spreadsheet, QObject* parent)
    : QObject(parent), session_(fed.session), month_(month), spreadsheet_(spreadsheet),
      file_(fed,
            RequestedFile::Setup{QLatin1Char('9'), QStringLiteral("Необходимо зарегистрироваться!"),
                                 [this, &year] {
                                     return QStringList{
                                         Messages::dayStatement(session_.loginTerminal(), month_.monthNumber(),
                                                                day_.trimmed(), year.twoDigitYear())};
                                 },
                                 [this](const QString& path) { load(path); }}),
      table_(ColumnCount, 2) {
    table_.setRow(0, kHeader);
    connect(&file_, &RequestedFile::changed, this, &DayStatement::changed);
}

QString DayStatement::dayFromFileName(const QString& path) {
    return StoredReport::nameField(path, 2, QLatin1Char('.'));
}

void DayStatement::open(const QString& date) {
    const qsizetype dot = date.indexOf(QLatin1Char('.'));
    day_ = dot < 0 ? QStringLiteral("-") : date.left(dot);
    monthName_ = date; // until the loader puts the month's name here
    payments_ = payIns_ = closing_ = kZero;
    emit changed();
    refresh();
}

void DayStatement::refresh() {
    if (!file_.request())
        month_.setDetailsEnabled(true); // the monthly "Подробно" comes back at once
}

void DayStatement::load(const QString& path) {
    day_ = dayFromFileName(path);
    monthName_ = month_.monthName();
    emit changed();
    const QStringList lines = StoredReport::lines(path, QStringLiteral("выписка за день"));

    const qsizetype n = lines.size();
    caption_ = lines[0];
    caption_.remove(QLatin1Char('#'));
    table_.resize(int(n >= 3 ? n : 2));
    table_.clearRow(1);

    float payments = 0;
    float payIns = 0;
    Decimal closing;
    for (qsizetype i = 1; i < n; ++i) {
        const int row = int(i);
        const QStringList fields = FieldLine::fields(lines[i]);
        int column = 0;
        for (QString field : fields) {
            if (column >= ColumnCount)
                break;
            if (column == Payment || column == PayIn || column == Balance) {
                const Decimal value = Decimal::readOr0(field, Decimal::Form::Figure);
                field = FieldLine::decimal(field);
                if (column == Payment)
                    payments += Money::asSinglePrecision(value);
                else if (column == PayIn)
                    payIns += Money::asSinglePrecision(value);
                else
                    closing = value; // a balance, not a sum: exact
            }
            // "transaction*note": both shown marked, and nothing after them.
            if (column == Transaction && field.contains(QLatin1Char('*'))) {
                const qsizetype star = field.indexOf(QLatin1Char('*'));
                table_.setCell(row, Transaction, QLatin1Char('_') + field.left(star));
                table_.setCell(row, Note, QLatin1Char('_') + field.mid(star + 1));
                break;
            }
            table_.setCell(row, column++, field);
        }
    }
    payments_ = Money::format(Money::singlePrecisionCents(payments));
    payIns_ = Money::format(Money::singlePrecisionCents(payIns));
    closing_ = Money::format(Money::toCents(closing));
    emit changed();
    emit shown();
}

void DayStatement::formActivate() {
    month_.setDetailsEnabled(true);
}

void DayStatement::report() {
    spreadsheet_.exportToSpreadsheet(table_.gridLines(), ColumnCount,
                                     QStringLiteral("Платежи за день ") + day_ + QLatin1Char(' ') +
                                         monthName_,
                                     // Платеж, Оплата and Остаток below the caption row.
                                     NumberCells().add({4, 5, 6}, 2));
}
