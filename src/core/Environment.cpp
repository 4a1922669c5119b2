#include "core/Environment.h"

#include "core/Builtins.h"
#include "platform/IconLookup.h"

#include <QCoreApplication>

Environment::Environment(const QString& programDir)
    : programDir_(programDir), version_(Builtins::version()),
      iconDirs_(IconLookup::directories(
          programDir, QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QString())) {}

QString Environment::ipIniPath() const {
    return programDir_ + QStringLiteral("ip.ini");
}

QString Environment::operatorIniPath() const {
    return programDir_ + QStringLiteral("operator.ini");
}

QString Environment::terminalDir(const QString& terminal) const {
    return programDir_ + terminal + QLatin1Char('/');
}

QString Environment::settingsPath(const QString& terminal) const {
    return terminalDir(terminal) + QStringLiteral("setting.ini");
}

QString Environment::certificatePath(const QString& terminal) const {
    // Beside the terminal directory, not in it: "101cert.key".
    return programDir_ + terminal + QStringLiteral("cert.key");
}

QString Environment::storedFilePath(const QString& name) const {
    return programDir_ + name + QStringLiteral(".txt");
}

QString Environment::workbookFolder() const {
    return programDir_ + QStringLiteral("Отчеты/");
}

QString Environment::iconPath(const QString& name) const {
    return programDir_ + QStringLiteral("img/") + name + QStringLiteral(".ico");
}

QString Environment::findIcon(const QString& name) const {
    return IconLookup::find(iconDirs_, name + QStringLiteral(".ico"));
}

QString Environment::operatorIcon(const QString& article) const {
    return article.isEmpty() ? QString() : findIcon(article);
}
