#include "core/IniFile.h"

#include "platform/AppError.h"
#include "platform/FileIo.h"
#include "platform/TextCodec.h"

#include <QFile>

#include <sys/stat.h>

namespace {

struct Signature {
    bool exists = false;
    dev_t dev = 0;
    ino_t ino = 0;
    off_t size = 0;
    long long mtimeNs = 0;
    long long ctimeNs = 0;
    bool operator==(const Signature& o) const {
        return exists == o.exists && dev == o.dev && ino == o.ino && size == o.size && mtimeNs == o.mtimeNs &&
               ctimeNs == o.ctimeNs;
    }
};

Signature signatureOf(const QString& path) {
    Signature s;
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) == 0) {
        s.exists = true;
        s.dev = st.st_dev;
        s.ino = st.st_ino;
        s.size = st.st_size;
        s.mtimeNs = (long long)st.st_mtim.tv_sec * 1000000000LL + st.st_mtim.tv_nsec;
        s.ctimeNs = (long long)st.st_ctim.tv_sec * 1000000000LL + st.st_ctim.tv_nsec;
    }
    return s;
}

bool isBlank(char c) { return c == ' ' || c == '\t'; }

QByteArray trimmed(const QByteArray& b) {
    qsizetype from = 0;
    qsizetype to = b.size();
    while (from < to && isBlank(b[from]))
        ++from;
    while (to > from && isBlank(b[to - 1]))
        --to;
    return b.mid(from, to - from);
}

QString nameKey(const QByteArray& raw) { return TextCodec::fromCp1251(trimmed(raw)).toLower(); }

// A section header line: "[name]" after leading blanks. A line without its
// closing bracket opens no section.
bool sectionName(const QByteArray& line, QByteArray* name) {
    const QByteArray t = trimmed(line);
    if (!t.startsWith('['))
        return false;
    const qsizetype close = t.lastIndexOf(']');
    if (close < 1)
        return false;
    *name = t.mid(1, close - 1);
    return true;
}

} // namespace

struct IniFile::Parsed {
    Signature signature;
    // section (lower case) -> key (lower case) -> raw value bytes
    QHash<QString, QHash<QString, QByteArray>> sections;
};

IniFile::IniFile(const QString& path) : path_(path) {}

const IniFile::Parsed& IniFile::parsed() const {
    const Signature sig = signatureOf(path_);
    if (cache_ && cache_->signature == sig)
        return *cache_;
    auto p = std::make_shared<Parsed>();
    p->signature = sig;
    QByteArray bytes;
    if (sig.exists && FileIo::readBytes(path_, &bytes)) {
        QHash<QString, QByteArray>* current = nullptr;
        for (const QByteArray& line : FileIo::splitLines(bytes)) {
            QByteArray name;
            if (sectionName(line, &name)) {
                const QString key = nameKey(name);
                // The first of two sections of one name wins; a repeat is skipped.
                if (p->sections.contains(key)) {
                    current = nullptr;
                } else {
                    current = &p->sections[key];
                }
                continue;
            }
            if (!current)
                continue;
            const qsizetype eq = line.indexOf('=');
            if (eq < 0)
                continue;
            const QString key = nameKey(line.left(eq));
            if (key.isEmpty() || current->contains(key))
                continue;
            current->insert(key, line.mid(eq + 1));
        }
    }
    cache_ = p;
    return *cache_;
}

QString IniFile::readString(const QString& section, const QString& key, const QString& def) const {
    const Parsed& p = parsed();
    const auto sit = p.sections.constFind(section.toLower());
    if (sit == p.sections.constEnd())
        return def;
    const auto kit = sit->constFind(key.toLower());
    if (kit == sit->constEnd())
        return def;
    QByteArray v = trimmed(*kit);
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        v = v.mid(1, v.size() - 2);
    if (v.size() > MaxValueBytes)
        v.truncate(MaxValueBytes);
    return TextCodec::fromCp1251(v);
}

void IniFile::writeString(const QString& section, const QString& key, const QString& value) {
    QByteArray bytes;
    QByteArrayList lines;
    if (FileIo::readBytes(path_, &bytes))
        lines = FileIo::splitLines(bytes);

    const QString wantSection = section.toLower();
    const QString wantKey = key.toLower();
    const QByteArray newLine = TextCodec::toCp1251(key) + '=' + TextCodec::toCp1251(value);

    qsizetype sectionLine = -1;
    for (qsizetype i = 0; i < lines.size() && sectionLine < 0; ++i) {
        QByteArray name;
        if (sectionName(lines[i], &name) && nameKey(name) == wantSection)
            sectionLine = i;
    }

    if (sectionLine < 0) {
        if (!lines.isEmpty() && !trimmed(lines.back()).isEmpty())
            lines.append(QByteArray());
        lines.append('[' + TextCodec::toCp1251(section) + ']');
        lines.append(newLine);
    } else {
        qsizetype end = lines.size();
        for (qsizetype i = sectionLine + 1; i < lines.size(); ++i) {
            QByteArray name;
            if (sectionName(lines[i], &name)) {
                end = i;
                break;
            }
        }
        qsizetype keyLine = -1;
        qsizetype lastContent = sectionLine;
        for (qsizetype i = sectionLine + 1; i < end; ++i) {
            if (!trimmed(lines[i]).isEmpty())
                lastContent = i;
            const qsizetype eq = lines[i].indexOf('=');
            if (keyLine < 0 && eq >= 0 && nameKey(lines[i].left(eq)) == wantKey)
                keyLine = i;
        }
        if (keyLine >= 0)
            lines[keyLine] = newLine;
        else
            lines.insert(lastContent + 1, newLine);
    }

    QByteArray out;
    for (const QByteArray& l : lines) {
        out += l;
        out += "\r\n";
    }
    FileIo::writeBytes(path_, out, QStringLiteral("Unable to write to %1").arg(path_));
    cache_.reset();
}
