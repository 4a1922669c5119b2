#include "platform/OneBoxAtATime.h"

QString OneBoxAtATime::Box::key() const {
    // What the cashier would see: kind, icon, title and text.
    QString k;
    k.reserve(text.size() + title.size() + 3);
    k += QChar(u'0' + int(kind));
    k += QChar(u'0' + int(icon));
    k += title;
    k += QChar(0);
    k += text;
    return k;
}

void OneBoxAtATime::message(const QString& text) {
    inform({Kind::Message, text, QString(), Icon::None});
}

void OneBoxAtATime::box(const QString& text, const QString& title, Icon icon) {
    inform({Kind::Box, text, title, icon});
}

void OneBoxAtATime::exception(const QString& text) {
    inform({Kind::Exception, text, QString(), Icon::Error});
}

bool OneBoxAtATime::question(const QString& text, const QString& title) {
    return ask({Kind::Question, text, title, Icon::Question});
}

bool OneBoxAtATime::retryCancel(const QString& text, const QString& title, Icon icon) {
    return ask({Kind::RetryCancel, text, title, icon});
}

void OneBoxAtATime::inform(const Box& b) {
    const QString key = b.key();
    if (open_.contains(key))
        return;
    for (const Box& w : waiting_) {
        if (w.key() == key)
            return;
    }
    if (!open_.isEmpty()) {
        waiting_.push_back(b);
        return;
    }
    show(b);
    showWaiting();
}

bool OneBoxAtATime::ask(const Box& b) {
    if (open_.contains(b.key()))
        return false;
    const bool answer = show(b);
    showWaiting();
    return answer;
}

bool OneBoxAtATime::show(const Box& b) {
    open_.append(b.key());
    // Closed also when the box throws.
    struct Closed {
        QStringList& open;
        ~Closed() { open.removeLast(); }
    } closed{open_};
    switch (b.kind) {
    case Kind::Message:
        screen_->message(b.text);
        return true;
    case Kind::Box:
        screen_->box(b.text, b.title, b.icon);
        return true;
    case Kind::Exception:
        screen_->exception(b.text);
        return true;
    case Kind::Question:
        return screen_->question(b.text, b.title);
    case Kind::RetryCancel:
        return screen_->retryCancel(b.text, b.title, b.icon);
    }
    return false;
}

void OneBoxAtATime::showWaiting() {
    while (open_.isEmpty() && !waiting_.empty()) {
        const Box next = waiting_.front();
        waiting_.pop_front();
        show(next);
    }
}

std::optional<QString> OneBoxAtATime::askText(const QString& text, const QString& title, const QString& initial) {
    // Wanted at once, as a question is; the boxes waiting come after it.
    const QString key = QStringLiteral("askText\n") + title + QLatin1Char('\n') + text;
    if (open_.contains(key))
        return std::nullopt;
    std::optional<QString> answer;
    {
        open_.append(key);
        struct Closed {
            QStringList& open;
            ~Closed() { open.removeLast(); }
        } closed{open_};
        answer = screen_->askText(text, title, initial);
    }
    showWaiting();
    return answer;
}
