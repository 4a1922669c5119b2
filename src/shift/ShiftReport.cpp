#include "shift/ShiftReport.h"

#include "platform/Money.h"

namespace ShiftReport {

namespace {

const QString kMoment = QStringLiteral("dd.MM.yyyy hh:mm:ss");

Item heading(const QString& caption) {
    return Item{caption, -1, std::nullopt, QString(), 0};
}
Item sum(const QString& caption, qint64 cents, int indent = 0) {
    return Item{caption, -1, cents, QString(), indent};
}
Item tally(const QString& caption, const Tally& t) {
    return Item{caption, t.count, t.cents, QString(), 0};
}
Item text(const QString& caption, const QString& value) {
    return Item{caption, -1, std::nullopt, value, 0};
}

QString signedSum(qint64 cents) {
    return cents > 0 ? QLatin1Char('+') + Money::format(cents) : Money::format(cents);
}

} // namespace

qint64 difference(const ShiftFigures& figures, qint64 counted) {
    return counted - figures.expected();
}

QList<Item> items(Kind kind, int number, const QString& terminal, const ShiftFigures& f, const Closing& closing) {
    QList<Item> out;
    out << heading(kind == Kind::Z ? QStringLiteral("Z-ОТЧЕТ № %1").arg(number) : QStringLiteral("X-ОТЧЕТ"));
    out << text(QStringLiteral("Терминал"), terminal);
    out << text(QStringLiteral("Начало смены"),
                f.since.isValid() ? f.since.toString(kMoment)
                                  : f.until.date().startOfDay().toString(kMoment));
    out << text(kind == Kind::Z ? QStringLiteral("Конец смены") : QStringLiteral("Время отчета"),
                f.until.toString(kMoment));

    out << heading(QStringLiteral("Платежи по операторам"));
    for (const OperatorTotals& op : f.operators) {
        out << heading((op.article.isEmpty() ? QString() : op.article + QLatin1Char(' ')) + op.name);
        out << Item{QStringLiteral("Платежей"), op.count, std::nullopt, QString(), 1};
        out << sum(QStringLiteral("Принято"), op.received, 1);
        out << sum(QStringLiteral("Зачислено"), op.credited, 1);
        out << sum(QStringLiteral("Комиссия"), op.commission(), 1);
    }
    out << Item{QStringLiteral("Итого платежей"), f.payments.count, std::nullopt, QString(), 0};
    out << sum(QStringLiteral("Принято"), f.payments.received, 1);
    out << sum(QStringLiteral("Зачислено"), f.payments.credited, 1);
    out << sum(QStringLiteral("Комиссия"), f.payments.commission(), 1);

    out << tally(QStringLiteral("Продажи товаров"), f.goods);
    out << tally(QStringLiteral("Отмены зачислены"), f.cancellations);
    out << tally(QStringLiteral("Отмены ждут ответа"), f.cancellationsAwaited);
    if (f.lateCancellations.count > 0)
        out << tally(QStringLiteral("Отмены прошлых смен"), f.lateCancellations);
    out << tally(QStringLiteral("Корректировки"), f.corrections);
    out << tally(QStringLiteral("Отказано сервером"), f.refused);
    out.back().attention = f.refused.count > 0;
    out << tally(QStringLiteral("Не отправлено"), f.unsent);
    out.back().attention = f.unsent.count > 0;
    out << tally(QStringLiteral("Удалено"), f.deleted);
    for (const DayRecords::Deletion& d : f.deletions)
        out << Item{d.at + QLatin1Char(' ') + d.transactionId, -1,
                    ShiftFigures::cashOf(d), QString(), 1};
    if (!f.orphans.isEmpty())
        out << Item{QStringLiteral("Ответы без платежа"), int(f.orphans.size()), std::nullopt, QString(), 0};

    out << heading(QStringLiteral("Касса"));
    out << sum(QStringLiteral("Размен на начало"), f.openingFloat);
    out << sum(QStringLiteral("Принято наличными"), f.taken());
    out << tally(QStringLiteral("Внесение"), f.cashIn);
    out << tally(QStringLiteral("Изъятие"), f.cashOut);
    for (const CashDrawer::Entry& e : f.movements) {
        const QString what = e.kind == CashDrawer::Entry::Kind::CashIn ? QStringLiteral("внесение")
                                                                        : QStringLiteral("изъятие");
        out << Item{e.at.toString(QStringLiteral("hh:mm")) + QLatin1Char(' ') + what +
                        (e.note.isEmpty() ? QString() : QStringLiteral(" (") + e.note + QLatin1Char(')')),
                    -1, e.cents, QString(), 1};
    }
    out << sum(QStringLiteral("Возвращено"), f.handedBack());
    out << sum(QStringLiteral("Ожидается в кассе"), f.expected());
    if (closing.counted) {
        out << sum(QStringLiteral("Подсчитано"), *closing.counted);
        const qint64 d = difference(f, *closing.counted);
        out << text(QStringLiteral("Разница"), signedSum(d) + (d < 0   ? QStringLiteral(" (недостача)")
                                                               : d > 0 ? QStringLiteral(" (излишек)")
                                                                       : QString()));
        out.back().attention = d < 0;
    }
    if (!closing.note.isEmpty())
        out << text(QStringLiteral("Примечание"), closing.note);
    if (!closing.agreement.isEmpty())
        out << heading(closing.agreement);
    return out;
}

QString line(const Item& item) {
    QString out = QString(item.indent * 2, QLatin1Char(' ')) + item.caption;
    QString value;
    if (item.count >= 0 && item.cents)
        value = QStringLiteral("%1 на %2").arg(item.count).arg(Money::format(*item.cents));
    else if (item.count >= 0)
        value = QString::number(item.count);
    else if (item.cents)
        value = Money::format(*item.cents);
    else
        value = item.text;
    if (!value.isEmpty())
        out += QStringLiteral(": ") + value;
    return out;
}

QStringList lines(const QList<Item>& items) {
    QStringList out;
    for (const Item& i : items)
        out << line(i);
    return out;
}

QStringList tableLines(const QList<Item>& items) {
    QStringList out{SpreadsheetExport::gridLine({QStringLiteral("Показатель"), QStringLiteral("Количество"),
                                                 QStringLiteral("Сумма"), QStringLiteral("Значение")})};
    for (const Item& i : items)
        out << SpreadsheetExport::gridLine({QString(i.indent * 2, QLatin1Char(' ')) + i.caption,
                                            i.count >= 0 ? QString::number(i.count) : QString(),
                                            i.cents ? Money::format(*i.cents) : QString(), i.text});
    return out;
}

NumberCells tableNumbers() {
    return NumberCells().add({2, 3}, 2);
}

} // namespace ShiftReport
