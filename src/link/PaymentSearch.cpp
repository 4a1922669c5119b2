#include "link/PaymentSearch.h"

#include "core/AppContext.h"
#include "core/MainWindowModel.h"
#include "link/Messages.h"
#include "link/ServerLink.h"
#include "platform/Dialogs.h"

PaymentSearch::PaymentSearch(AppContext& ctx, MainWindowModel& model, ServerLink& link, QObject* parent)
    : QObject(parent), ctx_(ctx), model_(model), link_(link) {
    link_.setHandler(QLatin1Char('x'), [this](const QString& m) { onResult(m); });
}

void PaymentSearch::start(const QString& number) {
    // One search at a time: Enter must not send again while "Начать поиск" waits.
    if (!model_.searchEnabled)
        return;
    if (!ctx_.registered) {
        ctx_.dialogs->message(QStringLiteral("Необходимо подключиться к серверу!"));
        return;
    }
    link_.sendRequest({Messages::search(number)});
    model_.searchEnabled = false;
    model_.notify();
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
    model_.searchEnabled = true;
    model_.searchResult = memo;
    model_.notify();
}
