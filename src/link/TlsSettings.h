#pragma once

#include <QString>

class IniFile;

// Whether the link to the server is encrypted, and what the server's
// certificate must verify against. Read once at start-up from ip.ini [options]:
// tls (off by default), tlsca (a PEM file of authorities or of the server's own
// certificate; relative to the program directory or absolute; without it the
// system's authorities are trusted) and tlsname (the name the certificate must
// carry; without it the address connected to).
struct TlsSettings {
    bool enabled = false;
    QString caFile;   // absolute; empty: the system's authorities
    QString peerName; // empty: the address connected to

    static TlsSettings read(const IniFile& ipIni, const QString& programDir);
};
