#include "link/TlsSettings.h"

#include "core/IniFile.h"
#include "support/TestFiles.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct Case {
    const char* name;
    QByteArray ini; // ip.ini's bytes; empty: no file
    bool enabled;
    QString caFile; // relative names are resolved against the program directory, "@" standing for it
    QString peerName;
};

TEST(TlsSettings, ReadFromIpIni) {
    const Case cases[] = {
        {"no file", {}, false, {}, {}},
        {"no key", "[options]\r\nip=10.0.0.1\r\n", false, {}, {}},
        {"off", "[options]\r\ntls=0\r\n", false, {}, {}},
        {"empty", "[options]\r\ntls=\r\n", false, {}, {}},
        {"off in words", "[Options]\r\nTLS = Off\r\n", false, {}, {}},
        {"on, system authorities", "[options]\r\ntls=1\r\n", true, {}, {}},
        {"an unexpected value means on", "[options]\r\ntls=yes\r\n", true, {}, {}},
        {"another section does not count", "[server]\r\ntls=1\r\n", false, {}, {}},
        {"relative file", "[options]\r\ntls=1\r\ntlsca=tls/ca.pem\r\n", true, "@tls/ca.pem", {}},
        {"relative file, dots", "[options]\r\ntls=1\r\ntlsca=./certs/../ca.pem\r\n", true, "@ca.pem", {}},
        {"absolute file",
         "[options]\r\ntls=1\r\ntlsca=/etc/orvanta/ca.pem\r\n",
         true,
         "/etc/orvanta/ca.pem",
         {}},
        {"name", "[options]\r\ntls=1\r\ntlsname= pay.example \r\n", true, {}, "pay.example"},
        {"file and name kept while off", "[options]\r\ntlsca=ca.pem\r\ntlsname=pay.example\r\n", false,
         "@ca.pem", "pay.example"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        const QString programDir = TestFiles::dirPath(dir);
        if (!c.ini.isEmpty())
            TestFiles::write(programDir + QStringLiteral("ip.ini"), c.ini);
        const TlsSettings s = TlsSettings::read(IniFile(programDir + QStringLiteral("ip.ini")), programDir);
        EXPECT_EQ(s.enabled, c.enabled);
        QString ca = c.caFile;
        if (ca.startsWith(QLatin1Char('@')))
            ca = programDir + ca.mid(1);
        EXPECT_EQ(s.caFile, ca);
        EXPECT_EQ(s.peerName, c.peerName);
    }
}

} // namespace
