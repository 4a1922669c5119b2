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

// cp866 0x80-0xFF; the lower half is ASCII.
constexpr char16_t kCp866High[128] = {
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417, 0x0418, 0x0419, 0x041A, 0x041B, 0x041C,
    0x041D, 0x041E, 0x041F, 0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427, 0x0428, 0x0429,
    0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F, 0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436,
    0x0437, 0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F, 0x2591, 0x2592, 0x2593, 0x2502,
    0x2524, 0x2561, 0x2562, 0x2556, 0x2555, 0x2563, 0x2551, 0x2557, 0x255D, 0x255C, 0x255B, 0x2510, 0x2514,
    0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F, 0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550,
    0x256C, 0x2567, 0x2568, 0x2564, 0x2565, 0x2559, 0x2558, 0x2552, 0x2553, 0x256B, 0x256A, 0x2518, 0x250C,
    0x2588, 0x2584, 0x258C, 0x2590, 0x2580, 0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F, 0x0401, 0x0451, 0x0404, 0x0454, 0x0407,
    0x0457, 0x040E, 0x045E, 0x00B0, 0x2219, 0x00B7, 0x221A, 0x2116, 0x00A4, 0x25A0, 0x00A0};

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

QString fromCp866(QByteArrayView bytes) {
    QString out(bytes.size(), Qt::Uninitialized);
    QChar* dst = out.data();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const uchar b = uchar(bytes[i]);
        dst[i] = QChar(b < 0x80 ? char16_t(b) : kCp866High[b - 0x80]);
    }
    return out;
}

bool looksLikeCp866(QByteArrayView bytes) {
    qsizetype low = 0;  // 0x80-0xAF
    qsizetype high = 0; // 0xF0-0xFF
    for (const char c : bytes) {
        const uchar b = uchar(c);
        if (b >= 0x80 && b <= 0xAF)
            ++low;
        else if (b >= 0xF0)
            ++high;
    }
    return low > high;
}

} // namespace TextCodec
