#include "payments/DayJournal.h"

#include "core/Session.h"
#include "platform/AppError.h"
#include "platform/Dialogs.h"
#include "platform/FileDialog.h"
#include "platform/FileIo.h"
#include "platform/SystemClock.h"

#include <QFileInfo>

DayJournal::DayJournal(const Session& session, SystemClock& clock, Dialogs& dialogs, FileDialog& fileDialog,
                       QObject* parent)
    : QObject(parent), session_(session), clock_(clock), dialogs_(dialogs), fileDialog_(fileDialog),
      shownDay_(clock.now().date()) {}

QString DayJournal::fileName(const QDate& date) {
    return date.toString(QStringLiteral("yyyyMMdd")) + QStringLiteral(".dat");
}

QString DayJournal::dayFilePath(const QDate& date) const {
    if (session_.journalDir().isEmpty())
        return QString();
    return session_.journalDir() + fileName(date);
}

QString DayJournal::dayFilePath() const {
    return dayFilePath(shownDay());
}

QString DayJournal::recordFileName(const QDate& date, Record record) {
    const char* suffix = ".req";
    switch (record) {
    case Record::Transmission:
        suffix = ".snd";
        break;
    case Record::Deletions:
        suffix = ".del";
        break;
    case Record::Prints:
        suffix = ".prn";
        break;
    case Record::Requests:
        break;
    }
    return date.toString(QStringLiteral("yyyyMMdd")) + QLatin1String(suffix);
}

QString DayJournal::recordPath(const QDate& date, Record record) const {
    if (session_.journalDir().isEmpty())
        return QString();
    return session_.journalDir() + recordFileName(date, record);
}

QDate DayJournal::today() const {
    return clock_.now().date();
}

void DayJournal::saveDay() {
    // Before the first accepted login there is no terminal directory; the
    // journal must not land in whatever directory the program was started from.
    if (session_.journalDir().isEmpty())
        throw AppError(QStringLiteral("Журнал не сохранен: терминал не зарегистрирован"));
    FileIo::writeBytes(dayFilePath(), table_.toDayFile());
}

void DayJournal::loadDay() {
    const QString path = dayFilePath();
    if (path.isEmpty() || !FileIo::exists(path)) {
        table_.clearDay();
    } else {
        QByteArray bytes;
        if (!FileIo::readBytes(path, &bytes) || !table_.fromDayFile(bytes)) {
            // Emptied before the box: the box lets other events run, and they must
            // not find the previous day's payments under this day's date.
            table_.clearDay();
            dialogs_.box(QStringLiteral("Неправвельный формат файла!!!"),
                              QStringLiteral("Загрузка данных"), Dialogs::Icon::Error);
        }
    }
    table_.resetHeaders();
}

void DayJournal::showDay(const QDate& date) {
    if (shownDay_ != date) {
        shownDay_ = date;
        emit shownDayChanged(date);
    }
    loadDay();
}

namespace {

// "yyyyMMdd..." at the start of a file name; an invalid date otherwise.
QDate dateFromFileName(const QString& name) {
    auto number = [&name](int from, int length) {
        const QString part = name.mid(from, length);
        bool ok = part.size() == length;
        for (const QChar c : part)
            ok = ok && c >= QLatin1Char('0') && c <= QLatin1Char('9');
        return ok ? part.toInt() : -1;
    };
    const int year = number(0, 4);
    const int month = number(4, 2);
    const int day = number(6, 2);
    if (year < 1 || month < 0 || day < 0)
        return QDate();
    return QDate(year, month, day);
}

} // namespace

void DayJournal::openDayFile() {
    const QString chosen = fileDialog_.openFile(session_.journalDir(), QStringLiteral("*.dat|*.dat"));
    if (chosen.isEmpty())
        return;
    const QDate date = dateFromFileName(QFileInfo(chosen).fileName());
    if (!date.isValid()) {
        dialogs_.box(QStringLiteral("Некорректный формат файла!!!"), QStringLiteral("Загрузка данных"),
                          Dialogs::Icon::Error);
        return;
    }
    // The day is always read from journalDir, wherever the chosen file was.
    showDay(date);
}

bool DayJournal::changeRowInFile(const QDate& date, const QString& id,
                                 const std::function<void(PaymentJournal&, int)>& change) const {
    const QString path = dayFilePath(date);
    QByteArray bytes;
    PaymentJournal day;
    if (path.isEmpty() || !FileIo::readBytes(path, &bytes) || !day.fromDayFile(bytes))
        return false;
    const int row = day.findRow(PaymentJournal::TransactionId, id, 1, PaymentJournal::Match::Exact);
    if (row < 0)
        return false;
    change(day, row);
    FileIo::writeBytes(path, day.toDayFile());
    return true;
}
