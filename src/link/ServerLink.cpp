#include "link/ServerLink.h"

#include "core/Environment.h"
#include "core/Session.h"
#include "link/Messages.h"
#include "platform/Dialogs.h"
#include "platform/TextCodec.h"

#include <QMetaMethod>
#include <QSslConfiguration>
#include <QSslSocket>
#include <QTcpSocket>

#include <algorithm>
#include <exception>

namespace {
// The commands the server sends, by their first character.
const QString kServerCommands = QStringLiteral("()BGHLNOPQXZdfnopx");
} // namespace

ServerLink::ServerLink(const Environment& env, Session& session, Dialogs& dialogs, QObject* parent)
    : QObject(parent), env_(env), session_(session), dialogs_(dialogs) {
    makeSocket();
    PingServer.setObjectName(QStringLiteral("PingServer"));
    PingServer.setInterval(ConnectedPingMs);
    TimerSend.setObjectName(QStringLiteral("TimerSend"));
    TimerSend.setInterval(ReplyWatchdogMs);
    TimerSend.setSingleShot(false);

    connect(&PingServer, &QTimer::timeout, this, &ServerLink::PingServerTimer);
    connect(&TimerSend, &QTimer::timeout, this, &ServerLink::TimerSendTimer);

    // Commands that only need the link itself.
    setHandler(QLatin1Char('P'), [this](const QString&) { log(QStringLiteral("Hello")); });
    setHandler(QLatin1Char('X'), [this](const QString&) { disarm(); });
    setHandler(QLatin1Char('n'), [](const QString&) {});
    setHandler(QLatin1Char('H'), [this](const QString& message) {
        const QString payload = message.mid(1);
        if (payload.startsWith(QLatin1Char('f')))
            dialogs_.box(payload.mid(1), QStringLiteral("Выполнение формы"), Dialogs::Icon::Warning);
    });
}

ServerLink::~ServerLink() {
    // No events reach the logic while the link goes away.
    socket_->disconnect(this);
    socket_->abort();
}

void ServerLink::makeSocket() {
    if (tls_.enabled) {
        ssl_ = new QSslSocket(this);
        socket_ = ssl_;
    } else {
        ssl_ = nullptr;
        socket_ = new QTcpSocket(this);
    }
    socket_->setObjectName(QStringLiteral("ClientSocket1"));
    socket_->setReadBufferSize(ReadBufferBytes);
    connect(socket_, &QAbstractSocket::stateChanged, this, &ServerLink::onStateChanged);
    connect(socket_, &QAbstractSocket::connected, this, &ServerLink::onConnected);
    connect(socket_, &QAbstractSocket::disconnected, this, &ServerLink::onDisconnected);
    connect(socket_, &QAbstractSocket::errorOccurred, this, &ServerLink::onError);
    connect(socket_, &QIODevice::readyRead, this, &ServerLink::onReadyRead);
    if (ssl_) {
        connect(ssl_, &QSslSocket::encrypted, this, &ServerLink::onEncrypted);
        connect(ssl_, qOverload<const QList<QSslError>&>(&QSslSocket::sslErrors), this,
                &ServerLink::onSslErrors);
    }
}

void ServerLink::setTls(const TlsSettings& tls) {
    tls_ = tls;
    if (tls_.enabled != (ssl_ != nullptr)) {
        socket_->disconnect(this);
        socket_->abort();
        delete socket_;
        makeSocket();
    }
    trusted_.clear();
    if (ssl_) {
        QSslConfiguration config = QSslConfiguration::defaultConfiguration();
        config.setPeerVerifyMode(QSslSocket::VerifyPeer);
        config.setProtocol(QSsl::TlsV1_2OrLater);
        if (!tls_.caFile.isEmpty()) {
            // Only what the file holds is trusted; a file that cannot be read
            // trusts nothing rather than falling back to the system's authorities.
            const QList<QSslCertificate> trusted = QSslCertificate::fromPath(tls_.caFile, QSsl::Pem);
            if (trusted.isEmpty())
                log(QStringLiteral("Не прочитаны сертификаты ") + tls_.caFile);
            config.setCaCertificates(trusted);
            trusted_ = trusted;
        }
        ssl_->setSslConfiguration(config);
    }
    emit tlsChanged(tls_.enabled);
}

void ServerLink::setPeer(const QString& address, quint16 port) {
    address_ = address;
    port_ = port;
}

bool ServerLink::isOpen() const {
    return socket_->state() == QAbstractSocket::ConnectedState && (!ssl_ || ssl_->isEncrypted());
}

bool ServerLink::handshaking() const {
    return ssl_ && attemptStarted_ && tcpConnected_ && !ssl_->isEncrypted();
}

bool ServerLink::ready() const {
    return isOpen() && session_.registered();
}

void ServerLink::setRegisterEnabled(bool enabled) {
    if (registerEnabled_ == enabled)
        return;
    registerEnabled_ = enabled;
    emit registerEnabledChanged(enabled);
}

namespace {

const QString kReceived = QStringLiteral("Получено=");

// A line cut to its head says how much of it was left out.
QString cutMarker(qsizetype omitted) {
    return QStringLiteral("...(+%1)").arg(omitted);
}

QString receivedLine(const QByteArray& head, qsizetype omitted) {
    QString line;
    line.reserve(kReceived.size() + head.size() + (omitted > 0 ? 24 : 0));
    line += kReceived;
    TextCodec::appendCp1251(line, head);
    if (omitted > 0)
        line += cutMarker(omitted);
    return line;
}

} // namespace

void ServerLink::log(const QString& line) {
    if (line.size() > MaxLogLineChars)
        record(line.left(MaxLogLineChars) + cutMarker(line.size() - MaxLogLineChars));
    else
        record(line);
}

void ServerLink::record(const QString& line) {
    ++linesLogged_;
    freshLog_.push_back(LogEntry{line, QByteArray(), -1, line.size()});
    logChars_ += line.size();
    keepLogTail();
    emit protocolLogAppended(line);
}

void ServerLink::recordReceived(const QByteArray& chunk) {
    // Only the head of a long chunk is logged, and only that head is kept: the
    // log never holds on to a whole multi-megabyte reply.
    const qsizetype logged = qMin(chunk.size(), MaxLogLineChars - kReceived.size());
    const qsizetype omitted = chunk.size() - logged;
    const bool copyHead = omitted > 0 || chunk.capacity() > 2 * MaxLogLineChars;
    LogEntry entry{QString(), copyHead ? chunk.first(logged) : chunk, omitted, kReceived.size() + logged};
    if (omitted > 0)
        entry.chars += cutMarker(omitted).size();
    ++linesLogged_;
    logChars_ += entry.chars;
    // Decoded at once only for someone who shows every line as it comes.
    static const QMetaMethod appended = QMetaMethod::fromSignal(&ServerLink::protocolLogAppended);
    const QString line = isSignalConnected(appended) ? receivedLine(entry.received, omitted) : QString();
    freshLog_.push_back(std::move(entry));
    keepLogTail();
    if (!line.isNull())
        emit protocolLogAppended(line);
}

void ServerLink::keepLogTail() {
    const auto lines = [this] { return protocolLog_.size() + qsizetype(freshLog_.size()); };
    while (lines() > 1 && (lines() > MaxLogLines || logChars_ > MaxLogChars)) {
        if (!protocolLog_.isEmpty()) {
            logChars_ -= protocolLog_.front().size();
            protocolLog_.removeFirst();
        } else {
            logChars_ -= freshLog_.front().chars;
            freshLog_.pop_front();
        }
    }
}

const QStringList& ServerLink::protocolLog() const {
    for (LogEntry& entry : freshLog_)
        protocolLog_.append(entry.omitted < 0 ? std::move(entry.text)
                                              : receivedLine(entry.received, entry.omitted));
    freshLog_.clear();
    return protocolLog_;
}

void ServerLink::sendMessage(const QString& body) {
    const QByteArray bytes = Framing::frame(body);
    if (isOpen())
        socket_->write(bytes);
}

void ServerLink::sendRequest(const QStringList& bodies) {
    QByteArray bytes;
    for (const QString& body : bodies)
        bytes += Framing::frame(body);
    lastRequest_ = TextCodec::fromCp1251(bytes);
    if (isOpen())
        socket_->write(bytes);
    TimerSend.start();
}

void ServerLink::setHandler(QChar command, Handler handler) {
    handlers_.insert(command, std::move(handler));
}

bool ServerLink::isServerCommand(QChar c) {
    return kServerCommands.contains(c);
}

void ServerLink::dispatchMessage(const QString& message) {
    if (message.isEmpty() || !isServerCommand(message.front()))
        return;
    const auto it = handlers_.constFind(message.front());
    if (it != handlers_.constEnd() && *it)
        (*it)(message);
}

void ServerLink::connectToServer() {
    setRegisterEnabled(false);
    emit connecting();
    PingServer.setInterval(ConnectingPingMs);
    PingServer.start();
    if (isOpen())
        return;
    log(QStringLiteral("Socket1 Open"));
    openSocket();
}

void ServerLink::openSocket() {
    // An attempt already under way is left to finish.
    if (socket_->state() != QAbstractSocket::UnconnectedState)
        return;
    attemptStarted_ = true;
    if (ssl_) {
        tcpConnected_ = false;
        certificateRejected_ = false;
        ssl_->connectToHostEncrypted(address_, port_, tls_.peerName.isEmpty() ? address_ : tls_.peerName);
    } else {
        socket_->connectToHost(address_, port_);
    }
}

void ServerLink::onStateChanged(QAbstractSocket::SocketState state) {
    if (state == QAbstractSocket::HostLookupState) {
        ++lookupCount_;
    } else if (state == QAbstractSocket::ConnectingState) {
        emit stateText(lookupCount_ == 0   ? QStringLiteral("Соединяюсь.")
                       : lookupCount_ == 1 ? QStringLiteral("Соединяюсь..")
                                           : QStringLiteral("Соединяюсь..."));
    }
}

void ServerLink::onConnected() {
    if (ssl_) {
        // Only the handshake's end makes the connection.
        tcpConnected_ = true;
        return;
    }
    linkUp(address_ + QLatin1Char(':') + QString::number(port_));
}

void ServerLink::onEncrypted() {
    linkUp(address_ + QLatin1Char(':') + QString::number(port_) + QStringLiteral(" (TLS)"));
}

void ServerLink::onSslErrors(const QList<QSslError>& errors) {
    // The server's own certificate may be the one trusted, whoever signed it:
    // then only its missing chain is forgiven, never its name or its dates.
    static const QList<QSslError::SslError> chainOnly = {
        QSslError::UnableToGetIssuerCertificate, QSslError::UnableToGetLocalIssuerCertificate,
        QSslError::UnableToVerifyFirstCertificate, QSslError::SelfSignedCertificateInChain,
        QSslError::CertificateUntrusted};
    const bool pinned = trusted_.contains(ssl_->peerCertificate()) &&
                        std::all_of(errors.begin(), errors.end(),
                                    [](const QSslError& e) { return chainOnly.contains(e.error()); });
    if (pinned) {
        ssl_->ignoreSslErrors();
        return;
    }
    // Not ignored: the socket ends the handshake and reports it as an error.
    certificateRejected_ = true;
    for (const QSslError& e : errors)
        log(QStringLiteral("Сертификат сервера: ") + e.errorString());
}

QString ServerLink::handshakeFailureText() const {
    return certificateRejected_ ? QStringLiteral("Сертификат сервера не подтвержден")
                                : QStringLiteral("Ошибка защищенного соединения");
}

void ServerLink::linkUp(const QString& server) {
    attemptStarted_ = false;
    sessionUp_ = true;
    emit stateText(QStringLiteral("Соеденился!"));
    // Also a connection the keep-alive tick re-opened: with the link up,
    // "Регистрация" has nothing to do until the next disconnect.
    setRegisterEnabled(false);
    emit connected(server);
    PingServer.setInterval(ConnectedPingMs);
    if (PingServer.isActive())
        PingServer.start();
}

void ServerLink::onDisconnected() {
    if (ssl_ && !sessionUp_) {
        // A handshake that never finished: the attempt failed, nothing was
        // connected, so nothing is disconnected.
        if (attemptStarted_) {
            log(QStringLiteral("Error Connecting1!"));
            emit stateText(handshakeFailureText());
            session_.setRegistered(false);
            attemptFailed();
        }
        return;
    }
    sessionUp_ = false;
    inbox_.push_back({QByteArray(), true});
    if (!drainQueued_) {
        drainQueued_ = true;
        QMetaObject::invokeMethod(this, &ServerLink::drain, Qt::QueuedConnection);
    }
    emit stateText(QStringLiteral("Отключился"));
    log(QStringLiteral("Отключился"));
    session_.setRegistered(false);
    setRegisterEnabled(true);
    emit disconnected();
}

void ServerLink::onError(QAbstractSocket::SocketError error) {
    // A peer closing an open connection is a disconnect, not an error.
    if (error == QAbstractSocket::RemoteHostClosedError && !attemptStarted_)
        return;
    log(QStringLiteral("Error Connecting1!"));
    const bool secure =
        ssl_ && attemptStarted_ &&
        (tcpConnected_ || error == QAbstractSocket::SslHandshakeFailedError ||
         error == QAbstractSocket::SslInternalError || error == QAbstractSocket::SslInvalidUserDataError);
    if (secure) {
        log(QStringLiteral("Ошибка TLS: ") + socket_->errorString());
        emit stateText(handshakeFailureText());
    } else {
        emit stateText(QStringLiteral("Ошибка соединения ") + address_);
    }
    session_.setRegistered(false);
    if (!attemptStarted_)
        return;
    attemptFailed();
}

void ServerLink::attemptFailed() {
    attemptStarted_ = false;
    socket_->abort();
    if (serverIndex_ >= serverList_.size())
        serverIndex_ = 0;
    if (serverIndex_ < serverList_.size()) {
        address_ = serverList_.at(serverIndex_);
        ++serverIndex_;
    } else {
        emit stateText(QStringLiteral("Подключение к другому серверу ") + address_);
    }
}

void ServerLink::onReadyRead() {
    // Read at once, handle from the event loop. A handler's message box then runs
    // outside the socket's readyRead, which the socket never emits while one of its
    // slots is running: data arriving under the box would otherwise wait, unread,
    // for yet another packet. Reads wait in one buffer for one queued drain, and
    // the socket's own buffer is bounded, so a flood costs no more memory than that.
    const QByteArray chunk = socket_->readAll();
    if (chunk.isEmpty())
        return;
    if (!inbox_.empty() && !inbox_.back().connectionEnded)
        inbox_.back().bytes += chunk;
    else
        inbox_.push_back({chunk, false});
    if (!drainQueued_) {
        drainQueued_ = true;
        QMetaObject::invokeMethod(this, &ServerLink::drain, Qt::QueuedConnection);
    }
}

void ServerLink::drain() {
    drainQueued_ = false;
    // A box opened by a handler runs the event loop; a drain run under it takes
    // the rest in order, and this one then finds the inbox empty.
    while (!inbox_.empty()) {
        Inbound piece = std::move(inbox_.front());
        inbox_.pop_front();
        if (piece.connectionEnded)
            endOfConnection();
        else
            receive(piece.bytes);
    }
}

void ServerLink::endOfConnection() {
    // A message begun on one connection is never completed by the next one's
    // bytes. The complete ones are taken out before any of them is handled, so a
    // handler's box cannot let new bytes join the partial one.
    std::vector<QByteArray> complete;
    QByteArray message;
    while (rxBuffer_.next(&message))
        complete.push_back(std::move(message));
    rxBuffer_.clear();
    for (const QByteArray& m : complete)
        dispatchSafely(m);
}

void ServerLink::receive(const QByteArray& chunk) {
    recordReceived(chunk);
    rxBuffer_.append(chunk);
    if (rxBuffer_.pending() > MaxPendingBytes) {
        // Memory stays bounded: drop what cannot be a message and let the link reconnect.
        rxBuffer_.clear();
        log(QStringLiteral("Слишком длинное сообщение сервера: соединение разорвано"));
        socket_->abort();
        return;
    }
    QByteArray message;
    while (rxBuffer_.next(&message))
        dispatchSafely(message);
}

void ServerLink::dispatchSafely(const QByteArray& message) {
    try {
        dispatchMessage(TextCodec::fromCp1251(message));
    } catch (const std::exception& e) {
        // The failed message is gone; the ones behind it are still handled now,
        // not left waiting for a packet that may never come.
        dialogs_.exception(QString::fromUtf8(e.what()));
    }
}

void ServerLink::PingServerTimer() {
    if (isOpen()) {
        try {
            sendMessage(Messages::keepAlive(session_.terminalNumber(), env_.version()));
        } catch (const std::exception&) {
            // A keep-alive that cannot be sent is simply skipped.
        }
        return;
    }
    if (handshaking()) {
        // A handshake has until the next tick: a server that never answers it
        // (one that waits for the client to speak in clear) is a failed attempt.
        log(QStringLiteral("Error Connecting1!"));
        emit stateText(QStringLiteral("Ошибка защищенного соединения"));
        session_.setRegistered(false);
        attemptFailed();
        return;
    }
    openSocket();
}

void ServerLink::TimerSendTimer() {
    TimerSend.stop();
    const bool retry =
        dialogs_.retryCancel(QStringLiteral("Сервер не отвечает!\nПовторите попытку  позже."),
                                  QStringLiteral("Запрос серверу"), Dialogs::Icon::Warning);
    if (retry && isOpen()) {
        log(QStringLiteral("Отправка запроса=") + lastRequest_);
        socket_->write(TextCodec::toCp1251(lastRequest_));
        TimerSend.start();
    }
}

void ServerLink::disconnectFromServer() {
    attemptStarted_ = false;
    socket_->abort();
    PingServer.stop();
    setRegisterEnabled(true);
    emit disconnectedByCashier();
}
