#pragma once

#include "sim/Ledger.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QHash>
#include <QHostAddress>
#include <QList>
#include <QMap>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTcpServer>

#include <deque>
#include <functional>
#include <memory>
#include <vector>

namespace sim {

// A scripted refusal of the next payment: "O" (deposit exhausted) or "(" (no certificate).
enum class Refusal { DepositExhausted, CertificateMissing };

// Plays the payment server for one or more terminals on a loopback address.
// Everything runs on the thread that owns it, driven by its event loop, so a test on the
// same thread can talk to it through a socket and wait with QTest::qWaitFor or QSignalSpy.
class PaymentServer : public QObject {
    Q_OBJECT
public:
    static constexpr quint16 DefaultPort = 5000;
    static const QString DemoLogin;    // "101"
    static const QString DemoPassword; // "kassa2026"
    static constexpr double DefaultDeposit = 15000.00;
    static constexpr double DefaultLimit = 5000.00;
    static constexpr int MaxClients = 64;

    explicit PaymentServer(QObject* parent = nullptr);
    ~PaymentServer() override;

    // From the next listen on, connections speak TLS with this certificate (PEM,
    // the server's own first, then any intermediates) and its private key (PEM,
    // unencrypted). False with a reason when either cannot be used.
    bool useTls(const QString& certificateFile, const QString& keyFile, QString* error = nullptr);
    bool usesTls() const { return tls_; }

    // Loopback addresses only; port 0 takes any free port (see serverPort()).
    bool listen(const QHostAddress& address = QHostAddress(QHostAddress::LocalHost), quint16 port = 0);
    void close();
    bool isListening() const;
    QHostAddress serverAddress() const;
    quint16 serverPort() const;
    QString errorString() const;

    // Accounts: a terminal's login and password; the demo account exists from the start.
    bool addAccount(const QString& login, const QString& password);
    bool hasAccount(const QString& login) const;
    QStringList logins() const;
    QString password(const QString& login) const;
    QString certificate(const QString& login) const;
    bool setCertificate(const QString& login, const QString& certificate);
    double deposit(const QString& login) const;
    double limit(const QString& login) const;
    bool setDeposit(const QString& login, double amount);
    bool setLimit(const QString& login, double amount);
    void setDepositForAll(double amount);
    void setLimitForAll(double amount);

    // Scripting.
    void refuseNextPayment(Refusal how, int count = 1);
    int pendingRefusals() const { return int(refusals_.size()); }
    // Handles the next N requests (messages that would be answered) but drops their answers.
    void staySilent(int requests);
    int silentRequests() const { return silent_; }
    void dropClients();
    // Sends text to every client exactly as given: no terminator is added.
    void sendRaw(const QString& text);
    // Sends one message (terminator added) to every client.
    void sendMessage(const QString& body);
    void sendNews(const QString& text);
    // Answers go out this many milliseconds after the request; 0 answers at once.
    void setReplyDelay(int milliseconds);
    int replyDelay() const { return replyDelayMs_; }
    // Status codes a new row of that kind answers to "UZ", one per request; the last repeats.
    bool setStatusProgression(const QStringList& codes, RowKind kind = RowKind::Payment);
    QStringList statusProgression(RowKind kind = RowKind::Payment) const;
    void setClock(std::function<QDateTime()> clock);
    QDateTime now() const;
    void setMaxUnterminatedBytes(qsizetype bytes);

    // Observing.
    QStringList received() const;
    QStringList sent() const;
    void clearLogs();
    int clientCount() const;
    QList<PaymentRecord> payments() const;

    // What the terminal is sent at login.
    QString catalogueStamp() const;
    QString settingsStamp() const;
    QString operatorIni() const;
    QString settingIni(const QString& login) const;

signals:
    void messageReceived(const QString& message);
    void messageSent(const QString& message);
    void clientConnected();
    void clientDisconnected();
    // Something worth a line in a console log: a client dropped, an answer withheld.
    void notice(const QString& text);

private:
    struct Account {
        QString password;
        QString certificate;
        qint64 deposit = 0;
        qint64 limit = 0;
    };
    struct Session;
    class MessageLog;

    void acceptClients();
    void readClient(Session* session);
    void clientGone(Session* session);
    void removeSession(Session* session);
    void dropSession(Session& session, const QString& reason);
    void handle(Session& session, const QString& message);
    QStringList answer(Session& session, const QString& message);
    void deliver(Session& session, const QStringList& bodies);
    void flushDelayed(Session& session);
    void write(Session& session, const QStringList& bodies);
    QList<Session*> liveSessions() const;

    QString greeting() const;
    QStringList loginReply(Session& session, const QString& body);
    QStringList depositReply(const Session& session) const;
    QStringList passwordReply(const QString& body);
    QStringList paymentReply(const Session& session, const QString& body);
    QStringList statusReply(const QString& transaction);
    QStringList searchReply(const QString& account) const;
    QStringList fileReply(const QString& request) const;
    QString balanceText(const QString& account) const;
    QString nextNews();

    // A QSslServer once useTls() succeeded: it hands over connections whose
    // handshake is done, so every session is encrypted from its first byte.
    std::unique_ptr<QTcpServer> tcp_;
    bool tls_ = false;
    std::vector<std::unique_ptr<Session>> sessions_;
    QMap<QString, Account> accounts_;
    Ledger ledger_;
    QHash<QString, int> goodsSold_;
    QHash<int, QStringList> progressions_;
    std::deque<Refusal> refusals_;
    int silent_ = 0;
    int replyDelayMs_ = 0;
    int newsIndex_ = 0;
    qsizetype maxUnterminated_;
    std::function<QDateTime()> clock_;
    QElapsedTimer monotonic_;
    std::unique_ptr<MessageLog> received_;
    std::unique_ptr<MessageLog> sent_;
};

} // namespace sim
