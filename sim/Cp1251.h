#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace sim {

// Everything the terminal sends and stores is single-byte cp1251. The table is our own,
// so the simulator does not depend on which codecs a Qt build happens to carry.
// Every byte decodes to one character and encodes back to the same byte; characters
// outside the code page encode as "?".
class Cp1251 {
public:
    static QString decode(QByteArrayView bytes);
    static QByteArray encode(QStringView text);
    static bool canEncode(QStringView text);
};

} // namespace sim
