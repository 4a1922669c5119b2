#pragma once

#include "shift/ShiftFigures.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

// The closed shifts of a terminal: one file per Z report in the terminal
// directory ("Z0001.txt", "Z0002.txt", ...), each written once as a whole and
// never rewritten. The printed report comes first; a block "[Z]" after it keeps
// what the next shift starts from. The files themselves are the record: a
// close interrupted before its file was whole leaves no file, so the shift
// stays open and the number is not used.
class ZReports {
public:
    struct Closed {
        int number = 0;
        QString path;
        QDateTime since; // invalid: the shift began with its day
        QDateTime until;
        qint64 drawer = 0; // the cash counted and left in the drawer
        QList<PendingCancellation> awaited;
        QStringList lines; // as printed
        QStringList table; // as exported
    };

    // terminalDir ends with a path separator.
    explicit ZReports(QString terminalDir) : dir_(std::move(terminalDir)) {}

    static QString fileName(int number);
    // The number of every Z file present, in order, whether its content reads
    // or not: no number is given twice.
    QList<int> numbers() const;
    int nextNumber() const;
    // The report of that number; nothing when its file is missing or its block
    // does not read.
    std::optional<Closed> read(int number) const;
    // The last report whose block reads.
    std::optional<Closed> last() const;

    // Writes the next report whole. Throws AppError when the file cannot be
    // written or is there already.
    Closed write(const QStringList& lines, const QStringList& table, const ShiftFigures& figures,
                 qint64 drawer) const;

private:
    QString dir_;
};
