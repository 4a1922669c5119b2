#pragma once

#include "platform/Dialogs.h"

#include <QString>
#include <QStringList>

#include <deque>

// Shows the terminal's boxes one at a time. A box runs the event loop, so server
// messages arriving under it would open box upon box for the cashier to close.
// Instead a box that is the same as one open or waiting is not shown again, and
// an information box asked for while another is open waits until that one is
// closed. Questions need their answer at once and are shown at once; a question
// the same as one already open is answered Cancel, as nobody asked it twice.
class OneBoxAtATime : public Dialogs {
public:
    explicit OneBoxAtATime(Dialogs* screen) : screen_(screen) {}

    void message(const QString& text) override;
    void box(const QString& text, const QString& title, Icon icon) override;
    bool question(const QString& text, const QString& title) override;
    bool retryCancel(const QString& text, const QString& title, Icon icon) override;
    void exception(const QString& text) override;
    std::optional<QString> askText(const QString& text, const QString& title, const QString& initial) override;

    int openCount() const { return int(open_.size()); }
    int waitingCount() const { return int(waiting_.size()); }

private:
    enum class Kind { Message, Box, Question, RetryCancel, Exception };
    struct Box {
        Kind kind;
        QString text;
        QString title;
        Icon icon;
        QString key() const;
    };

    void inform(const Box& b);
    bool ask(const Box& b);
    bool show(const Box& b);
    // Once no box is open, the waiting ones in turn.
    void showWaiting();

    Dialogs* screen_;
    QStringList open_; // innermost last
    std::deque<Box> waiting_;
};
