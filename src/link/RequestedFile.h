#pragma once

#include <QChar>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class Dialogs;
class Environment;
class FileReplies;
class ServerLink;
class Session;

// What a table the server feeds reaches its files through.
struct ServerFed {
    const Environment& env;
    const Session& session;
    Dialogs& dialogs;
    ServerLink& link;
    FileReplies& replies;
};

// The request-and-reply flow every server-fed window shares (the statistics page,
// the monthly and daily statements, the price list, the stock, the turnover
// statement, the reconciliation): refused with the window's own text while the
// terminal is not registered; otherwise the table is hidden behind its waiting
// text, the request goes out with sendRequest and "Обновить" waits. Any file
// reply gives "Обновить" back and shows the table again; a reply whose name
// starts with the window's letter is then handed to the window's loader, unless
// another reader of that letter asked for it. A loader that fails has its error
// shown in the exception box; it cannot hold back the other readers.
class RequestedFile : public QObject {
    Q_OBJECT
public:
    struct Setup {
        QChar replyLetter;                          // first character of the reply's file name
        QString refusal;                            // the message when not registered
        std::function<QStringList()> bodies;        // the request, built when it is sent
        std::function<void(const QString&)> load;   // the loader of a stored reply
    };

    RequestedFile(const ServerFed& fed, Setup setup, QObject* parent = nullptr);

    // Sends the request; false (after the refusal message) when not registered.
    bool request();

    // The table is hidden while a request is out.
    bool tableVisible() const { return tableVisible_; }
    bool refreshEnabled() const { return refreshEnabled_; }
    // A request is out and no file reply has come since.
    bool waiting() const { return !tableVisible_; }

signals:
    void changed();

private:
    void onArrived();
    void onStored(const QString& name, const QString& path, const QObject* claimant);

    const Session& session_;
    Dialogs& dialogs_;
    ServerLink& link_;
    FileReplies& replies_;
    Setup setup_;
    bool tableVisible_ = true;
    bool refreshEnabled_ = true;
};
