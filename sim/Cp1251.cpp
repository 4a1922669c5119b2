#include "sim/Cp1251.h"

#include <array>

namespace sim {
namespace {

// Code points of the bytes 0x80..0xBF; 0xC0..0xFF are U+0410..U+044F in order.
// 0x98 has no character in the code page and maps to U+0098 so that raw bytes survive.
constexpr char16_t kHigh[64] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039, 0x040A,
    0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x0098, 0x2122,
    0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6,
    0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456,
    0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
};

char16_t toUnicode(unsigned char byte) {
    if (byte < 0x80)
        return byte;
    if (byte < 0xC0)
        return kHigh[byte - 0x80];
    return char16_t(0x0410 + (byte - 0xC0));
}

// Reverse table over the whole basic plane; 0 marks "not in the code page" (NUL itself is byte 0).
const std::array<unsigned char, 0x10000>& reverseTable() {
    static const std::array<unsigned char, 0x10000> table = [] {
        std::array<unsigned char, 0x10000> t{};
        for (int byte = 1; byte < 256; ++byte)
            t[toUnicode(static_cast<unsigned char>(byte))] = static_cast<unsigned char>(byte);
        return t;
    }();
    return table;
}

} // namespace

QString Cp1251::decode(QByteArrayView bytes) {
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (qsizetype i = 0; i < bytes.size(); ++i)
        out[i] = QChar(toUnicode(static_cast<unsigned char>(bytes[i])));
    return text;
}

QByteArray Cp1251::encode(QStringView text) {
    const auto& table = reverseTable();
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c == 0) {
            bytes.append('\0');
        } else if (table[c] != 0) {
            bytes.append(static_cast<char>(table[c]));
        } else {
            // A surrogate pair is one character outside the code page: one "?".
            if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate())
                ++i;
            bytes.append('?');
        }
    }
    return bytes;
}

bool Cp1251::canEncode(QStringView text) {
    const auto& table = reverseTable();
    for (QChar c : text) {
        if (c.unicode() != 0 && table[c.unicode()] == 0)
            return false;
    }
    return true;
}

} // namespace sim
