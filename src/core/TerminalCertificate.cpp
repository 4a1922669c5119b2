#include "core/TerminalCertificate.h"

#include "platform/Convert.h"
#include "platform/FileIo.h"
#include "platform/TextCodec.h"

namespace TerminalCertificate {

namespace {

int firstDigit(qint64 n) {
    while (n >= 10)
        n /= 10;
    return int(n);
}

} // namespace

QByteArray scramble(const QByteArray& clear) {
    QByteArray out;
    out.reserve(clear.size() * 5);
    for (qsizetype k = 0; k < clear.size(); ++k) {
        const qint64 i = k + 1;
        const qint64 c = static_cast<signed char>(clear[k]);
        out += QByteArray::number(firstDigit(3 * i) * 10000 + (c + 12) * i);
    }
    return out;
}

QByteArray unscramble(const QByteArray& scrambled) {
    QByteArray out;
    out.reserve(scrambled.size() / 5 + 1);
    qint64 i = 1;
    for (qsizetype p = 0; p < scrambled.size(); p += 5, ++i) {
        int v = 0;
        if (!Convert::tryStrToInt(QString::fromLatin1(scrambled.mid(p, 5)), &v))
            v = 0;
        const qint64 c = (v - firstDigit(3 * i) * 10000) / i - 12; // C++ division truncates toward zero
        out += char(c & 0xFF);
    }
    return out;
}

void storeCertificate(const QString& path, const QString& text) {
    const QByteArray line = scramble(TextCodec::toCp1251(text));
    // A lone CR LF would read back as one empty line, that is an empty
    // certificate sent to the server; no bytes at all read as no line, so the
    // requests that need a certificate stop until the server sends a real one.
    FileIo::writeBytes(path, line.isEmpty() ? QByteArray() : line + "\r\n");
}

std::optional<QString> readCertificate(const QString& path) {
    QByteArray line = kPlaceholder;
    if (FileIo::exists(path)) {
        QByteArray bytes;
        if (!FileIo::readBytes(path, &bytes))
            return std::nullopt;
        const QByteArrayList lines = FileIo::splitLines(bytes);
        if (lines.isEmpty())
            return std::nullopt;
        line = lines.first();
    }
    return TextCodec::fromCp1251(unscramble(line));
}

} // namespace TerminalCertificate
