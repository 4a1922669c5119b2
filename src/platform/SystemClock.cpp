#include "platform/SystemClock.h"

#include <ctime>

namespace {
bool setLocal(const QDateTime& local) {
    const qint64 ms = local.toMSecsSinceEpoch();
    timespec ts{};
    ts.tv_sec = time_t(ms / 1000);
    ts.tv_nsec = long(ms % 1000) * 1000000L;
    return clock_settime(CLOCK_REALTIME, &ts) == 0;
}
} // namespace

QDateTime HostClock::now() const { return QDateTime::currentDateTime(); }

bool HostClock::setLocalTime(const QTime& time) {
    return setLocal(QDateTime(QDate::currentDate(), time));
}

bool HostClock::setLocalDate(const QDate& date) {
    return setLocal(QDateTime(date, QTime::currentTime()));
}
