#pragma once

#include "platform/Dialogs.h"
#include "support/QtPrinters.h"

#include <QList>
#include <QString>

#include <deque>
#include <functional>

// Records every box and answers questions from a script (OK / Retry when the
// script is empty). onBox runs while a box is "open", as a modal box would let
// other events run.
class FakeDialogs : public Dialogs {
public:
    enum class Kind { Message, Box, Question, RetryCancel, Exception, AskText };
    struct Shown {
        Kind kind;
        QString text;
        QString title;
        Icon icon;
    };

    void message(const QString& text) override { record({Kind::Message, text, QString(), Icon::None}); }
    void box(const QString& text, const QString& title, Icon icon) override {
        record({Kind::Box, text, title, icon});
    }
    bool question(const QString& text, const QString& title) override {
        record({Kind::Question, text, title, Icon::Question});
        return nextAnswer();
    }
    bool retryCancel(const QString& text, const QString& title, Icon icon) override {
        record({Kind::RetryCancel, text, title, icon});
        return nextAnswer();
    }
    void exception(const QString& text) override { record({Kind::Exception, text, QString(), Icon::Error}); }
    // The next text answer queued, else OK with what was typed in already.
    std::optional<QString> askText(const QString& text, const QString& title, const QString& initial) override {
        record({Kind::AskText, text, title, Icon::Question});
        offered = initial;
        if (textAnswers.empty())
            return initial;
        const std::optional<QString> a = textAnswers.front();
        textAnswers.pop_front();
        return a;
    }

    // Queues the answers of the next questions: true = OK / Retry.
    void answer(bool ok) { answers.push_back(ok); }

    QStringList texts() const {
        QStringList out;
        for (const Shown& s : shown)
            out << s.text;
        return out;
    }
    const Shown& last() const { return shown.back(); }

    QList<Shown> shown;
    std::deque<bool> answers;
    // What the last text question offered to the cashier.
    QString offered;
    std::deque<std::optional<QString>> textAnswers; // nullopt: cancelled
    std::function<void(const Shown&)> onBox;

private:
    void record(const Shown& s) {
        shown.append(s);
        if (onBox)
            onBox(s);
    }
    bool nextAnswer() {
        if (answers.empty())
            return true;
        const bool a = answers.front();
        answers.pop_front();
        return a;
    }
};
