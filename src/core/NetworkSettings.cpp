#include "core/NetworkSettings.h"

#include "core/Builtins.h"
#include "core/Environment.h"

namespace {
const QString kOptions = QStringLiteral("options");
}

NetworkSettings::NetworkSettings(const Environment& env, QObject* parent)
    : QObject(parent), ipIni_(env.ipIniPath()) {}

void NetworkSettings::load() {
    serverAddress_ = ipIni_.readString(kOptions, QStringLiteral("ip"), Builtins::defaultServerAddress());
    serverPort_ = ipIni_.readString(kOptions, QStringLiteral("ipport"), Builtins::defaultServerPort());
    emit changed();
}

void NetworkSettings::save(const QString& address, const QString& port) {
    // The texts are taken before the writes: a failed write leaves them as typed.
    serverAddress_ = address;
    serverPort_ = port;
    emit changed();
    ipIni_.writeString(kOptions, QStringLiteral("ip"), serverAddress_);
    ipIni_.writeString(kOptions, QStringLiteral("ipport"), serverPort_);
}

void NetworkSettings::keepServerOfSettings(const QString& address, const QString& port) {
    if (address != serverAddress_)
        ipIni_.writeString(kOptions, QStringLiteral("ip"), address);
    if (port != serverPort_)
        ipIni_.writeString(kOptions, QStringLiteral("IpPort"), port);
}

QString NetworkSettings::terminal() const {
    return ipIni_.readString(kOptions, QStringLiteral("terminal"), QStringLiteral("000"));
}

void NetworkSettings::setTerminal(const QString& terminal) {
    ipIni_.writeString(kOptions, QStringLiteral("terminal"), terminal);
}
