#include "link/AccountSession.h"

#include "core/AppContext.h"
#include "core/MainWindowModel.h"
#include "link/Messages.h"
#include "link/ServerLink.h"
#include "platform/Convert.h"
#include "platform/Dialogs.h"
#include "platform/SystemClock.h"

#include <QDir>

namespace {
const QString kOptions = QStringLiteral("options");
} // namespace

AccountSession::AccountSession(AppContext& ctx, MainWindowModel& model, ServerLink& link, QObject* parent)
    : QObject(parent), ctx_(ctx), model_(model), link_(link) {
    NewsTime.setObjectName(QStringLiteral("NewsTime"));
    NewsTime.setInterval(300);
    connect(&NewsTime, &QTimer::timeout, this, &AccountSession::NewsTimeTimer);
    connect(&link_, &ServerLink::disconnected, this, [this] {
        login_.waitingCaption = QStringLiteral("Отключились!");
        login_.notify();
    });
    connect(&link_, &ServerLink::disconnectedByCashier, this, &AccountSession::closeLoginWindow);
    using Msg = const QString&;
    link_.setHandler(QLatin1Char('d'), [this](Msg m) { onGreeting(m); });
    link_.setHandler(QLatin1Char('p'), [this](Msg m) { onAccepted(m); });
    link_.setHandler(QLatin1Char('B'), [this](Msg m) { onDeposit(m); });
    link_.setHandler(QLatin1Char('L'), [this](Msg m) { onPasswordResult(m); });
    link_.setHandler(QLatin1Char('N'), [this](Msg m) { onNews(m); });
}

void AccountSession::onGreeting(const QString& message) {
    login_.panel = LoginWindowModel::Panel::Form;
    login_.notify();
    emit greeted();

    // Every number is read before the clock is touched: a bad greeting changes nothing.
    const Messages::Greeting g = Messages::parseGreeting(message.mid(1));
    const QDate date(g.year, g.month, g.day);
    const QTime time(g.hour, g.minute, 0, 0);
    const QDateTime now = ctx_.clock->now();
    // Setting hh:mm:00 on a clock that already shows that minute would move it
    // back by up to 59 seconds and could repeat a transaction id already issued.
    const bool sameMinute =
        now.date() == date && now.time().hour() == g.hour && now.time().minute() == g.minute;
    if (!sameMinute) {
        // A refusal (no right to set the clock, a time or date that does not exist) is ignored.
        if (time.isValid())
            ctx_.clock->setLocalTime(time);
        if (date.isValid())
            ctx_.clock->setLocalDate(date);
    }
    ctx_.loginDateTime = ctx_.clock->now();

    login_.visible = true;
    login_.notify();
}

void AccountSession::login(const QString& login, const QString& password) {
    login_.login = login;
    login_.password = password;
    login_.panel = LoginWindowModel::Panel::Waiting;
    login_.waitingCaption = QStringLiteral("ЖДИТЕ... \n Соединяюсь...");
    login_.notify();

    ctx_.loginTerminal = login;
    emit settingsNeeded();
    ctx_.ipIni.writeString(kOptions, QStringLiteral("terminal"), ctx_.loginTerminal);
    link_.sendRequest(Messages::login(ctx_.loginTerminal, password, ctx_.terminalSettingsStamp,
                                      ctx_.operatorCatalogueStamp));
}

void AccountSession::closeLoginWindow() {
    login_.visible = false;
    login_.notify();
}

void AccountSession::onAccepted(const QString&) {
    link_.disarm();
    link_.log(QStringLiteral("Успешная регистрация"));
    model_.setStatus(StatusPanel::State, QStringLiteral("Успешная регистрация!!!"));
    login_.panel = LoginWindowModel::Panel::Success;
    login_.notify();

    ctx_.registered = true;
    ctx_.terminalNumber = ctx_.ipIni.readString(kOptions, QStringLiteral("terminal"), QStringLiteral("000"));
    model_.setStatus(StatusPanel::Terminal, ctx_.terminalNumber);
    ctx_.loginTerminal = ctx_.terminalNumber;
    ctx_.journalDir = ctx_.programDir + ctx_.loginTerminal + QLatin1Char('/');
    model_.notify();
    if (!QDir().mkpath(ctx_.journalDir)) {
        ctx_.dialogs->message(QStringLiteral("Ошибка при создании каталога ") + ctx_.journalDir);
        emit directoryFailed();
        return;
    }
    model_.terminalText = ctx_.loginTerminal;
    model_.notify();
    emit settingsNeeded();
    emit accepted();
}

void AccountSession::checkDeposit() {
    if (!ctx_.registered)
        return;
    link_.sendRequest({Messages::deposit(ctx_.terminalNumber)});
    model_.depositCheckEnabled = false;
    model_.notify();
}

void AccountSession::onDeposit(const QString& message) {
    model_.depositCheckEnabled = true;
    link_.disarm();
    const Messages::Deposit d = Messages::parseDeposit(message.mid(1));
    if (d.deposit)
        model_.setStatus(StatusPanel::Deposit, *d.deposit);
    if (d.limit)
        model_.setStatus(StatusPanel::Limit, *d.limit);
    model_.notify();
}

void AccountSession::changePassword(const QString& oldPassword, const QString& newPassword,
                                    const QString& repeated) {
    if (!ctx_.registered) {
        ctx_.dialogs->message(QStringLiteral("Произведите регистрацию!!"));
        return;
    }
    // The old password is the one typed at login, also after a successful change.
    const bool valid = oldPassword == login_.password && newPassword == repeated && repeated.size() > 8;
    if (!valid) {
        ctx_.dialogs->message(QStringLiteral("Неправельные данные для замены пароля!"));
        return;
    }
    link_.sendRequest({Messages::passwordChange(login_.login, login_.password, newPassword)});
    model_.passwordChangeEnabled = false;
    model_.notify();
}

void AccountSession::onPasswordResult(const QString& message) {
    const QString result = message.mid(1, 1);
    if (result == QLatin1String("0"))
        ctx_.dialogs->box(QStringLiteral("Произошел сбой при замене пароля!\nПовторите попытку  позже."),
                          QStringLiteral("Замеа пароля"), Dialogs::Icon::Warning);
    else if (result == QLatin1String("1"))
        ctx_.dialogs->message(QStringLiteral("Замена пароля произведена успешно!"));
    model_.passwordChangeEnabled = true;
    model_.notify();
    link_.disarm();
}

void AccountSession::onNews(const QString& message) {
    QString text = message.mid(1);
    text.remove(QLatin1Char('\r'));
    text.remove(QLatin1Char('\n'));
    ctx_.newsText += QString(14, QLatin1Char(' ')) + text;
    if (!NewsTime.isActive())
        NewsTime.start();
}

void AccountSession::NewsTimeTimer() {
    if (ctx_.newsText.size() < newsPos_) {
        newsPos_ = 1;
        ++newsRounds_;
    }
    if (newsPos_ <= ctx_.newsText.size())
        model_.newsCaption += ctx_.newsText.at(newsPos_ - 1);
    if (newsRounds_ > 5) {
        model_.newsCaption.clear();
        newsRounds_ = 0;
    }
    ++newsPos_;
    model_.notify();
}
