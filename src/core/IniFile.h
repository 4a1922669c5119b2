#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QHash>
#include <QString>

#include <memory>

// An ini file as the terminal reads and writes it: case-insensitive section and
// key names, trimmed values, one pair of surrounding quotes removed, the first of
// repeated sections or keys winning, cp1251 text, CR LF lines.
//
// Every read sees the file as it is on disk now: the parsed form is kept and
// parsed again only when the file changes, so reading many keys stays linear.
class IniFile {
public:
    explicit IniFile(const QString& path = QString());

    const QString& fileName() const { return path_; }

    // A missing file, section or key gives def; a key present with an empty value
    // gives the empty text. At most 2047 bytes of a value are returned.
    QString readString(const QString& section, const QString& key, const QString& def) const;

    // Creates the file and the section when missing and replaces only that key's
    // line. Throws AppError "Unable to write to <file>" when the write fails.
    void writeString(const QString& section, const QString& key, const QString& value);

    static constexpr int MaxValueBytes = 2047;

private:
    struct Parsed;
    const Parsed& parsed() const;

    QString path_;
    mutable std::shared_ptr<Parsed> cache_;
};
