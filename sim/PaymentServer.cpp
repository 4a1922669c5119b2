#include "sim/PaymentServer.h"

#include "sim/Cp1251.h"
#include "sim/DemoData.h"
#include "sim/DemoHistory.h"
#include "sim/FrameBuffer.h"
#include "sim/Money.h"
#include "sim/Reports.h"

#include <QFile>
#include <QSslConfiguration>
#include <QSslKey>
#include <QSslServer>
#include <QSslSocket>
#include <QTcpSocket>
#include <QTimer>

#include <algorithm>

namespace sim {

const QString PaymentServer::DemoLogin = QStringLiteral("101");
const QString PaymentServer::DemoPassword = QStringLiteral("kassa2026");

namespace {

constexpr qint64 kReadChunk = 1024 * 1024;
constexpr qint64 kMaxBacklog = 64 * 1024 * 1024; // answers a client does not read
constexpr size_t kMaxDelayed = 100000;           // answers held back by a scripted delay
constexpr int kMaxLogEntries = 100000;
constexpr qsizetype kMaxLogChars = 32 * 1024 * 1024;

const QByteArray kTerminator = QByteArrayLiteral("$k$");

// Cuts the text before the first separator off the front of rest, as the terminal does;
// a missing separator gives an empty field and leaves rest alone.
QString takeField(QString& rest, QChar separator) {
    const qsizetype at = rest.indexOf(separator);
    if (at < 0)
        return QString();
    QString field = rest.left(at);
    rest.remove(0, at + 1);
    return field;
}

// Printable ASCII, at most 60 characters, the same for a login on every run.
QString makeCertificate(const QString& login) {
    QString letters;
    for (QChar c : login) {
        if (c.unicode() < 128 && c.isLetterOrNumber())
            letters += c;
    }
    static const char alphabet[] = "ABCDEFGHJKLMNPQRSTUVWXYZ23456789";
    quint64 hash = stableHash(QStringLiteral("orvanta-certificate:") + login);
    QString tail;
    for (int i = 0; i < 8; ++i) {
        tail += QLatin1Char(alphabet[hash % 32]);
        hash /= 32;
    }
    return QStringLiteral("ORV-") + letters.left(40) + QLatin1Char('-') + tail;
}

bool isPrintableAscii(const QString& text) {
    return std::all_of(text.begin(), text.end(),
                       [](QChar c) { return c.unicode() >= 32 && c.unicode() <= 126; });
}

} // namespace

// Bounded in entries and characters: a flood of messages must not exhaust memory.
class PaymentServer::MessageLog {
public:
    void add(const QString& text) {
        entries_.push_back(text);
        chars_ += text.size();
        while (entries_.size() > 1 && (int(entries_.size()) > kMaxLogEntries || chars_ > kMaxLogChars)) {
            chars_ -= entries_.front().size();
            entries_.pop_front();
        }
    }
    QStringList list() const { return QStringList(entries_.begin(), entries_.end()); }
    void clear() {
        entries_.clear();
        chars_ = 0;
    }

private:
    std::deque<QString> entries_;
    qsizetype chars_ = 0;
};

struct PaymentServer::Session {
    QTcpSocket* socket = nullptr;
    FrameBuffer frames;
    QString login; // set by an accepted login
    bool closing = false;
    bool removalScheduled = false;
    QTimer* delayTimer = nullptr;
    struct Delayed {
        qint64 due;
        QStringList bodies;
    };
    std::deque<Delayed> delayed;
    qint64 lastDue = 0;
};

PaymentServer::PaymentServer(QObject* parent)
    : QObject(parent), tcp_(std::make_unique<QTcpServer>()), maxUnterminated_(FrameBuffer::DefaultLimit),
      clock_([] { return QDateTime::currentDateTime(); }), received_(std::make_unique<MessageLog>()),
      sent_(std::make_unique<MessageLog>()) {
    monotonic_.start();
    progressions_[int(RowKind::Payment)] = {"7", "1"};
    progressions_[int(RowKind::Cancellation)] = {"11", "12", "1"};
    progressions_[int(RowKind::Correction)] = {"11", "1"};
    addAccount(DemoLogin, DemoPassword);
    tcp_->setMaxPendingConnections(MaxClients);
    connect(tcp_.get(), &QTcpServer::newConnection, this, &PaymentServer::acceptClients);
}

bool PaymentServer::useTls(const QString& certificateFile, const QString& keyFile, QString* error) {
    auto fail = [error](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    if (!QSslSocket::supportsSsl())
        return fail(QStringLiteral("no TLS backend is available"));
    const QList<QSslCertificate> chain = QSslCertificate::fromPath(certificateFile, QSsl::Pem);
    if (chain.isEmpty())
        return fail(QStringLiteral("no PEM certificate in '%1'").arg(certificateFile));
    QFile file(keyFile);
    if (!file.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("cannot read '%1'").arg(keyFile));
    const QByteArray pem = file.readAll();
    QSslKey key;
    for (QSsl::KeyAlgorithm algorithm : {QSsl::Rsa, QSsl::Ec, QSsl::Dsa}) {
        key = QSslKey(pem, algorithm, QSsl::Pem, QSsl::PrivateKey);
        if (!key.isNull())
            break;
    }
    if (key.isNull())
        return fail(QStringLiteral("no unencrypted PEM private key in '%1'").arg(keyFile));

    QSslConfiguration config = QSslConfiguration::defaultConfiguration();
    config.setLocalCertificateChain(chain);
    config.setPrivateKey(key);
    config.setPeerVerifyMode(QSslSocket::VerifyNone); // terminals bring no certificate
    config.setProtocol(QSsl::TlsV1_2OrLater);
    auto server = std::make_unique<QSslServer>();
    server->setSslConfiguration(config);
    server->setMaxPendingConnections(MaxClients);
    connect(server.get(), &QSslServer::pendingConnectionAvailable, this, &PaymentServer::acceptClients);
    connect(server.get(), &QSslServer::errorOccurred, this,
            [this](QSslSocket* socket, QAbstractSocket::SocketError) {
                emit notice(QStringLiteral("TLS handshake failed: ") + socket->errorString());
            });
    tcp_->close();
    tcp_ = std::move(server);
    tls_ = true;
    return true;
}

PaymentServer::~PaymentServer() {
    for (auto& session : sessions_) {
        QObject::disconnect(session->socket, nullptr, this, nullptr);
        session->socket->abort();
        delete session->socket;
    }
}

bool PaymentServer::listen(const QHostAddress& address, quint16 port) {
    if (!address.isLoopback()) {
        tcp_->close();
        return false;
    }
    return tcp_->listen(address, port);
}

void PaymentServer::close() {
    tcp_->close();
}

bool PaymentServer::isListening() const {
    return tcp_->isListening();
}

QHostAddress PaymentServer::serverAddress() const {
    return tcp_->serverAddress();
}

quint16 PaymentServer::serverPort() const {
    return tcp_->serverPort();
}

QString PaymentServer::errorString() const {
    return tcp_->errorString().isEmpty() ? QStringLiteral("only loopback addresses are served")
                                         : tcp_->errorString();
}

// ---- accounts

bool PaymentServer::addAccount(const QString& login, const QString& password) {
    // The login travels between "d" and "#" and names files and directories on the terminal.
    if (login.isEmpty() || login.contains(QLatin1Char('#')) || login.contains(QLatin1Char('/')) ||
        login.contains(QLatin1Char('$')))
        return false;
    Account account;
    account.password = password;
    account.certificate = makeCertificate(login);
    account.deposit = Money::fromDouble(DefaultDeposit);
    account.limit = Money::fromDouble(DefaultLimit);
    if (accounts_.contains(login)) {
        account.deposit = accounts_[login].deposit;
        account.limit = accounts_[login].limit;
        account.certificate = accounts_[login].certificate;
    }
    accounts_.insert(login, account);
    return true;
}

bool PaymentServer::hasAccount(const QString& login) const {
    return accounts_.contains(login);
}

QStringList PaymentServer::logins() const {
    return accounts_.keys();
}

QString PaymentServer::password(const QString& login) const {
    return accounts_.value(login).password;
}

QString PaymentServer::certificate(const QString& login) const {
    return accounts_.value(login).certificate;
}

bool PaymentServer::setCertificate(const QString& login, const QString& certificate) {
    // The terminal's scrambling only round-trips printable ASCII; ")" would end the field early.
    if (!accounts_.contains(login) || certificate.isEmpty() || certificate.size() > 60 ||
        !isPrintableAscii(certificate) || certificate.contains(QLatin1Char(')')) ||
        certificate.contains(QLatin1Char('$')))
        return false;
    accounts_[login].certificate = certificate;
    return true;
}

double PaymentServer::deposit(const QString& login) const {
    return Money::toDouble(accounts_.value(login).deposit);
}

double PaymentServer::limit(const QString& login) const {
    return Money::toDouble(accounts_.value(login).limit);
}

bool PaymentServer::setDeposit(const QString& login, double amount) {
    if (!accounts_.contains(login))
        return false;
    accounts_[login].deposit = Money::fromDouble(amount);
    return true;
}

bool PaymentServer::setLimit(const QString& login, double amount) {
    if (!accounts_.contains(login))
        return false;
    accounts_[login].limit = Money::fromDouble(amount);
    return true;
}

void PaymentServer::setDepositForAll(double amount) {
    for (Account& account : accounts_)
        account.deposit = Money::fromDouble(amount);
}

void PaymentServer::setLimitForAll(double amount) {
    for (Account& account : accounts_)
        account.limit = Money::fromDouble(amount);
}

// ---- scripting

void PaymentServer::refuseNextPayment(Refusal how, int count) {
    for (int i = 0; i < count; ++i)
        refusals_.push_back(how);
}

void PaymentServer::staySilent(int requests) {
    silent_ = qMax(0, requests);
}

void PaymentServer::dropClients() {
    for (Session* session : liveSessions()) {
        session->closing = true;
        session->delayed.clear();
        session->delayTimer->stop();
        emit notice(QStringLiteral("connection dropped by script"));
        session->socket->disconnectFromHost();
    }
}

void PaymentServer::sendRaw(const QString& text) {
    const QByteArray bytes = Cp1251::encode(text);
    for (Session* session : liveSessions()) {
        session->socket->write(bytes);
        sent_->add(text);
    }
}

void PaymentServer::sendMessage(const QString& body) {
    for (Session* session : liveSessions())
        write(*session, {body});
}

void PaymentServer::sendNews(const QString& text) {
    QString line = text;
    line.remove(QLatin1Char('\r')).remove(QLatin1Char('\n'));
    sendMessage(QStringLiteral("N") + line);
}

void PaymentServer::setReplyDelay(int milliseconds) {
    replyDelayMs_ = qMax(0, milliseconds);
}

bool PaymentServer::setStatusProgression(const QStringList& codes, RowKind kind) {
    if (codes.isEmpty())
        return false;
    for (const QString& code : codes) {
        // The code travels between "Z" and "#".
        if (code.isEmpty() || code.contains(QLatin1Char('#')) || code.contains(QLatin1Char('$')))
            return false;
    }
    progressions_[int(kind)] = codes;
    return true;
}

QStringList PaymentServer::statusProgression(RowKind kind) const {
    return progressions_.value(int(kind));
}

void PaymentServer::setClock(std::function<QDateTime()> clock) {
    clock_ = clock ? std::move(clock) : [] { return QDateTime::currentDateTime(); };
}

QDateTime PaymentServer::now() const {
    return clock_();
}

void PaymentServer::setMaxUnterminatedBytes(qsizetype bytes) {
    maxUnterminated_ = qMax<qsizetype>(16, bytes);
}

// ---- observing

QStringList PaymentServer::received() const {
    return received_->list();
}

QStringList PaymentServer::sent() const {
    return sent_->list();
}

void PaymentServer::clearLogs() {
    received_->clear();
    sent_->clear();
}

int PaymentServer::clientCount() const {
    return int(liveSessions().size());
}

QList<PaymentRecord> PaymentServer::payments() const {
    return ledger_.all();
}

QString PaymentServer::catalogueStamp() const {
    return DemoData::catalogueStamp();
}

QString PaymentServer::settingsStamp() const {
    return DemoData::settingsStamp(serverAddress().toString(), serverPort());
}

QString PaymentServer::operatorIni() const {
    return DemoData::operatorIni();
}

QString PaymentServer::settingIni(const QString& login) const {
    return DemoData::settingIni(login, serverAddress().toString(), serverPort());
}

// ---- connections

QList<PaymentServer::Session*> PaymentServer::liveSessions() const {
    QList<Session*> list;
    for (const auto& session : sessions_) {
        if (!session->closing)
            list << session.get();
    }
    return list;
}

void PaymentServer::acceptClients() {
    while (QTcpSocket* socket = tcp_->nextPendingConnection()) {
        if (int(sessions_.size()) >= MaxClients) {
            emit notice(QStringLiteral("connection refused: too many clients"));
            socket->abort();
            socket->deleteLater();
            continue;
        }
        auto session = std::make_unique<Session>();
        Session* s = session.get();
        s->socket = socket;
        socket->setReadBufferSize(kReadChunk);
        s->delayTimer = new QTimer(socket);
        s->delayTimer->setSingleShot(true);
        s->delayTimer->setTimerType(Qt::PreciseTimer);
        sessions_.push_back(std::move(session));
        connect(s->delayTimer, &QTimer::timeout, this, [this, s] { flushDelayed(*s); });
        connect(socket, &QTcpSocket::readyRead, this, [this, s] { readClient(s); });
        connect(socket, &QTcpSocket::disconnected, this, [this, s] { clientGone(s); });
        emit clientConnected();
        // The terminal sends nothing until it is greeted: the greeting opens its login window.
        write(*s, {greeting()});
    }
}

void PaymentServer::readClient(Session* session) {
    Session& s = *session;
    if (s.closing) {
        s.socket->readAll();
        return;
    }
    s.frames.append(s.socket->readAll());
    QByteArray frame;
    while (!s.closing && s.frames.next(frame))
        handle(s, Cp1251::decode(frame));
    if (!s.closing && s.frames.pending() > maxUnterminated_)
        dropSession(
            s, QStringLiteral("connection dropped: %1 bytes without a terminator").arg(s.frames.pending()));
}

void PaymentServer::dropSession(Session& session, const QString& reason) {
    session.closing = true;
    session.delayed.clear();
    session.frames.clear();
    emit notice(reason);
    session.socket->abort();
    clientGone(&session);
}

void PaymentServer::clientGone(Session* session) {
    session->closing = true;
    if (session->removalScheduled)
        return;
    session->removalScheduled = true;
    session->delayTimer->stop();
    emit clientDisconnected();
    // Removal waits for the event loop: this may run inside the session's own read handler.
    QTimer::singleShot(0, this, [this, session] { removeSession(session); });
}

void PaymentServer::removeSession(Session* session) {
    auto it = std::find_if(sessions_.begin(), sessions_.end(),
                           [session](const auto& s) { return s.get() == session; });
    if (it == sessions_.end())
        return;
    QObject::disconnect(session->socket, nullptr, this, nullptr);
    QObject::disconnect(session->delayTimer, nullptr, this, nullptr);
    session->socket->deleteLater();
    sessions_.erase(it);
}

// ---- messages

void PaymentServer::handle(Session& session, const QString& message) {
    received_->add(message);
    emit messageReceived(message);
    if (session.closing)
        return; // a listener dropped the connection
    const QStringList replies = answer(session, message);
    if (!replies.isEmpty()) {
        if (silent_ > 0) {
            --silent_;
            emit notice(QStringLiteral("answer withheld (%1 more to withhold)").arg(silent_));
        } else {
            deliver(session, replies);
        }
    }
}

QStringList PaymentServer::answer(Session& session, const QString& message) {
    if (message.isEmpty())
        return {};
    if (message.startsWith(QLatin1String("UZ")))
        return statusReply(message.mid(2));
    if (message.startsWith(QLatin1String("Ub")))
        return {}; // the terminal met a status it has no row for; nothing to answer
    if (message.startsWith(QLatin1String("Ux")))
        return searchReply(message.mid(2));
    if (message.startsWith(QLatin1String("QN")))
        return {QStringLiteral("N") + nextNews()};
    if (message.startsWith(QLatin1Char('J')) || message.startsWith(QLatin1Char('F')))
        return fileReply(message);
    switch (message.at(0).unicode()) {
    case u'd':
        return loginReply(session, message.mid(1));
    case u'B':
        return depositReply(session);
    case u'l':
        return passwordReply(message.mid(1));
    case u'o':
        return paymentReply(session, message.mid(1));
    default:
        return {}; // "T" keep-alives and anything unknown
    }
}

void PaymentServer::deliver(Session& session, const QStringList& bodies) {
    if (replyDelayMs_ <= 0 && session.delayed.empty()) {
        write(session, bodies);
        return;
    }
    // Answers keep their order even when the delay is shortened meanwhile.
    const qint64 due = qMax(monotonic_.elapsed() + replyDelayMs_, session.lastDue);
    session.lastDue = due;
    if (session.delayed.size() >= kMaxDelayed) {
        dropSession(session, QStringLiteral("connection dropped: too many answers waiting for the delay"));
        return;
    }
    session.delayed.push_back({due, bodies});
    if (!session.delayTimer->isActive())
        session.delayTimer->start(int(qMax<qint64>(0, session.delayed.front().due - monotonic_.elapsed())));
}

void PaymentServer::flushDelayed(Session& session) {
    const qint64 now = monotonic_.elapsed();
    while (!session.closing && !session.delayed.empty() && session.delayed.front().due <= now) {
        const QStringList bodies = session.delayed.front().bodies;
        session.delayed.pop_front();
        write(session, bodies);
    }
    if (!session.closing && !session.delayed.empty())
        session.delayTimer->start(int(qMax<qint64>(0, session.delayed.front().due - now)));
}

void PaymentServer::write(Session& session, const QStringList& bodies) {
    if (session.closing)
        return;
    QByteArray bytes;
    for (const QString& body : bodies) {
        bytes += Cp1251::encode(body);
        bytes += kTerminator;
    }
    session.socket->write(bytes);
    for (const QString& body : bodies) {
        sent_->add(body);
        emit messageSent(body);
    }
    if (session.socket->bytesToWrite() > kMaxBacklog)
        dropSession(session, QStringLiteral("connection dropped: the client does not read its answers"));
}

QString PaymentServer::greeting() const {
    const QDateTime now = clock_();
    return QStringLiteral("d") + now.toString(QStringLiteral("dd.MM.yy")) + QLatin1Char('#') +
           now.toString(QStringLiteral("HH:mm"));
}

QStringList PaymentServer::loginReply(Session& session, const QString& body) {
    QString rest = body;
    const QString login = takeField(rest, QLatin1Char('#'));
    const QString password = takeField(rest, QLatin1Char('#'));
    const QString settingsStamp = takeField(rest, QLatin1Char('!'));
    const QString catalogueStamp = rest;
    auto account = accounts_.constFind(login);
    if (login.isEmpty() || account == accounts_.constEnd() || account->password != password) {
        // A fresh greeting brings the terminal's login form back, so the cashier can try again.
        return {QStringLiteral("HfНеверный логин или пароль"), greeting()};
    }
    session.login = login;
    QStringList replies;
    if (catalogueStamp != this->catalogueStamp())
        replies << QStringLiteral("G") + operatorIni();
    if (settingsStamp != this->settingsStamp())
        replies << QStringLiteral("Q") + settingIni(login);
    replies << QStringLiteral(")") + account->certificate << QStringLiteral("p");
    return replies;
}

QStringList PaymentServer::depositReply(const Session& session) const {
    auto account = accounts_.constFind(session.login);
    if (session.login.isEmpty() || account == accounts_.constEnd())
        return {QStringLiteral("X")}; // not logged in: stop the terminal's watchdog, tell nothing
    return {QStringLiteral("Bb") + Money::format(account->deposit) + QStringLiteral("#l") +
            Money::format(account->limit) + QLatin1Char('#')};
}

QStringList PaymentServer::passwordReply(const QString& body) {
    QString rest = body;
    const QString login = takeField(rest, QLatin1Char('#'));
    const QString current = takeField(rest, QLatin1Char('#'));
    const QString replacement = rest;
    auto account = accounts_.find(login);
    if (account == accounts_.end() || account->password != current || replacement.isEmpty())
        return {QStringLiteral("L0")};
    account->password = replacement;
    return {QStringLiteral("L1")};
}

QStringList PaymentServer::paymentReply(const Session& session, const QString& body) {
    QString rest = body;
    PaymentRecord record;
    record.transaction = takeField(rest, QLatin1Char('#'));
    record.paymentType = takeField(rest, QLatin1Char('$'));
    record.article = takeField(rest, QLatin1Char('?'));
    record.received = takeField(rest, QLatin1Char('!'));
    record.credited = takeField(rest, QLatin1Char('/'));
    record.account = takeField(rest, QLatin1Char('#'));
    const QString certificate = takeField(rest, QLatin1Char(')'));

    // A logged-in terminal pays from its own account; otherwise the certificate names it.
    auto account = accounts_.end();
    if (!session.login.isEmpty()) {
        account = accounts_.find(session.login);
    } else if (!certificate.isEmpty()) {
        account = std::find_if(accounts_.begin(), accounts_.end(),
                               [&certificate](const Account& a) { return a.certificate == certificate; });
    }
    if (account == accounts_.end() || certificate.isEmpty() || account->certificate != certificate)
        return {QStringLiteral("(")};

    if (record.paymentType == QLatin1String("20") && record.received == QLatin1String("9999") &&
        record.credited == QLatin1String("9999"))
        return {QStringLiteral("Hf") + balanceText(record.account)};

    if (record.transaction.isEmpty())
        return {QStringLiteral("HfПлатёж без номера транзакции отклонён")};
    if (ledger_.find(record.transaction))
        return {QStringLiteral("o") + record.transaction}; // a resend: acknowledged, not charged again

    if (!refusals_.empty()) {
        const Refusal how = refusals_.front();
        refusals_.pop_front();
        emit notice(QStringLiteral("payment %1 refused by script").arg(record.transaction));
        return {how == Refusal::DepositExhausted ? QStringLiteral("O") : QStringLiteral("(")};
    }
    if (!Money::parse(record.credited, &record.creditedCents))
        return {QStringLiteral("HfПлатёж %1 отклонён: неверная сумма «%2»")
                    .arg(record.transaction, record.credited)};

    if (record.creditedCents < 0) {
        // Cancellations and corrections are requests; the operator decides, no money moves now.
        record.kind = record.account.contains(QLatin1Char('+')) ? RowKind::Correction : RowKind::Cancellation;
    } else {
        if (record.creditedCents > account->deposit)
            return {QStringLiteral("O")};
        account->deposit -= record.creditedCents;
        if (record.paymentType == QLatin1String("T")) {
            // A sale's account is the questionnaire; its fourth field is the quantity.
            const QStringList fields = record.account.split(QLatin1Char('&'));
            bool ok = false;
            const int quantity = fields.size() > 3 ? fields.at(3).trimmed().toInt(&ok) : 0;
            goodsSold_[record.article] += ok && quantity > 0 ? quantity : 1;
        }
    }
    record.terminal = account.key();
    record.at = clock_();
    record.statuses = progressions_.value(int(record.kind));
    ledger_.add(record);
    return {QStringLiteral("o") + record.transaction};
}

QStringList PaymentServer::statusReply(const QString& transaction) {
    PaymentRecord* record = ledger_.find(transaction);
    if (!record)
        return {QStringLiteral("Z-#") + transaction};
    const QString code = Ledger::nextStatus(*record);
    if (code == QLatin1String("9") && record->kind == RowKind::Payment && !record->refunded) {
        // Returned to the agent: the money goes back to the deposit, once.
        record->refunded = true;
        auto account = accounts_.find(record->terminal);
        if (account != accounts_.end())
            account->deposit += record->creditedCents;
    }
    return {QStringLiteral("Z") + code + QLatin1Char('#') + transaction};
}

QStringList PaymentServer::searchReply(const QString& account) const {
    const Reports reports(ledger_, clock_(), goodsSold_);
    QString text = QStringLiteral("x") + account + QLatin1Char('\n');
    for (const QString& line : reports.search(account))
        text += line + QLatin1Char('\n');
    return {text};
}

QStringList PaymentServer::fileReply(const QString& request) const {
    const Reports reports(ledger_, clock_(), goodsSold_);
    const QString kind = request.left(2);
    QString rest = request.mid(2);
    if (kind == QLatin1String("Fp"))
        return {QStringLiteral("fp") + rest + QLatin1Char('/') + reports.priceList()};
    if (kind == QLatin1String("Fs"))
        return {QStringLiteral("fs") + rest + QLatin1Char('/') + reports.stock()};
    if (kind == QLatin1String("Fv"))
        return {QStringLiteral("fv") + rest + QLatin1Char('/') + reports.turnover(rest)};
    // The file names repeat the request's own texts: the terminal reads month and day back from them.
    const QString terminal = takeField(rest, QLatin1Char('#'));
    if (kind == QLatin1String("J6"))
        return {QStringLiteral("f6") + terminal + QLatin1Char('#') + rest + QLatin1Char('/') +
                reports.yearFile(terminal, rest)};
    if (kind == QLatin1String("J8")) {
        const QString month = takeField(rest, QLatin1Char('#'));
        return {QStringLiteral("f8") + terminal + QLatin1Char('#') + month + QLatin1Char('#') + rest +
                QLatin1Char('/') + reports.monthFile(terminal, month, rest)};
    }
    if (kind == QLatin1String("J9")) {
        const QString month = takeField(rest, QLatin1Char('#'));
        const QString day = takeField(rest, QLatin1Char('#'));
        return {QStringLiteral("f9") + terminal + QLatin1Char('#') + month + QLatin1Char('#') + day +
                QLatin1Char('/') + reports.dayFile(terminal, month, day, rest)};
    }
    return {};
}

QString PaymentServer::balanceText(const QString& account) const {
    // Invented, but the same account always shows the same balance.
    const qint64 cents = qint64(stableHash(QStringLiteral("balance:") + account) % 50000);
    return QStringLiteral("Баланс абонента %1: %2 сомони").arg(account, Money::format(cents));
}

QString PaymentServer::nextNews() {
    const QStringList& news = DemoData::news();
    return news.at(newsIndex_++ % news.size());
}

} // namespace sim
