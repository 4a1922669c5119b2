#include "shift/CashDrawer.h"

#include "platform/RecordFile.h"

namespace {

// Milliseconds: an entry made right after a close belongs to the new shift.
const QString kMoment = QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz");

QString kindText(CashDrawer::Entry::Kind kind) {
    switch (kind) {
    case CashDrawer::Entry::Kind::OpeningFloat:
        return QStringLiteral("float");
    case CashDrawer::Entry::Kind::CashIn:
        return QStringLiteral("in");
    case CashDrawer::Entry::Kind::CashOut:
        return QStringLiteral("out");
    }
    return QString();
}

} // namespace

QString CashDrawer::path(const QString& terminalDir) {
    return terminalDir + QStringLiteral("kassa.rec");
}

void CashDrawer::append(const QString& terminalDir, const Entry& entry) {
    RecordFile::append(path(terminalDir), {entry.at.toString(kMoment), kindText(entry.kind),
                                           QString::number(entry.cents), entry.note});
}

QList<CashDrawer::Entry> CashDrawer::entries(const QString& terminalDir) {
    QList<Entry> out;
    for (const QStringList& e : RecordFile::read(path(terminalDir))) {
        if (e.size() < 4)
            continue;
        Entry entry;
        entry.at = QDateTime::fromString(e[0], kMoment);
        bool ok = false;
        entry.cents = e[2].toLongLong(&ok);
        if (!entry.at.isValid() || !ok)
            continue;
        if (e[1] == kindText(Entry::Kind::OpeningFloat))
            entry.kind = Entry::Kind::OpeningFloat;
        else if (e[1] == kindText(Entry::Kind::CashIn))
            entry.kind = Entry::Kind::CashIn;
        else if (e[1] == kindText(Entry::Kind::CashOut))
            entry.kind = Entry::Kind::CashOut;
        else
            continue;
        entry.note = e[3];
        out << entry;
    }
    return out;
}

QList<CashDrawer::Entry> CashDrawer::between(const QList<Entry>& all, const QDateTime& since,
                                             const QDateTime& until) {
    QList<Entry> out;
    for (const Entry& e : all)
        if ((!since.isValid() || e.at > since) && e.at <= until)
            out << e;
    return out;
}
