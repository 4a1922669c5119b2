#pragma once

#include <QChar>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>

class Environment;
class ServerLink;

// The server's file replies "f" + name + "/" + content: stored beside the program
// as name + ".txt", then announced. The window that asked picks the reply by the
// first character of its name ("v", "p", "s", "6", "8", "9"); see RequestedFile.
class FileReplies : public QObject {
    Q_OBJECT
public:
    FileReplies(const Environment& env, ServerLink& link, QObject* parent = nullptr);

    // A name the server gives must not reach outside the program's directory
    // nor hold characters no file name should.
    static bool isSafeName(const QString& name);

    // Two readers may want replies of one letter (the daily statement and the
    // reconciliation both ask "J9"). The one that asked last claims the next
    // reply of that letter; an unasked reply goes to every reader of the letter.
    void claim(QChar letter, const QObject* asker);

signals:
    // A reply was stored. Whatever it holds, every window waiting for a file
    // takes its refresh control back and shows its table again; all of them do
    // before any loader runs, so a loader's box or error leaves none waiting.
    void arrived();
    // Then the loaders: the reply is at `path`. `claimant` asked for it, or is
    // null when nobody claimed its letter.
    void stored(const QString& name, const QString& path, const QObject* claimant);

private:
    void handle(const QString& message);

    QHash<QChar, QPointer<const QObject>> claims_;

    const Environment& env_;
    ServerLink& link_;
};
