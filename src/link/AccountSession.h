#pragma once

#include <QObject>
#include <QString>

#include <functional>

class Dialogs;
class Environment;
class NetworkSettings;
class ServerLink;
class Session;
class SystemClock;

// What the login window shows. Exactly one of its three panels is up.
class LoginWindowModel : public QObject {
    Q_OBJECT
public:
    enum class Panel { Form, Waiting, Success };

    Panel panel = Panel::Form;
    QString waitingCaption = QStringLiteral("Ждите...");
    bool visible = false;

    void notify() { emit changed(); }

signals:
    void changed();
};

// The cashier's session with the server: the greeting that sets the clock and
// opens the login window, the login and its acceptance, the deposit check, the
// password change and the news. It registers the handlers of "d", "p", "B", "L"
// and "N".
class AccountSession : public QObject {
    Q_OBJECT
public:
    // What the login needs from the rest of the terminal: the terminal settings
    // applied anew (which may throw), and the two stamps the login sends.
    struct Hooks {
        std::function<void()> applySettings;
        std::function<QString()> settingsStamp;
        std::function<QString()> catalogueStamp;
    };

    AccountSession(const Environment& env, Session& session, NetworkSettings& network, ServerLink& link,
                   Dialogs& dialogs, SystemClock& clock, Hooks hooks, QObject* parent = nullptr);

    LoginWindowModel& loginWindow() { return login_; }
    const LoginWindowModel& loginWindow() const { return login_; }

    // Login window OK, with the login and password typed.
    void login(const QString& login, const QString& password);
    // What stands typed in the login window: it stays after the window closes,
    // and later requests read it (the statistics name the login, the password
    // change checks the old password against it).
    const QString& typedLogin() const { return typedLogin_; }
    const QString& typedPassword() const { return typedPassword_; }
    void setTypedLogin(const QString& login) { typedLogin_ = login; }
    void setTypedPassword(const QString& password) { typedPassword_ = password; }
    void closeLoginWindow();
    // "Проверить депозит".
    void checkDeposit();
    // "Заменить" on the settings page: old password, new password, repeated.
    void changePassword(const QString& oldPassword, const QString& newPassword, const QString& repeated);

    bool depositCheckEnabled() const { return depositCheckEnabled_; }
    bool passwordChangeEnabled() const { return passwordChangeEnabled_; }
    // The last figures the server gave; empty until then.
    const QString& deposit() const { return deposit_; }
    const QString& limit() const { return limit_; }

signals:
    // The server greeted the terminal (a new connection or a new login form).
    void greeted();
    // The login was accepted and the terminal directory is there: open today.
    void accepted();
    // The terminal directory cannot be made; the program cannot go on.
    void directoryFailed();
    // A line for the status bar's state panel.
    void stateText(const QString& text);
    // "Проверить депозит" or "Заменить" became usable or not.
    void commandsChanged();
    // The deposit reply's figures.
    void depositChanged();
    // A news text from the server, line breaks removed.
    void newsReceived(const QString& text);

private:
    // Server messages (the whole message, command letter included).
    void onGreeting(const QString& message);
    void onAccepted(const QString& message);
    void onDeposit(const QString& message);
    void onPasswordResult(const QString& message);
    void onNews(const QString& message);
    void setDepositCheckEnabled(bool enabled);
    void setPasswordChangeEnabled(bool enabled);

    const Environment& env_;
    Session& session_;
    NetworkSettings& network_;
    ServerLink& link_;
    Dialogs& dialogs_;
    SystemClock& clock_;
    Hooks hooks_;
    LoginWindowModel login_;
    QString typedLogin_;
    QString typedPassword_;
    bool depositCheckEnabled_ = true;
    bool passwordChangeEnabled_ = true;
    QString deposit_;
    QString limit_;
};
