#include "reports/DayReconciliation.h"

#include "core/Session.h"
#include "link/Messages.h"
#include "link/Transmission.h"
#include "payments/DayJournal.h"
#include "payments/PaymentJournal.h"
#include "platform/Dialogs.h"
#include "platform/FileIo.h"
#include "platform/Money.h"
#include "reports/SpreadsheetExport.h"
#include "reports/StoredReport.h"

namespace {

using Reconciliation::cents;

qint64 sumOf(const QList<JournalRow>& rows) {
    qint64 total = 0;
    for (const JournalRow& r : rows) {
        qint64 v = 0;
        if (cents(r.credited, &v))
            total += v;
    }
    return total;
}

qint64 sumOf(const QList<Reconciliation::Movement>& movements) {
    qint64 total = 0;
    for (const Reconciliation::Movement& m : movements) {
        qint64 v = 0;
        if (cents(m.payment, &v))
            total += v;
    }
    return total;
}

} // namespace

DayReconciliation::DayReconciliation(const ServerFed& fed, DayJournal& days, Transmission& transmission,
                                     SpreadsheetExport& spreadsheet, QObject* parent)
    : QObject(parent), session_(fed.session), days_(days), transmission_(transmission),
      spreadsheet_(spreadsheet),
      file_(fed,
            RequestedFile::Setup{QLatin1Char('9'), QStringLiteral("Необходимо зарегистрироваться!"),
                                 [this] {
                                     return QStringList{Messages::dayStatement(
                                         session_.loginTerminal(), QString::number(day_.month()),
                                         QString::number(day_.day()), day_.toString(QStringLiteral("yy")))};
                                 },
                                 [this](const QString& path) { compare(path); }}) {
    connect(&file_, &RequestedFile::changed, this, &DayReconciliation::changed);
}

bool DayReconciliation::start() {
    day_ = days_.shownDay();
    compared_ = false;
    result_ = {};
    emit changed();
    return file_.request();
}

QList<JournalRow> DayReconciliation::journalRows() const {
    // The day asked for, also when the cashier has moved to another since.
    PaymentJournal other;
    const PaymentJournal* journal = &days_.table();
    if (days_.shownDay() != day_) {
        QByteArray bytes;
        if (!FileIo::readBytes(days_.dayFilePath(day_), &bytes) || !other.fromDayFile(bytes))
            return {};
        journal = &other;
    }
    QList<JournalRow> rows;
    for (int r = PaymentJournal::FirstDataRow; r < journal->totalsRow(); ++r)
        rows << journal->paymentRow(r);
    return rows;
}

void DayReconciliation::compare(const QString& path) {
    result_ = Reconciliation::compare(journalRows(), StoredReport::lines(path, QStringLiteral("Сверка")));
    compared_ = true;
    emit changed();
}

QStringList DayReconciliation::summary() const {
    const Reconciliation::Result& r = result_;
    QStringList lines;
    if (r.clean())
        lines << QStringLiteral("Расхождений нет");
    lines << QStringLiteral("Совпадают: %1").arg(r.matched);
    lines << QStringLiteral("Нет на сервере: %1 на сумму %2")
                 .arg(r.onlyInJournal.size())
                 .arg(Money::format(sumOf(r.onlyInJournal)));
    lines << QStringLiteral("Нет в журнале: %1 на сумму %2")
                 .arg(r.onlyOnServer.size())
                 .arg(Money::format(sumOf(r.onlyOnServer)));
    QList<JournalRow> differing;
    QList<Reconciliation::Movement> booked;
    for (const Reconciliation::SumDiffers& d : r.sumsDiffer) {
        differing << d.row;
        booked << d.movement;
    }
    lines << QStringLiteral("Суммы расходятся: %1 (в журнале %2, на сервере %3)")
                 .arg(r.sumsDiffer.size())
                 .arg(Money::format(sumOf(differing)), Money::format(sumOf(booked)));
    if (r.payIns > 0)
        lines << QStringLiteral("Пополнения депозита: %1").arg(r.payIns);
    return lines;
}

void DayReconciliation::sendMissing(int index) {
    if (index < 0 || index >= result_.onlyInJournal.size() || days_.shownDay() != day_)
        return;
    PaymentJournal& journal = days_.table();
    const int row = journal.rowOfTransaction(result_.onlyInJournal[index].transactionId);
    if (row < 0)
        return;
    journal.setCurrentRow(row);
    transmission_.sendSelected(journal.paymentRow(row));
}

QStringList DayReconciliation::exportLines(NumberCells* numbers) const {
    const auto line = [](const QStringList& cells) { return SpreadsheetExport::gridLine(cells); };
    QStringList lines;
    // Each section's sums, from the row below its captions to its last row.
    const auto sums = [&](const std::vector<int>& columns, int firstRow) {
        if (numbers && int(lines.size()) >= firstRow)
            numbers->add(columns, firstRow, int(lines.size()));
    };
    lines << QStringLiteral("Сверка с сервером за ") + day_.toString(QStringLiteral("dd.MM.yyyy"));
    lines << QString();
    for (const QString& s : summary())
        lines << s;
    lines << QString() << QStringLiteral("Нет на сервере");
    lines << line({QStringLiteral("Время выполнения"), QStringLiteral("Оператор"), QStringLiteral("Абонент"),
                   QStringLiteral("Зачислено"), QStringLiteral("Транзакция"), QStringLiteral("Примечание")});
    int first = int(lines.size()) + 1;
    for (const JournalRow& r : result_.onlyInJournal)
        lines << line({r.executedAt, r.operatorName, r.account, r.credited, r.transactionId, r.note});
    sums({4}, first);
    lines << QString() << QStringLiteral("Нет в журнале");
    lines << line({QStringLiteral("Штамп"), QStringLiteral("Дата"), QStringLiteral("Счет"),
                   QStringLiteral("Платеж"), QStringLiteral("Транзакция"), QStringLiteral("Примечание")});
    first = int(lines.size()) + 1;
    for (const Reconciliation::Movement& m : result_.onlyOnServer)
        lines << line({m.stamp, m.date, m.account, m.payment, m.transactionId, m.note});
    sums({4}, first);
    lines << QString() << QStringLiteral("Суммы расходятся");
    lines << line({QStringLiteral("Транзакция"), QStringLiteral("Абонент"), QStringLiteral("В журнале"),
                   QStringLiteral("На сервере")});
    first = int(lines.size()) + 1;
    for (const Reconciliation::SumDiffers& d : result_.sumsDiffer)
        lines << line({d.row.transactionId, d.row.account, d.row.credited, d.movement.payment});
    sums({3, 4}, first);
    return lines;
}

void DayReconciliation::report() {
    NumberCells numbers;
    const QStringList lines = exportLines(&numbers);
    spreadsheet_.exportToSpreadsheet(lines, 6, QStringLiteral("Сверка"), numbers);
}
