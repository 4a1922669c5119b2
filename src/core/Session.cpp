#include "core/Session.h"

namespace {
template <typename T> bool assign(T& member, const T& value) {
    if (member == value)
        return false;
    member = value;
    return true;
}
} // namespace

void Session::setRegistered(bool registered) {
    if (assign(registered_, registered))
        emit changed();
}

void Session::setLoginTerminal(const QString& terminal) {
    if (assign(loginTerminal_, terminal))
        emit changed();
}

void Session::setTerminalNumber(const QString& number) {
    if (assign(terminalNumber_, number))
        emit changed();
}

void Session::setJournalDir(const QString& dir) {
    if (assign(journalDir_, dir))
        emit changed();
}

void Session::setLoginDateTime(const QDateTime& moment) {
    if (assign(loginDateTime_, moment))
        emit changed();
}
