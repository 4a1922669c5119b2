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
