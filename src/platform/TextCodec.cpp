#include "platform/TextCodec.h"

#include <array>

namespace {

// Code points of the bytes 0x80..0xBF; 0xC0..0xFF are U+0410..U+044F in order.
// 0x98 has no character in the code page and stands for U+0098, so that any byte
// survives a round trip. Written out rather than asked of a codec: the codec
// would bring in a whole conversion library at start-up for one small table.
constexpr char16_t kHigh[64] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039, 0x040A,
    0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x0098, 0x2122,
    0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6,
    0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456,
    0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
};

// Conversion is a plain table lookup both ways, which matters for multi-megabyte replies.
struct Cp1251Tables {
    std::array<char16_t, 256> toUnicode{};
    // Every UTF-16 unit to its byte; 0 marks a character cp1251 does not have
    // (NUL itself is handled before the lookup).
    std::array<char, 65536> fromUnicode{};

    Cp1251Tables() {
        for (int b = 0; b < 256; ++b) {
            const char16_t u = b < 0x80   ? char16_t(b)
                               : b < 0xC0 ? kHigh[b - 0x80]
                                          : char16_t(0x0410 + (b - 0xC0));
            toUnicode[size_t(b)] = u;
            fromUnicode[u] = char(b);
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
    QByteArray out(text.size(), Qt::Uninitialized);
    writeCp1251(out.data(), text);
    return out;
}

const char* cp1251Bytes() {
    return tables().fromUnicode.data();
}

void writeCp1251(char* dst, QStringView text) {
    const auto& t = tables();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text[i].unicode();
        const char b = u < 0x80 ? char(u) : t.fromUnicode[u];
        dst[i] = (b != 0 || u == 0) ? b : '?';
    }
}

} // namespace TextCodec
