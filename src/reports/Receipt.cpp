#include "reports/Receipt.h"

#include "core/Session.h"
#include "core/TerminalSettings.h"
#include "payments/DayRecords.h"
#include "payments/PaymentJournal.h"
#include "platform/Dialogs.h"

QStringList Receipt::lines(const JournalRow& row, const Header& header) {
    const QString currency = QStringLiteral(" сомони");
    return {QStringLiteral("Платежная система Orvanta"),
            QStringLiteral("ИНН ") + header.inn,
            QStringLiteral("Чек ") + row.transactionId,
            QStringLiteral("Терминал №: ") + header.terminal,
            QStringLiteral("Адрес: ") + header.address,
            QStringLiteral("Дата платежа:") + row.executedAt,
            QStringLiteral("Оператор:") + row.operatorName,
            QStringLiteral("Принято:") + row.received + currency,
            QStringLiteral("Зачислено:") + row.credited + currency,
            QStringLiteral("Номер счета:") + row.account,
            QStringLiteral("   Сохраняйте чек до зачисления"),
            QStringLiteral("   денег  на Ваш лицевой счет."),
            QStringLiteral("        С П А С И Б О !"),
            QStringLiteral("Служба подержки:") + header.support};
}

QStringList Receipt::marked(const QStringList& lines, int printedBefore) {
    if (printedBefore <= 0)
        return lines;
    const QString mark =
        printedBefore == 1 ? QStringLiteral("КОПИЯ") : QStringLiteral("КОПИЯ %1").arg(printedBefore);
    return QStringList{mark} + lines;
}

QStringList Receipt::linesOf(const JournalRow& row) const {
    return lines(row, Header{settings_.inn(), session_.loginTerminal(), settings_.address(),
                             settings_.supportPhone()});
}

int Receipt::printedBefore(const JournalRow& row, const QDate& day) const {
    // A row without a transaction (an empty grid) has no prints to count.
    return row.transactionId.isEmpty() ? 0 : records_.timesPrinted(day, row.transactionId);
}

void Receipt::print(const JournalRow& row, const QDate& day, Printing::Choice choice) const {
    // The row as it stands now, before the dialog lets other events change it.
    const int before = printedBefore(row, day);
    const QStringList page = marked(linesOf(row), before);
    const QString id = row.transactionId;
    const QString stem =
        QStringLiteral("chek-") + id + (before > 0 ? QStringLiteral("-kopiya%1").arg(before) : QString());
    if (!printing_.print(page, stem, choice))
        return;
    if (!id.isEmpty())
        records_.printed(day, id);
    dialogs_.message(QStringLiteral("Печать окончена!"));
}

void Receipt::preview(const JournalRow& row, const QDate& day) const {
    printing_.preview(marked(linesOf(row), printedBefore(row, day)));
}

QString Receipt::refusal(const PaymentJournal& journal, int row) {
    const QString prefix = QStringLiteral("Квитанция печатается только для платежа: ");
    if (row < PaymentJournal::FirstDataRow)
        return prefix + QStringLiteral("выбран заголовок журнала.");
    if (row >= journal.totalsRow())
        return prefix + QStringLiteral("выбрана строка итогов.");
    for (int c = PaymentJournal::ExecutedAt; c <= PaymentJournal::Note; ++c)
        if (!journal.cell(row, c).trimmed().isEmpty())
            return QString();
    return prefix + QStringLiteral("выбрана пустая строка.");
}

void Receipt::print(const PaymentJournal& journal, int row, const QDate& day, Printing::Choice choice) const {
    if (const QString why = refusal(journal, row); !why.isEmpty()) {
        dialogs_.box(why, QStringLiteral("Квитанция"), Dialogs::Icon::Information);
        return;
    }
    print(journal.paymentRow(row), day, choice);
}

void Receipt::preview(const PaymentJournal& journal, int row, const QDate& day) const {
    if (const QString why = refusal(journal, row); !why.isEmpty()) {
        dialogs_.box(why, QStringLiteral("Квитанция"), Dialogs::Icon::Information);
        return;
    }
    preview(journal.paymentRow(row), day);
}
