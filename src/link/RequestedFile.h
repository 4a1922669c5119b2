#pragma once

#include <QChar>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

struct AppContext;
class FileReplies;
class ServerLink;

// The request-and-reply flow every server-fed window shares (the statistics page,
// the monthly and daily statements, the price list, the stock, the turnover
// statement): refused with the window's own text while the terminal is not
// registered; otherwise the table is hidden behind its waiting text, the request
// goes out with sendRequest and "Обновить" waits. Any file reply gives "Обновить"
// back and shows the table again; a reply whose name starts with the window's
// letter is then handed to the window to load, unless another reader of that
// letter asked for it.
class RequestedFile : public QObject {
    Q_OBJECT
public:
    struct Setup {
        QChar replyLetter;                   // first character of the reply's file name
        QString refusal;                     // the message when not registered
        std::function<QStringList()> bodies; // the request, built when it is sent
    };

    RequestedFile(AppContext& ctx, ServerLink& link, FileReplies& replies, Setup setup,
                  QObject* parent = nullptr);

    // Sends the request; false (after the refusal message) when not registered.
    bool request();

    // The table is hidden while a request is out.
    bool tableVisible() const { return tableVisible_; }
    bool refreshEnabled() const { return refreshEnabled_; }

signals:
    void changed();
    // A reply for this window is stored at `path`.
    void arrived(const QString& path);

private:
    void onStored(const QString& name, const QString& path, const QObject* claimant);

    AppContext& ctx_;
    ServerLink& link_;
    FileReplies& replies_;
    Setup setup_;
    bool tableVisible_ = true;
    bool refreshEnabled_ = true;
};
