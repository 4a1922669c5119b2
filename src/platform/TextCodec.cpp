#include "platform/TextCodec.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <array>

namespace {

// cp1251 is a fixed single-byte table; building it once from Qt's codec keeps
// conversion a plain table lookup, which matters for multi-megabyte replies.
struct Cp1251Tables {
    std::array<char16_t, 256> toUnicode{};
    // Every UTF-16 unit to its byte; 0 marks a character cp1251 does not have
    // (NUL itself is handled before the lookup).
    std::array<char, 65536> fromUnicode{};

    Cp1251Tables() {
        QStringDecoder decoder("windows-1251");
        for (int b = 0; b < 256; ++b) {
            const char byte = char(b);
            const QString s = decoder.isValid() ? decoder.decode(QByteArrayView(&byte, 1)) : QString();
            char16_t u = s.size() == 1 ? s.at(0).unicode() : char16_t(b < 0x80 ? b : 0xFFFD);
            // 0x98 is unassigned in cp1251; keep it round-tripping as itself.
            if (u == 0xFFFD)
                u = char16_t(b);
            toUnicode[size_t(b)] = u;
            fromUnicode[u] = byte;
        }
    }
};

const Cp1251Tables& tables() {
    static const Cp1251Tables t;
    return t;
}

} // namespace

namespace TextCodec {

QString fromCp1251(QByteArrayView bytes) {
    const auto& t = tables();
    QString out(bytes.size(), Qt::Uninitialized);
    QChar* dst = out.data();
    for (qsizetype i = 0; i < bytes.size(); ++i)
        dst[i] = QChar(t.toUnicode[uchar(bytes[i])]);
    return out;
}

void appendCp1251(QString& out, QByteArrayView bytes) {
    const auto& t = tables();
    const qsizetype start = out.size();
    out.resize(start + bytes.size());
    QChar* dst = out.data() + start;
    for (qsizetype i = 0; i < bytes.size(); ++i)
        dst[i] = QChar(t.toUnicode[uchar(bytes[i])]);
}

QByteArray toCp1251(QStringView text) {
    const auto& t = tables();
    QByteArray out(text.size(), Qt::Uninitialized);
    char* dst = out.data();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text[i].unicode();
        const char b = u < 0x80 ? char(u) : t.fromUnicode[u];
        dst[i] = (b != 0 || u == 0) ? b : '?';
    }
    return out;
}

} // namespace TextCodec
