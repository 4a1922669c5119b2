#include "reports/Receipt.h"

#include "core/AppContext.h"
#include "core/MainWindowModel.h"
#include "payments/PaymentJournal.h"
#include "platform/AppError.h"
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
    canvas.setPenColour(QColor(Qt::black));
    canvas.beginDocument();
    int y = 0;
    for (const QString& line : lines) {
        y += LineStep;
        canvas.textOut(Left, y, line);
    }
    canvas.endDocument();
}

QStringList Receipt::selectedRowLines() const {
    return lines(journal_.paymentRow(journal_.currentRow()),
                 Header{ctx_.inn, ctx_.loginTerminal, model_.addressText, model_.supportText});
}

namespace {
ReceiptPrinter& printerOf(const AppContext& ctx) {
    if (!ctx.printer)
        throw AppError(QStringLiteral("Принтер не установлен"));
    return *ctx.printer;
}
} // namespace

void Receipt::print() const {
    ReceiptPrinter& printer = printerOf(ctx_);
    // The row as it stands now, before the dialog lets other events change it.
    const QStringList page = selectedRowLines();
    if (!printer.setupDialog())
        return;
    draw(page, printer);
    ctx_.dialogs->message(QStringLiteral("Печать окончена!"));
}

void Receipt::preview() const {
    ReceiptPrinter& printer = printerOf(ctx_);
    const QStringList page = selectedRowLines();
    printer.preview([&page](ReceiptCanvas& canvas) { draw(page, canvas); });
}
