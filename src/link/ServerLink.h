#pragma once

#include "link/Framing.h"
#include "link/TlsSettings.h"

#include <QAbstractSocket>
#include <QChar>
#include <QHash>
#include <QList>
#include <QObject>
#include <QSslCertificate>
#include <QStringList>
#include <QTimer>

#include <deque>
#include <functional>

class Dialogs;
class Environment;
class QSslError;
class QSslSocket;
class QTcpSocket;
class Session;

// The one TCP connection to the payment server: sending, receiving and cutting
// messages, dispatching them by their first character, the protocol log, and the
// connection's life (connect with failover over the server list, keep-alive and
// reconnect, the reply watchdog, disconnect). It reports what happened through
// its signals; which controls that changes is the terminal's business. Each
// subsystem registers the handlers of the commands it owns.
//
// With TLS on, the connection counts as made only once the handshake has
// verified the server: until then nothing is sent, and a handshake that fails
// is a failed attempt like a refused one. There is no way back to clear text.
class ServerLink : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<void(const QString& message)>;

    // A server that sends this much without a terminator is cut off.
    static constexpr qsizetype MaxPendingBytes = qsizetype(64) * 1024 * 1024;
    // The socket holds at most this much unread; beyond it TCP holds the server back.
    static constexpr qint64 ReadBufferBytes = 1024 * 1024;
    // The protocol log keeps a tail: this many lines, this many characters in
    // all, and the first characters of a longer line.
    static constexpr qsizetype MaxLogLines = 5000;
    static constexpr qsizetype MaxLogChars = qsizetype(2) * 1024 * 1024;
    static constexpr qsizetype MaxLogLineChars = 4096;
    static constexpr int ConnectingPingMs = 10000;
    static constexpr int ConnectedPingMs = 120000;
    static constexpr int ReplyWatchdogMs = 30000;

    ServerLink(const Environment& env, Session& session, Dialogs& dialogs, QObject* parent = nullptr);
    ~ServerLink() override;

    // The socket's address and port until the next change (start-up, failover).
    void setPeer(const QString& address, quint16 port);
    QString peerAddress() const { return address_; }
    quint16 peerPort() const { return port_; }
    void setServerList(const QStringList& list) { serverList_ = list; }

    // Encryption of the connections from the next attempt on; set before connecting.
    void setTls(const TlsSettings& tls);
    const TlsSettings& tls() const { return tls_; }

    // Sends one message (body + "$k$"); nothing is sent while the socket is not open.
    void sendMessage(const QString& body);
    // Sends the messages in one write, keeps them as lastRequest and arms the watchdog.
    void sendRequest(const QStringList& bodies);
    void disarm() { TimerSend.stop(); }
    // The last request that expects a reply, as it went out: the watchdog's resend.
    const QString& lastRequest() const { return lastRequest_; }

    // The receive algorithm for one chunk the socket delivered: logged, buffered,
    // cut at each terminator and dispatched.
    void receive(const QByteArray& chunk);

    // Routes a message by its first character to the handler set for it. The
    // eighteen commands the server sends are known; the rest is ignored.
    void dispatchMessage(const QString& message);
    void setHandler(QChar command, Handler handler);
    static bool isServerCommand(QChar c);

    // "Регистрация": starts connecting and keeps trying every 10 s.
    void connectToServer();
    // "Отключиться": closes the link and stops reconnecting.
    void disconnectFromServer();

    // The socket's active state: true from the connect event (with TLS, the end of
    // a verified handshake) to the disconnect event.
    bool isOpen() const;
    // Open and the login accepted: what every request to the server needs.
    bool ready() const;
    // Whether "Регистрация" may start a connection: not while one it started is
    // under way or open.
    bool registerEnabled() const { return registerEnabled_; }

    // Timer handlers, public so tests call them instead of waiting.
    void PingServerTimer();
    void TimerSendTimer();

    // The tail of the protocol log, oldest first.
    const QStringList& protocolLog() const;
    // Lines logged since start, including those no longer kept.
    quint64 protocolLinesLogged() const { return linesLogged_; }
    void log(const QString& line);

    int serverIndex() const { return serverIndex_; }
    int lookupCount() const { return lookupCount_; }

    QTimer PingServer;
    QTimer TimerSend;

signals:
    void protocolLogAppended(const QString& line);
    // The connection's state in words: "Соединяюсь...", "Соеденился!", "Ошибка соединения"...
    void stateText(const QString& text);
    // A connection attempt was started by "Регистрация".
    void connecting();
    // Connected to address:port, followed by " (TLS)" when encrypted.
    void connected(const QString& server);
    // The link's encryption as set for the coming connections.
    void tlsChanged(bool enabled);
    // The socket's disconnect event (after the link's own handling).
    void disconnected();
    // The cashier pressed "Отключиться".
    void disconnectedByCashier();
    void registerEnabledChanged(bool enabled);

private:
    void makeSocket();
    void openSocket();
    void onStateChanged(QAbstractSocket::SocketState state);
    void onConnected();
    void onEncrypted();
    void onSslErrors(const QList<QSslError>& errors);
    void linkUp(const QString& server);
    // The attempt under way failed: the next tick tries the next server of the list.
    void attemptFailed();
    // Connected over TCP, the TLS handshake not finished yet.
    bool handshaking() const;
    QString handshakeFailureText() const;
    void onDisconnected();
    void onError(QAbstractSocket::SocketError error);
    void onReadyRead();
    void drain();
    void dispatchSafely(const QByteArray& message);
    // The connection is gone: its complete messages are still handled, a
    // partial one is dropped and the buffer's memory returned.
    void endOfConnection();
    void record(const QString& line);
    void recordReceived(const QByteArray& chunk);
    void keepLogTail();
    void setRegisterEnabled(bool enabled);

    const Environment& env_;
    Session& session_;
    Dialogs& dialogs_;
    QString lastRequest_;
    bool registerEnabled_ = true;
    QTcpSocket* socket_ = nullptr;
    QSslSocket* ssl_ = nullptr; // the same socket when TLS is on
    TlsSettings tls_;
    QList<QSslCertificate> trusted_;   // what tlsca holds
    bool tcpConnected_ = false;        // this attempt's TCP connection is up
    bool certificateRejected_ = false; // this attempt's certificate did not verify
    bool sessionUp_ = false;           // from the connect event to the disconnect event
    QString address_;
    quint16 port_ = 0;
    QStringList serverList_;
    int serverIndex_ = 0;
    int lookupCount_ = 0;
    bool attemptStarted_ = false;
    FrameSplitter rxBuffer_;
    // What the socket delivered and the ends of connections, in order, waiting
    // to be handled from the event loop.
    struct Inbound {
        QByteArray bytes;
        bool connectionEnded = false;
    };
    std::deque<Inbound> inbox_;
    bool drainQueued_ = false;
    // The log's lines up to the last time it was read, and those logged since.
    // A received chunk waits as the bytes its line shows and is decoded only
    // when the log is read: a reply arriving in many small reads would
    // otherwise pay a decoded line for each of them.
    struct LogEntry {
        QString text;
        QByteArray received;    // for "Получено=" lines: the head of the chunk
        qsizetype omitted = -1; // for those: how much of the chunk is left out
        qsizetype chars = 0;    // the line's length
    };
    mutable QStringList protocolLog_{QStringLiteral("Memo1")};
    mutable std::deque<LogEntry> freshLog_;
    qsizetype logChars_ = 5;
    quint64 linesLogged_ = 1;
    QHash<QChar, Handler> handlers_;
};
