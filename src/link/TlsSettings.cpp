#include "link/TlsSettings.h"

#include "core/IniFile.h"

#include <QDir>
#include <QStringList>

namespace {
const QString kOptions = QStringLiteral("options");
} // namespace

TlsSettings TlsSettings::read(const IniFile& ipIni, const QString& programDir) {
    TlsSettings s;
    const QString tls = ipIni.readString(kOptions, QStringLiteral("tls"), QString()).trimmed().toLower();
    // Only an explicit "off" leaves the link in clear: a value nobody expected
    // (tls=yes, tls=2) was meant to turn encryption on.
    static const QStringList off = {QString(), QStringLiteral("0"), QStringLiteral("no"),
                                    QStringLiteral("false"), QStringLiteral("off")};
    s.enabled = !off.contains(tls);
    const QString ca = ipIni.readString(kOptions, QStringLiteral("tlsca"), QString()).trimmed();
    if (!ca.isEmpty())
        s.caFile = QDir::isAbsolutePath(ca) ? QDir::cleanPath(ca) : QDir::cleanPath(programDir + ca);
    s.peerName = ipIni.readString(kOptions, QStringLiteral("tlsname"), QString()).trimmed();
    return s;
}
