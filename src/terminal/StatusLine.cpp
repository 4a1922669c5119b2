#include "terminal/StatusLine.h"

#include "core/Builtins.h"

StatusLine::StatusLine(QObject* parent) : QObject(parent) {
    texts_[size_t(StatusPanel::State)] = QStringLiteral("Соединяюсь...");
    // Until a connection names the server, the service's own address.
    texts_[size_t(StatusPanel::Server)] = Builtins::webAddress();
}

void StatusLine::set(StatusPanel panel, const QString& text) {
    QString& shown = texts_[size_t(panel)];
    if (shown == text)
        return;
    shown = text;
    emit changed(panel, text);
}
