#include "link/AccountSession.h"

#include "core/Environment.h"
#include "core/NetworkSettings.h"
#include "core/Session.h"
#include "link/Messages.h"
#include "link/ServerLink.h"
#include "platform/Dialogs.h"
#include "platform/SystemClock.h"

#include <QDir>

AccountSession::AccountSession(const Environment& env, Session& session, NetworkSettings& network,
                               ServerLink& link, Dialogs& dialogs, SystemClock& clock, Hooks hooks,
                               QObject* parent)
    : QObject(parent), env_(env), session_(session), network_(network), link_(link), dialogs_(dialogs),
      clock_(clock), hooks_(std::move(hooks)) {
    connect(&link_, &ServerLink::disconnected, this, [this] {
        login_.waitingCaption = QStringLiteral("Отключились!");
        login_.notify();
    });
    connect(&link_, &ServerLink::disconnectedByCashier, this, [this] {
        setDepositCheckEnabled(false);
        closeLoginWindow();
    });
    using Msg = const QString&;
    link_.setHandler(QLatin1Char('d'), [this](Msg m) { onGreeting(m); });
    link_.setHandler(QLatin1Char('p'), [this](Msg m) { onAccepted(m); });
    link_.setHandler(QLatin1Char('B'), [this](Msg m) { onDeposit(m); });
    link_.setHandler(QLatin1Char('L'), [this](Msg m) { onPasswordResult(m); });
    link_.setHandler(QLatin1Char('N'), [this](Msg m) { onNews(m); });
}

void AccountSession::setDepositCheckEnabled(bool enabled) {
    if (depositCheckEnabled_ == enabled)
        return;
    depositCheckEnabled_ = enabled;
    emit commandsChanged();
}

void AccountSession::setPasswordChangeEnabled(bool enabled) {
    if (passwordChangeEnabled_ == enabled)
        return;
    passwordChangeEnabled_ = enabled;
    emit commandsChanged();
}

void AccountSession::onGreeting(const QString& message) {
    login_.panel = LoginWindowModel::Panel::Form;
    login_.notify();
    emit greeted();

    // Every number is read before the clock is touched: a bad greeting changes nothing.
    const Messages::Greeting g = Messages::parseGreeting(message.mid(1));
    const QDate date(g.year, g.month, g.day);
    const QTime time(g.hour, g.minute, 0, 0);
    const QDateTime now = clock_.now();
    // Setting hh:mm:00 on a clock that already shows that minute would move it
    // back by up to 59 seconds and could repeat a transaction id already issued.
    const bool sameMinute =
        now.date() == date && now.time().hour() == g.hour && now.time().minute() == g.minute;
    if (!sameMinute) {
        // A refusal (no right to set the clock, a time or date that does not exist) is ignored.
        if (time.isValid())
            clock_.setLocalTime(time);
        if (date.isValid())
            clock_.setLocalDate(date);
    }
    session_.setLoginDateTime(clock_.now());

    login_.visible = true;
    login_.notify();
}

void AccountSession::login(const QString& login, const QString& password) {
    typedLogin_ = login;
    typedPassword_ = password;
    login_.panel = LoginWindowModel::Panel::Waiting;
    login_.waitingCaption = QStringLiteral("ЖДИТЕ... \n Соединяюсь...");
    login_.notify();

    session_.setLoginTerminal(login);
    hooks_.applySettings();
    network_.setTerminal(session_.loginTerminal());
    link_.sendRequest(Messages::login(session_.loginTerminal(), password, hooks_.settingsStamp(),
                                      hooks_.catalogueStamp()));
}

void AccountSession::closeLoginWindow() {
    login_.visible = false;
    login_.notify();
}

void AccountSession::onAccepted(const QString&) {
    link_.disarm();
    link_.log(QStringLiteral("Успешная регистрация"));
    emit stateText(QStringLiteral("Успешная регистрация!!!"));
    login_.panel = LoginWindowModel::Panel::Success;
    login_.notify();

    session_.setRegistered(true);
    session_.setTerminalNumber(network_.terminal());
    session_.setLoginTerminal(session_.terminalNumber());
    session_.setJournalDir(env_.terminalDir(session_.loginTerminal()));
    if (!QDir().mkpath(session_.journalDir())) {
        dialogs_.message(QStringLiteral("Ошибка при создании каталога ") + session_.journalDir());
        emit directoryFailed();
        return;
    }
    hooks_.applySettings();
    emit accepted();
}

void AccountSession::checkDeposit() {
    if (!session_.registered())
        return;
    link_.sendRequest({Messages::deposit(session_.terminalNumber())});
    setDepositCheckEnabled(false);
}

void AccountSession::onDeposit(const QString& message) {
    setDepositCheckEnabled(true);
    link_.disarm();
    const Messages::Deposit d = Messages::parseDeposit(message.mid(1));
    if (d.deposit)
        deposit_ = *d.deposit;
    if (d.limit)
        limit_ = *d.limit;
    if (d.deposit || d.limit)
        emit depositChanged();
}

void AccountSession::changePassword(const QString& oldPassword, const QString& newPassword,
                                    const QString& repeated) {
    if (!session_.registered()) {
        dialogs_.message(QStringLiteral("Произведите регистрацию!!"));
        return;
    }
    // The old password is the one typed at login, also after a successful change.
    const bool valid = oldPassword == typedPassword_ && newPassword == repeated && repeated.size() > 8;
    if (!valid) {
        dialogs_.message(QStringLiteral("Неправельные данные для замены пароля!"));
        return;
    }
    link_.sendRequest({Messages::passwordChange(typedLogin_, typedPassword_, newPassword)});
    setPasswordChangeEnabled(false);
}

void AccountSession::onPasswordResult(const QString& message) {
    const QString result = message.mid(1, 1);
    if (result == QLatin1String("0"))
        dialogs_.box(QStringLiteral("Произошел сбой при замене пароля!\nПовторите попытку  позже."),
                     QStringLiteral("Замеа пароля"), Dialogs::Icon::Warning);
    else if (result == QLatin1String("1"))
        dialogs_.message(QStringLiteral("Замена пароля произведена успешно!"));
    setPasswordChangeEnabled(true);
    link_.disarm();
}

void AccountSession::onNews(const QString& message) {
    QString text = message.mid(1);
    text.remove(QLatin1Char('\r'));
    text.remove(QLatin1Char('\n'));
    emit newsReceived(text);
}
