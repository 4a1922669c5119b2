#include "link/ConfigurationReplies.h"

#include "core/Environment.h"
#include "core/OperatorCatalogue.h"
#include "core/Session.h"
#include "core/TerminalCertificate.h"
#include "link/ServerLink.h"
#include "platform/FileIo.h"

#include <QDir>
#include <QFileInfo>

ConfigurationReplies::ConfigurationReplies(const Environment& env, const Session& session,
                                           OperatorCatalogue& catalogue, ServerLink& link, QObject* parent)
    : QObject(parent), env_(env), session_(session), catalogue_(catalogue) {
    link.setHandler(QLatin1Char('G'), [this](const QString& m) { onOperatorCatalogue(m); });
    link.setHandler(QLatin1Char('Q'), [this](const QString& m) { onTerminalSettings(m); });
    link.setHandler(QLatin1Char(')'), [this](const QString& m) {
        TerminalCertificate::storeCertificate(env_.certificatePath(session_.loginTerminal()), m.mid(1));
    });
}

void ConfigurationReplies::onOperatorCatalogue(const QString& message) {
    FileIo::writeLines(env_.operatorIniPath(), FileIo::splitLines(message.mid(1)));
    catalogue_.reloadStamp();
}

void ConfigurationReplies::onTerminalSettings(const QString& message) {
    // Stored where the settings application reads it, also before the first
    // acceptance, when the terminal directory may not exist yet.
    const QString path = env_.settingsPath(session_.loginTerminal());
    QDir().mkpath(QFileInfo(path).absolutePath());
    FileIo::writeLines(path, FileIo::splitLines(message.mid(1)));
    emit settingsStored();
}
