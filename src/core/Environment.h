#pragma once

#include <QString>
#include <QStringList>

// What stays the same for the whole run: the program's directory and version,
// and every path of a file the terminal keeps there. A path is made here and
// nowhere else.
class Environment {
public:
    // programDir ends with a path separator. The icons are looked for in its
    // img/ first, then among those installed beside the running program.
    explicit Environment(const QString& programDir);

    const QString& programDir() const { return programDir_; }
    const QString& version() const { return version_; }

    QString ipIniPath() const;       // ip.ini
    QString operatorIniPath() const; // operator.ini, the operator catalogue
    // A terminal's own directory (day files, setting.ini), with a trailing separator.
    QString terminalDir(const QString& terminal) const;
    QString settingsPath(const QString& terminal) const; // <terminal>/setting.ini
    QString certificatePath(const QString& terminal) const;
    // A file reply of the server as it is kept: name + ".txt".
    QString storedFilePath(const QString& name) const;
    // Where the spreadsheet exports are kept, with a trailing separator.
    QString workbookFolder() const;
    // The icon file `name` + ".ico" in the program directory's img/, whether or
    // not it exists.
    QString iconPath(const QString& name) const;
    // The first icon file `name` + ".ico" there is, or empty.
    QString findIcon(const QString& name) const;
    // The icon of an operator's article, or empty when the program has none.
    QString operatorIcon(const QString& article) const;

private:
    QString programDir_;
    QString version_;
    QStringList iconDirs_;
};
