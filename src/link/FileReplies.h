#pragma once

#include <QChar>
#include <QHash>
#include <QObject>
#include <QString>

#include <functional>

struct AppContext;
class MainWindowModel;
class ServerLink;

// The server's file replies "f" + name + "/" + content: stored beside the program
// as name + ".txt", then handed to the window that asked, chosen by the name's
// first character ("v", "p", "s", "6", "8", "9").
class FileReplies : public QObject {
    Q_OBJECT
public:
    using Consumer = std::function<void(const QString& path)>;

    FileReplies(AppContext& ctx, MainWindowModel& model, ServerLink& link, QObject* parent = nullptr);

    void handle(const QString& message);
    void setConsumer(QChar firstOfName, Consumer consumer);

    // A name the server gives must not reach outside the program's directory
    // nor hold characters no file name should.
    static bool isSafeName(const QString& name);

signals:
    // After a reply is stored: every refresh control becomes usable again and
    // every result grid visible.
    void refreshControlsReleased();

private:
    AppContext& ctx_;
    MainWindowModel& model_;
    ServerLink& link_;
    QHash<QChar, Consumer> consumers_;
};
