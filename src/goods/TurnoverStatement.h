#pragma once

#include "link/RequestedFile.h"

#include <QObject>
#include <QString>
#include <QStringList>

class Environment;
class Session;
class SpreadsheetExport;

// The turnover statement of goods movement ("Fv"): ready-made lines from the
// server, stored as "v" + terminal + ".txt" and shown as they are, for a
// fixed-pitch font. Servers prepare it in cp1251 or in the DOS code page
// cp866; the loader reads whichever the text is in, so the view and the
// export show the same readable lines.
class TurnoverStatement : public QObject {
    Q_OBJECT
public:
    TurnoverStatement(const ServerFed& fed, SpreadsheetExport& spreadsheet, QObject* parent = nullptr);

    // programDir + "v" + loginTerminal + ".txt"
    QString filePath() const;

    // The window becomes active: the stored statement, or a request when there is none.
    void activate();
    // "Обновить".
    void refresh();
    // loadTurnoverStatement: the view's lines from the stored file.
    void load();
    // "Отчет": each line as shown into the first cell of its row.
    void report();

    const QStringList& lines() const { return lines_; }
    RequestedFile& file() { return file_; }
    const RequestedFile& file() const { return file_; }

signals:
    void changed();

private:
    const Environment& env_;
    const Session& session_;
    SpreadsheetExport& spreadsheet_;
    RequestedFile file_;
    QStringList lines_;
};
