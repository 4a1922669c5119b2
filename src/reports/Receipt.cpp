#include "reports/Receipt.h"

#include "core/Session.h"
#include "core/TerminalSettings.h"
#include "payments/PaymentJournal.h"
#include "platform/Dialogs.h"
#include "platform/ReceiptPrinter.h"

const QString Receipt::FontFace = QStringLiteral("Times New Roman");

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

void Receipt::draw(const QStringList& lines, ReceiptCanvas& canvas) {
    canvas.setFont(FontFace, FontPointSize);
    canvas.beginDocument();
    int y = 0;
    for (const QString& line : lines) {
        y += LineStep;
        canvas.textOut(Left, y, line);
    }
    canvas.endDocument();
}

QStringList Receipt::linesOf(const JournalRow& row) const {
    return lines(row, Header{settings_.inn(), session_.loginTerminal(), settings_.address(),
                             settings_.supportPhone()});
}

void Receipt::print(const JournalRow& row) const {
    // The row as it stands now, before the dialog lets other events change it.
    const QStringList page = linesOf(row);
    if (!printer_.setupDialog())
        return;
    draw(page, printer_);
    dialogs_.message(QStringLiteral("Печать окончена!"));
}

void Receipt::preview(const JournalRow& row) const {
    const QStringList page = linesOf(row);
    printer_.preview([&page](ReceiptCanvas& canvas) { draw(page, canvas); });
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

void Receipt::print(const PaymentJournal& journal, int row) const {
    if (const QString why = refusal(journal, row); !why.isEmpty()) {
        dialogs_.box(why, QStringLiteral("Квитанция"), Dialogs::Icon::Information);
        return;
    }
    print(journal.paymentRow(row));
}

void Receipt::preview(const PaymentJournal& journal, int row) const {
    if (const QString why = refusal(journal, row); !why.isEmpty()) {
        dialogs_.box(why, QStringLiteral("Квитанция"), Dialogs::Icon::Information);
        return;
    }
    preview(journal.paymentRow(row));
}
