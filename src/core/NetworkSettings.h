#pragma once

#include "core/IniFile.h"

#include <QObject>
#include <QString>

class Environment;

// ip.ini: the server this terminal connects to and the terminal's own number.
// The address and port are read once at start; writes take effect at the next
// start, the running connection keeps its server.
class NetworkSettings : public QObject {
    Q_OBJECT
public:
    explicit NetworkSettings(const Environment& env, QObject* parent = nullptr);

    // The start's reading of the server address and port.
    void load();
    const QString& serverAddress() const { return serverAddress_; }
    const QString& serverPort() const { return serverPort_; }

    // "Сохранить" on the network settings page: both written, both in use from
    // the next start.
    void save(const QString& address, const QString& port);
    // The server the terminal settings name, written for the next start where
    // it differs from the one in use.
    void keepServerOfSettings(const QString& address, const QString& port);

    // The file itself, for what else it keeps (the link's encryption).
    const IniFile& file() const { return ipIni_; }

    // The terminal number the login last typed; "000" when none.
    QString terminal() const;
    void setTerminal(const QString& terminal);

signals:
    void changed();

private:
    IniFile ipIni_;
    QString serverAddress_;
    QString serverPort_;
};
