#include "link/PaymentSearch.h"

#include "core/Session.h"
#include "link/Messages.h"
#include "link/ServerLink.h"
#include "platform/Dialogs.h"

PaymentSearch::PaymentSearch(const Session& session, Dialogs& dialogs, ServerLink& link, QObject* parent)
    : QObject(parent), session_(session), dialogs_(dialogs), link_(link) {
    link_.setHandler(QLatin1Char('x'), [this](const QString& m) { onResult(m); });
}

void PaymentSearch::start(const QString& number) {
    // One search at a time: Enter must not send again while "Начать поиск" waits.
    if (!enabled_)
        return;
    if (!session_.registered()) {
        dialogs_.message(QStringLiteral("Необходимо подключиться к серверу!"));
        return;
    }
    link_.sendRequest({Messages::search(number)});
    enabled_ = false;
    emit changed();
}

void PaymentSearch::onResult(const QString& message) {
    link_.disarm();
    const QStringList found = Messages::parseSearchReply(message.mid(1));
    QStringList memo;
    // The first line is the number as the server repeats it; each further line
    // one payment, in the server's words.
    if (!found.isEmpty()) {
        memo << QStringLiteral("Искали платежи на номер:") << found.first() << QString()
             << QStringLiteral("Найдено:");
        memo += found.mid(1);
    }
    enabled_ = true;
    result_ = memo;
    emit changed();
}
