#pragma once

#include <QObject>
#include <QString>

class Environment;
class OperatorCatalogue;
class ServerLink;
class Session;

// What the server sends to set the terminal up: the operator catalogue ("G",
// operator.ini), the terminal settings ("Q", setting.ini) and the certificate
// (")"). Each is stored whole where the terminal reads it.
class ConfigurationReplies : public QObject {
    Q_OBJECT
public:
    ConfigurationReplies(const Environment& env, const Session& session, OperatorCatalogue& catalogue,
                         ServerLink& link, QObject* parent = nullptr);

signals:
    // A new setting.ini is on disk: the settings must be applied again.
    void settingsStored();

private:
    void onOperatorCatalogue(const QString& message);
    void onTerminalSettings(const QString& message);

    const Environment& env_;
    const Session& session_;
    OperatorCatalogue& catalogue_;
};
