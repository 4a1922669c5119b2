#include "link/AccountSession.h"

#include "core/AppContext.h"
#include "core/MainWindowModel.h"
#include "link/ServerLink.h"
#include "platform/Convert.h"
#include "platform/Dialogs.h"
#include "platform/SystemClock.h"

#include <QDir>

namespace {
const QString kOptions = QStringLiteral("options");

// Text before the first separator, and the rest after it (empty when missing).
QString takeField(QString& text, QChar separator) {
    const qsizetype at = text.indexOf(separator);
    if (at < 0) {
        const QString field = text;
        text.clear();
        return field;
    }
    const QString field = text.left(at);
    text.remove(0, at + 1);
    return field;
}
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
    connect(&link_, &ServerLink::closeLoginWindow, this, &AccountSession::closeLoginWindow);
}

void AccountSession::onGreeting(const QString& message) {
    login_.panel = LoginWindowModel::Panel::Form;
    login_.notify();
    model_.panel4Visible = false;
    model_.gridEnabled = true;
    model_.notify();

    // Every number is read before the clock is touched: a bad greeting changes nothing.
    QString datePart = message.mid(1);
    const qsizetype hash = datePart.indexOf(QLatin1Char('#'));
    QString timePart = hash < 0 ? QString() : datePart.mid(hash + 1);
    if (hash >= 0)
        datePart.truncate(hash);
    const int day = Convert::strToInt(takeField(datePart, QLatin1Char('.')));
    const int month = Convert::strToInt(takeField(datePart, QLatin1Char('.')));
    const int year = Convert::strToInt(QStringLiteral("20") + datePart);
    const int hour = Convert::strToInt(takeField(timePart, QLatin1Char(':')));
    const int minute = Convert::strToInt(timePart);

    const QDate date(year, month, day);
    const QTime time(hour, minute, 0, 0);
    const QDateTime now = ctx_.clock->now();
    // Setting hh:mm:00 on a clock that already shows that minute would move it
    // back by up to 59 seconds and could repeat a transaction id already issued.
    const bool sameMinute = now.date() == date && now.time().hour() == hour && now.time().minute() == minute;
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
    login_.edit1 = login;
    login_.edit2 = password;
    login_.panel = LoginWindowModel::Panel::Waiting;
    login_.waitingCaption = QStringLiteral("ЖДИТЕ... \n Соединяюсь...");
    login_.notify();

    ctx_.loginTerminal = login;
    if (applyTerminalSettings)
        applyTerminalSettings();
    ctx_.ipIni.writeString(kOptions, QStringLiteral("terminal"), ctx_.loginTerminal);
    link_.sendRequest({QStringLiteral("d") + ctx_.loginTerminal + QLatin1Char('#') + password + QLatin1Char('#') +
                           ctx_.terminalSettingsStamp + QLatin1Char('!') + ctx_.operatorCatalogueStamp,
                       QStringLiteral("B") + login, QStringLiteral("QN")});
}

void AccountSession::closeLoginWindow() {
    login_.visible = false;
    login_.notify();
}

void AccountSession::onAccepted(const QString&) {
    link_.disarm();
    link_.log(QStringLiteral("Успешная регистрация"));
    model_.statusPanel[1] = QStringLiteral("Успешная регистрация!!!");
    login_.panel = LoginWindowModel::Panel::Success;
    login_.notify();

    ctx_.registered = true;
    ctx_.terminalNumber = ctx_.ipIni.readString(kOptions, QStringLiteral("terminal"), QStringLiteral("000"));
    model_.statusPanel[7] = ctx_.terminalNumber;
    ctx_.loginTerminal = ctx_.terminalNumber;
    ctx_.journalDir = ctx_.programDir + ctx_.loginTerminal + QLatin1Char('/');
    model_.notify();
    if (!QDir().mkpath(ctx_.journalDir)) {
        ctx_.dialogs->message(QStringLiteral("Ошибка при создании каталога ") + ctx_.journalDir);
        if (terminate)
            terminate();
        return;
    }
    model_.label2 = ctx_.loginTerminal;
    model_.notify();
    if (applyTerminalSettings)
        applyTerminalSettings();
    if (openToday)
        openToday();
}

void AccountSession::checkDeposit() {
    if (!ctx_.registered)
        return;
    link_.sendRequest({QStringLiteral("B") + ctx_.terminalNumber});
    model_.toolButton4Enabled = false;
    model_.notify();
}

void AccountSession::onDeposit(const QString& message) {
    model_.toolButton4Enabled = true;
    link_.disarm();
    QString payload = message.mid(1);
    const QString deposit = takeField(payload, QLatin1Char('#'));
    if (deposit.startsWith(QLatin1Char('b')))
        model_.statusPanel[3] = deposit.mid(1);
    const QString limit = takeField(payload, QLatin1Char('#'));
    if (limit.startsWith(QLatin1Char('l')))
        model_.statusPanel[5] = limit.mid(1);
    model_.notify();
}

void AccountSession::changePassword(const QString& oldPassword, const QString& newPassword,
                                    const QString& repeated) {
    if (!ctx_.registered) {
        ctx_.dialogs->message(QStringLiteral("Произведите регистрацию!!"));
        return;
    }
    // The old password is the one typed at login, also after a successful change.
    const bool valid = oldPassword == login_.edit2 && newPassword == repeated && repeated.size() > 8;
    if (!valid) {
        ctx_.dialogs->message(QStringLiteral("Неправельные данные для замены пароля!"));
        return;
    }
    link_.sendRequest({QStringLiteral("l") + login_.edit1 + QLatin1Char('#') + login_.edit2 + QLatin1Char('#') +
                       newPassword});
    model_.button20Enabled = false;
    model_.notify();
}

void AccountSession::onPasswordResult(const QString& message) {
    const QString result = message.mid(1, 1);
    if (result == QLatin1String("0"))
        ctx_.dialogs->box(QStringLiteral("Произошел сбой при замене пароля!\nПовторите попытку  позже."),
                          QStringLiteral("Замеа пароля"), Dialogs::Icon::Warning);
    else if (result == QLatin1String("1"))
        ctx_.dialogs->message(QStringLiteral("Замена пароля произведена успешно!"));
    model_.button20Enabled = true;
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
        model_.news += ctx_.newsText.at(newsPos_ - 1);
    if (newsRounds_ > 5) {
        model_.news.clear();
        newsRounds_ = 0;
    }
    ++newsPos_;
    model_.notify();
}
