#pragma once

#include "link/RequestedFile.h"

#include <QObject>
#include <QString>
#include <QStringList>

struct AppContext;
class FileReplies;
class ServerLink;

// The turnover statement of goods movement ("Fv"): ready-made lines from the
// server, stored as "v" + terminal + ".txt" and shown as they are, for a
// fixed-pitch font.
class TurnoverStatement : public QObject {
    Q_OBJECT
public:
    TurnoverStatement(AppContext& ctx, ServerLink& link, FileReplies& replies, QObject* parent = nullptr);

    // programDir + "v" + loginTerminal + ".txt"
    QString filePath() const;

    // The window becomes active: the stored statement, or a request when there is none.
    void activate();
    // "Обновить".
    void refresh();
    // loadTurnoverStatement: the view's lines from the stored file.
    void load();

    const QStringList& lines() const { return lines_; }
    RequestedFile& file() { return file_; }
    const RequestedFile& file() const { return file_; }

signals:
    void changed();

private:
    AppContext& ctx_;
    RequestedFile file_;
    QStringList lines_;
};
