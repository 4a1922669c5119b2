#pragma once

#include "platform/SystemClock.h"

#include <QStringList>

// A clock that moves only when told. Records every set, in order.
class FakeClock : public SystemClock {
public:
    explicit FakeClock(const QDateTime& start = QDateTime(QDate(2026, 12, 9), QTime(10, 0, 0))) : now_(start) {}

    QDateTime now() const override { return now_; }
    bool setLocalTime(const QTime& time) override {
        calls << QStringLiteral("time ") + time.toString(QStringLiteral("hh:mm:ss.zzz"));
        if (refuse)
            return false;
        now_.setTime(time);
        return true;
    }
    bool setLocalDate(const QDate& date) override {
        calls << QStringLiteral("date ") + date.toString(QStringLiteral("dd.MM.yyyy"));
        if (refuse)
            return false;
        now_.setDate(date);
        return true;
    }

    void set(const QDateTime& t) { now_ = t; }
    void advance(int seconds) { now_ = now_.addSecs(seconds); }

    QStringList calls;
    bool refuse = false;

private:
    QDateTime now_;
};
