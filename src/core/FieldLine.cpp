#include "core/FieldLine.h"

#include "platform/Locale.h"

namespace FieldLine {

QStringList fields(QStringView line) {
    QStringList out;
    qsizetype from = 0;
    for (qsizetype hash = line.indexOf(u'#'); hash >= 0; hash = line.indexOf(u'#', from)) {
        out << line.mid(from, hash - from).toString();
        from = hash + 1;
    }
    return out;
}

QStringList fields(QStringView line, int count) {
    QStringList out;
    out.reserve(count);
    qsizetype from = 0;
    for (int i = 0; i < count; ++i) {
        const qsizetype hash = from < 0 ? -1 : line.indexOf(u'#', from);
        if (hash < 0) {
            out << QString();
            from = -1;
            continue;
        }
        out << line.mid(from, hash - from).toString();
        from = hash + 1;
    }
    return out;
}

QStringView field(QStringView line, int index) {
    qsizetype from = 0;
    for (int i = 0; i < index; ++i) {
        const qsizetype hash = line.indexOf(u'#', from);
        if (hash < 0)
            return QStringView();
        from = hash + 1;
    }
    const qsizetype hash = line.indexOf(u'#', from);
    return hash < 0 ? QStringView() : line.mid(from, hash - from);
}

QString decimal(const QString& figure) {
    return Locale::normalizeDecimal(figure);
}

} // namespace FieldLine
