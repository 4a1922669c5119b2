#pragma once

#include <QDate>
#include <QDateTime>
#include <QTime>

// The computer's local clock. Tests give a fake; nothing in a test ever reaches
// the real one.
class SystemClock {
public:
    virtual ~SystemClock() = default;
    virtual QDateTime now() const = 0;
    // Each returns false when the platform refuses (the caller ignores it).
    virtual bool setLocalTime(const QTime& time) = 0;
    virtual bool setLocalDate(const QDate& date) = 0;
};

// The real clock: reads QDateTime::currentDateTime and sets the time with
// clock_settime, which needs the right to do so; without it the set is refused.
class HostClock : public SystemClock {
public:
    QDateTime now() const override;
    bool setLocalTime(const QTime& time) override;
    bool setLocalDate(const QDate& date) override;
};
