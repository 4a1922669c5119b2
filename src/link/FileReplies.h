#pragma once

#include <QObject>
#include <QString>

struct AppContext;
class ServerLink;

// The server's file replies "f" + name + "/" + content: stored beside the program
// as name + ".txt", then announced. The window that asked picks the reply by the
// first character of its name ("v", "p", "s", "6", "8", "9"); see RequestedFile.
class FileReplies : public QObject {
    Q_OBJECT
public:
    FileReplies(AppContext& ctx, ServerLink& link, QObject* parent = nullptr);

    // A name the server gives must not reach outside the program's directory
    // nor hold characters no file name should.
    static bool isSafeName(const QString& name);

signals:
    // A reply was stored at `path`. Whatever it holds, every window waiting for a
    // file takes its refresh control back and shows its table again.
    void stored(const QString& name, const QString& path);

private:
    void handle(const QString& message);

    AppContext& ctx_;
    ServerLink& link_;
};
