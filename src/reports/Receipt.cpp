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
