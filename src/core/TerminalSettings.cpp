#include "core/TerminalSettings.h"

#include "core/Builtins.h"
#include "core/IniFile.h"

namespace {
const QString kOptions = QStringLiteral("options");
}

TerminalSettings::Server TerminalSettings::apply(const IniFile& s, const QString& address,
                                                 const QString& port) {
    applied_ = true;
    supportPhone_ = s.readString(kOptions, QStringLiteral("telsparv"), Builtins::supportTelephone());
    user_ = s.readString(kOptions, QStringLiteral("user"), QStringLiteral("New"));
    address_ = s.readString(kOptions, QStringLiteral("adres"), QString());
    inn_ = s.readString(kOptions, QStringLiteral("inn"), QString());
    stamp_ = s.readString(kOptions, QStringLiteral("create"), QString());
    emit changed();
    return {s.readString(kOptions, QStringLiteral("ip"), address),
            s.readString(kOptions, QStringLiteral("IpPort"), port)};
}
