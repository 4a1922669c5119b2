// Certificate files of any shape read without fault, and a certificate of
// printable characters comes back from its scrambled form whole.
#include "FuzzSupport.h"

#include "core/TerminalCertificate.h"

#include <QFile>
#include <QTemporaryDir>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    Fuzz::init();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    TerminalCertificate::unscramble(bytes);

    bool printable = size <= 233;
    for (size_t i = 0; printable && i < size; ++i)
        printable = data[i] >= 0x20 && data[i] < 0x7f;
    if (printable && TerminalCertificate::unscramble(TerminalCertificate::scramble(bytes)) != bytes)
        Fuzz::fail("a printable certificate does not come back whole");

    // The file as the terminal reads it for every payment.
    static QTemporaryDir dir(Fuzz::scratchTemplate());
    const QString path = dir.path() + QStringLiteral("/101cert.key");
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 0;
    f.write(bytes);
    f.close();
    TerminalCertificate::readCertificate(path);
    return 0;
}
