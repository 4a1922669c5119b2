#pragma once

#include <QString>
#include <QStringList>

// Values built into the program. No real server is known to us, so the built-in
// server list is loopback; a payment point sets its server in ip.ini or on the
// "Настройки" page.
namespace Builtins {

inline const QStringList& serverAddresses() {
    static const QStringList list{QStringLiteral("127.0.0.2"), QStringLiteral("127.0.0.3"),
                                  QStringLiteral("127.0.0.1")};
    return list;
}
// The default of ip.ini is the last entry of the list.
inline QString defaultServerAddress() { return serverAddresses().last(); }
inline QString defaultServerPort() { return QStringLiteral("5000"); }
inline QStringList serverPorts() {
    return {QStringLiteral("5000"), QStringLiteral("5001"), QStringLiteral("5002"), QStringLiteral("5003")};
}
inline QString supportTelephone() { return QStringLiteral("(000) 555-01-23"); }
inline QString webAddress() { return QStringLiteral("www.orvanta.example"); }
inline QString version() { return QStringLiteral("A6.0"); }

} // namespace Builtins
