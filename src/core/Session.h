#pragma once

#include <QDate>
#include <QDateTime>
#include <QObject>
#include <QString>

// The cashier's session with the server: whether the server has accepted the
// login, the terminal it accepted, and the directory of that terminal's files.
// The login's acceptance sets it up, a lost connection takes `registered` back.
class Session : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // The server has accepted the login; cleared when the connection goes.
    bool registered() const { return registered_; }
    void setRegistered(bool registered);

    // The number typed at login, and then the one the login was accepted for:
    // it names the terminal's own files.
    const QString& loginTerminal() const { return loginTerminal_; }
    void setLoginTerminal(const QString& terminal);
    // The accepted terminal's number (empty until the first acceptance).
    const QString& terminalNumber() const { return terminalNumber_; }
    void setTerminalNumber(const QString& number);
    // Where the day files go; empty until the first acceptance.
    const QString& journalDir() const { return journalDir_; }
    void setJournalDir(const QString& dir);

    // The clock right after the greeting set it; 30.12.1899 00:00 until then.
    const QDateTime& loginDateTime() const { return loginDateTime_; }
    void setLoginDateTime(const QDateTime& moment);

signals:
    void changed();

private:
    bool registered_ = false;
    QString loginTerminal_;
    QString terminalNumber_;
    QString journalDir_;
    QDateTime loginDateTime_{QDate(1899, 12, 30), QTime(0, 0)};
};
