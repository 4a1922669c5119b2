#include "link/ConfigurationReplies.h"

#include "core/AppContext.h"
#include "core/TerminalCertificate.h"
#include "link/ServerLink.h"
#include "platform/FileIo.h"

#include <QDir>
#include <QFileInfo>

ConfigurationReplies::ConfigurationReplies(AppContext& ctx, ServerLink& link, QObject* parent)
    : QObject(parent), ctx_(ctx) {
    link.setHandler(QLatin1Char('G'), [this](const QString& m) { onOperatorCatalogue(m); });
    link.setHandler(QLatin1Char('Q'), [this](const QString& m) { onTerminalSettings(m); });
    link.setHandler(QLatin1Char(')'),
                    [this](const QString& m) { TerminalCertificate::storeCertificate(ctx_, m.mid(1)); });
}

void ConfigurationReplies::onOperatorCatalogue(const QString& message) {
    ctx_.payloadBuffer = FileIo::splitLines(message.mid(1));
    const QString path = ctx_.programDir + QStringLiteral("operator.ini");
    FileIo::writeLines(path, ctx_.payloadBuffer);
    ctx_.operatorIni = IniFile(path);
    ctx_.operatorCatalogueStamp =
        ctx_.operatorIni.readString(QStringLiteral("options"), QStringLiteral("create"), QString());
}

void ConfigurationReplies::onTerminalSettings(const QString& message) {
    // Stored where the settings application reads it, also before the first
    // acceptance, when the terminal directory may not exist yet.
    const QString path = ctx_.settingsPath(ctx_.loginTerminal);
    QDir().mkpath(QFileInfo(path).absolutePath());
    FileIo::writeLines(path, FileIo::splitLines(message.mid(1)));
    emit settingsStored();
}
