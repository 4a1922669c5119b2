#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

// The cash drawer's own record in the terminal directory ("kassa.rec"): the
// opening float of each shift and every cash in and cash out, each entry
// appended when it is made and never rewritten, so a crash keeps every entry
// made before it.
class CashDrawer {
public:
    struct Entry {
        enum class Kind { OpeningFloat, CashIn, CashOut };
        Kind kind = Kind::CashIn;
        QDateTime at;
        qint64 cents = 0;
        QString note;
    };

    // terminalDir ends with a path separator.
    static QString path(const QString& terminalDir);

    // Throws AppError when the entry cannot be written.
    static void append(const QString& terminalDir, const Entry& entry);
    // Every whole entry, oldest first.
    static QList<Entry> entries(const QString& terminalDir);
    // The entries made after `since` (every one for an invalid `since`) up to
    // and including `until`.
    static QList<Entry> between(const QList<Entry>& all, const QDateTime& since, const QDateTime& until);
};
