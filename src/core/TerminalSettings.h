#pragma once

#include <QObject>
#include <QString>

class IniFile;

// What the terminal directory's setting.ini says of the agent: name, address,
// support telephone and taxpayer number, and the settings' stamp. The header
// shows them and the receipt prints them.
class TerminalSettings : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Rereads the agent's keys; the server address and port the file names are
    // read with these defaults and returned.
    struct Server {
        QString address;
        QString port;
    };
    Server apply(const IniFile& settings, const QString& address, const QString& port);

    // True once a setting.ini has been applied.
    bool applied() const { return applied_; }
    const QString& user() const { return user_; }
    const QString& address() const { return address_; }
    const QString& supportPhone() const { return supportPhone_; }
    const QString& inn() const { return inn_; }
    const QString& stamp() const { return stamp_; }

signals:
    void changed();

private:
    bool applied_ = false;
    QString user_;
    QString address_;
    QString supportPhone_;
    QString inn_;
    QString stamp_;
};
