#include "shift/Shift.h"

#include "core/Session.h"
#include "link/Messages.h"
#include "link/Transmission.h"
#include "payments/DayJournal.h"
#include "payments/PaymentJournal.h"
#include "platform/AppError.h"
#include "platform/Dialogs.h"
#include "platform/FileIo.h"
#include "platform/Locale.h"
#include "platform/Money.h"
#include "platform/SystemClock.h"
#include "reports/Reconciliation.h"
#include "reports/SpreadsheetExport.h"
#include "reports/StoredReport.h"

#include <algorithm>

namespace {

const QString kTitle = QStringLiteral("Смена");

std::optional<qint64> typedSum(const QString& text) {
    const std::optional<Decimal> d = Decimal::read(text.trimmed(), Decimal::Form::Typed);
    if (!d)
        return std::nullopt;
    return Money::toCents(*d);
}

} // namespace

const QString Shift::NotReconciledText = QStringLiteral("Сервер: не сверено");

QString Shift::denominationCaption(int index) {
    const qint64 cents = Denominations[size_t(index)];
    return cents >= 100 ? QStringLiteral("%1 сом.").arg(cents / 100) : QStringLiteral("%1 дир.").arg(cents);
}

Shift::Shift(const ServerFed& fed, DayJournal& days, Transmission& transmission, SpreadsheetExport& spreadsheet,
             SystemClock& clock, QObject* parent)
    : QObject(parent), session_(fed.session), dialogs_(fed.dialogs), days_(days), transmission_(transmission),
      spreadsheet_(spreadsheet), clock_(clock),
      statement_(fed, RequestedFile::Setup{QLatin1Char('9'), QStringLiteral("Необходимо зарегистрироваться!"),
                                           [this] {
                                               const QDate& d = dayReconciled_;
                                               return QStringList{Messages::dayStatement(
                                                   session_.loginTerminal(), QString::number(d.month()),
                                                   QString::number(d.day()), d.toString(QStringLiteral("yy")))};
                                           },
                                           [this](const QString& path) { compareDay(path); }}) {}

QString Shift::terminalDir() const {
    return session_.journalDir();
}

bool Shift::available() const {
    return !terminalDir().isEmpty();
}

ZReports Shift::archive() const {
    return ZReports(terminalDir());
}

void Shift::refresh() {
    if (!available())
        return;
    ShiftFigures::Sources s;
    s.journalDir = terminalDir();
    s.until = clock_.now();
    if (const std::optional<ZReports::Closed> last = archive().last()) {
        s.since = last->until;
        s.floatLeft = last->drawer;
        s.carried = last->awaited;
        // A clock set back by the server's greeting never ends a shift before
        // it began, nor before an entry made since (see entryMoment).
        s.until = std::max(s.until, s.since.addMSecs(1));
    }
    s.drawer = CashDrawer::entries(terminalDir());
    figures_ = ShiftFigures::read(s);
    emit changed();
}

QDateTime Shift::entryMoment() const {
    // An entry stamped at or before the last close would belong to no shift: it
    // came after that close, so it is the open shift's.
    const QDateTime now = clock_.now();
    const QDateTime since = figures_.since;
    return since.isValid() && now <= since ? since.addMSecs(1) : now;
}

bool Shift::floatWanted() const {
    return available() && !figures_.floatEntered;
}

bool Shift::askOpeningFloat() {
    refresh();
    if (!floatWanted())
        return false;
    QString offered = Money::format(figures_.openingFloat);
    for (;;) {
        const std::optional<QString> answer =
            dialogs_.askText(QStringLiteral("Размен в кассе на начало смены"), kTitle, offered);
        // Cancelled: the drawer is taken as the last close left it, and asked
        // again at the next login.
        if (!answer)
            return true;
        const std::optional<qint64> cents = typedSum(*answer);
        if (cents && *cents >= 0) {
            CashDrawer::append(terminalDir(),
                               {CashDrawer::Entry::Kind::OpeningFloat, entryMoment(), *cents, QString()});
            refresh();
            return true;
        }
        dialogs_.box(QStringLiteral("Введите сумму размена числом, например 500") + Locale::decimalSeparator() +
                         QStringLiteral("00"),
                     kTitle, Dialogs::Icon::Warning);
        offered = *answer;
    }
}

bool Shift::cash(CashDrawer::Entry::Kind kind, const QString& sum, const QString& note) {
    if (!available())
        return false;
    const std::optional<qint64> cents = typedSum(sum);
    if (!cents || *cents <= 0) {
        dialogs_.box(QStringLiteral("Введите сумму больше нуля"), kTitle, Dialogs::Icon::Warning);
        return false;
    }
    CashDrawer::append(terminalDir(), {kind, entryMoment(), *cents, note.trimmed()});
    refresh();
    return true;
}

bool Shift::cashIn(const QString& sum, const QString& note) {
    return cash(CashDrawer::Entry::Kind::CashIn, sum, note);
}

bool Shift::cashOut(const QString& sum, const QString& note) {
    return cash(CashDrawer::Entry::Kind::CashOut, sum, note);
}

bool Shift::setCountedText(const QString& text) {
    if (text.trimmed().isEmpty()) {
        counted_.reset();
        denominations_.fill(0);
        emit changed();
        return true;
    }
    const std::optional<qint64> cents = typedSum(text);
    if (!cents || *cents < 0)
        return false;
    counted_ = cents;
    denominations_.fill(0);
    emit changed();
    return true;
}

void Shift::setDenominationCount(int index, int count) {
    if (index < 0 || index >= int(Denominations.size()))
        return;
    denominations_[size_t(index)] = qMax(0, count);
    qint64 total = 0;
    for (size_t i = 0; i < Denominations.size(); ++i)
        total += Denominations[i] * denominations_[i];
    counted_ = total;
    emit changed();
}

std::optional<qint64> Shift::difference() const {
    if (!counted_)
        return std::nullopt;
    return ShiftReport::difference(figures_, *counted_);
}

void Shift::setNote(const QString& note) {
    note_ = note;
    emit changed();
}

ShiftReport::Closing Shift::closing() const {
    // A report says as well when the shift was not reconciled with the server.
    return ShiftReport::Closing{counted_, note_.trimmed(),
                                agreement_.isEmpty() ? NotReconciledText : agreement_};
}

void Shift::resetCount() {
    counted_.reset();
    denominations_.fill(0);
    note_.clear();
    agreement_.clear();
}

bool Shift::reconcile() {
    if (!available())
        return false;
    refresh();
    daysToReconcile_.clear();
    const QDate first = figures_.since.isValid() ? figures_.since.date() : figures_.until.date();
    for (QDate d = first; d <= figures_.until.date(); d = d.addDays(1))
        daysToReconcile_ << d;
    onlyInJournal_ = onlyOnServer_ = sumsDiffer_ = 0;
    agreement_ = QStringLiteral("Сервер: сверка...");
    dayReconciled_ = daysToReconcile_.takeFirst();
    emit changed();
    if (statement_.request())
        return true;
    agreement_.clear();
    emit changed();
    return false;
}

void Shift::compareDay(const QString& statementPath) {
    if (!dayReconciled_.isValid())
        return;
    QList<JournalRow> rows;
    QByteArray bytes;
    PaymentJournal journal;
    if (FileIo::readBytes(days_.dayFilePath(dayReconciled_), &bytes) && journal.fromDayFile(bytes)) {
        for (int r = PaymentJournal::FirstDataRow; r < journal.totalsRow(); ++r)
            if (!journal.cell(r, PaymentJournal::TransactionId).isEmpty())
                rows << journal.paymentRow(r);
    }
    const Reconciliation::Result r =
        Reconciliation::compare(rows, StoredReport::lines(statementPath, QStringLiteral("Сверка")));
    onlyInJournal_ += int(r.onlyInJournal.size());
    onlyOnServer_ += int(r.onlyOnServer.size());
    sumsDiffer_ += int(r.sumsDiffer.size());
    if (!daysToReconcile_.isEmpty()) {
        dayReconciled_ = daysToReconcile_.takeFirst();
        statement_.request();
        return;
    }
    dayReconciled_ = QDate();
    agreement_ = onlyInJournal_ + onlyOnServer_ + sumsDiffer_ == 0
                     ? QStringLiteral("Сервер: расхождений нет")
                     : QStringLiteral("Сервер: нет на сервере %1, нет в журнале %2, суммы расходятся %3")
                           .arg(onlyInJournal_)
                           .arg(onlyOnServer_)
                           .arg(sumsDiffer_);
    emit changed();
}

QList<ShiftReport::Item> Shift::items() const {
    return ShiftReport::items(ShiftReport::Kind::X, 0, session_.loginTerminal(), figures_, closing());
}

QStringList Shift::xLines() const {
    return ShiftReport::lines(items());
}

void Shift::print(const QStringList& lines, const QString& title) {
    if (!printer_) {
        dialogs_.box(QStringLiteral("Печать отчетов недоступна"), kTitle, Dialogs::Icon::Warning);
        return;
    }
    printer_(lines, title);
}

void Shift::printX() {
    refresh();
    print(xLines(), QStringLiteral("X-отчет"));
}

void Shift::exportX() {
    refresh();
    const QStringList table = ShiftReport::tableLines(items());
    spreadsheet_.exportToSpreadsheet(table, ShiftReport::TableColumns, QStringLiteral("X-отчет"),
                                     ShiftReport::tableNumbers());
}

bool Shift::close() {
    if (!available())
        return false;
    refresh();
    const Tally waiting{figures_.unsent.count + figures_.refused.count,
                        figures_.unsent.cents + figures_.refused.cents};
    if (waiting.count > 0 &&
        dialogs_.question(QStringLiteral("Не отправлено платежей: %1 на сумму %2.\n"
                                         "Отправить их на сервер перед закрытием смены?")
                              .arg(waiting.count)
                              .arg(Money::format(waiting.cents)),
                          kTitle)) {
        transmission_.sendAll();
        return false;
    }
    if (!counted_) {
        dialogs_.box(QStringLiteral("Введите сумму наличных, подсчитанных в кассе"), kTitle,
                     Dialogs::Icon::Warning);
        return false;
    }
    const qint64 diff = *difference();
    if (diff != 0 && note_.trimmed().isEmpty()) {
        dialogs_.box(QStringLiteral("Наличные расходятся с ожидаемой суммой на %1.\n"
                                    "Укажите примечание к разнице.")
                         .arg(Money::format(diff)),
                     kTitle, Dialogs::Icon::Warning);
        return false;
    }
    const ZReports zs = archive();
    const int number = zs.nextNumber();
    if (!dialogs_.question(QStringLiteral("Закрыть смену? Будет записан Z-отчет № %1.").arg(number), kTitle))
        return false;
    // The figures up to this moment, and the moment is the report's.
    refresh();
    const QList<ShiftReport::Item> items =
        ShiftReport::items(ShiftReport::Kind::Z, number, session_.loginTerminal(), figures_, closing());
    const ZReports::Closed z =
        zs.write(ShiftReport::lines(items), ShiftReport::tableLines(items), figures_, *counted_);
    resetCount();
    refresh();
    emit closed(z.number);
    // The shift is closed whatever the printer does; the report can be printed again.
    try {
        print(z.lines, QStringLiteral("Z-отчет № %1").arg(z.number));
    } catch (const AppError& e) {
        dialogs_.exception(e.text());
    }
    return true;
}

void Shift::reprintZ(int number) {
    const std::optional<ZReports::Closed> z = archive().read(number);
    if (!z) {
        dialogs_.box(QStringLiteral("Z-отчет № %1 не читается").arg(number), kTitle, Dialogs::Icon::Error);
        return;
    }
    print(z->lines, QStringLiteral("Z-отчет № %1").arg(number));
}

void Shift::exportZ(int number) {
    const std::optional<ZReports::Closed> z = archive().read(number);
    if (!z) {
        dialogs_.box(QStringLiteral("Z-отчет № %1 не читается").arg(number), kTitle, Dialogs::Icon::Error);
        return;
    }
    spreadsheet_.exportToSpreadsheet(z->table, ShiftReport::TableColumns, QStringLiteral("Z-отчет %1").arg(number),
                                     ShiftReport::tableNumbers());
}
