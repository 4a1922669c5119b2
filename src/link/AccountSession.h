#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

struct AppContext;
class MainWindowModel;
class ServerLink;

// What the login window shows. Exactly one of its three panels is up.
class LoginWindowModel : public QObject {
    Q_OBJECT
public:
    enum class Panel { Form, Waiting, Success };

    Panel panel = Panel::Form;
    QString waitingCaption = QStringLiteral("Ждите...");
    // The typed login and password stay after the window closes: later requests read them.
    QString login;
    QString password;
    bool visible = false;

    void notify() { emit changed(); }

signals:
    void changed();
};

// The cashier's session with the server: the greeting that sets the clock and
// opens the login window, the login and its acceptance, the deposit check, the
// password change and the news ticker. It registers the handlers of "d", "p",
// "B", "L" and "N".
class AccountSession : public QObject {
    Q_OBJECT
public:
    AccountSession(AppContext& ctx, MainWindowModel& model, ServerLink& link, QObject* parent = nullptr);

    LoginWindowModel& loginWindow() { return login_; }

    // Login window OK, with the login and password typed.
    void login(const QString& login, const QString& password);
    void closeLoginWindow();
    // "Проверить депозит".
    void checkDeposit();
    // "Заменить" on the settings page: old password, new password, repeated.
    void changePassword(const QString& oldPassword, const QString& newPassword, const QString& repeated);

    // The news ticker's 300 ms tick, public so tests call it instead of waiting.
    void NewsTimeTimer();
    QTimer NewsTime;

    int newsPos() const { return newsPos_; }
    int newsRounds() const { return newsRounds_; }

signals:
    // The server greeted the terminal (a new connection or a new login form).
    void greeted();
    // The terminal's settings must be applied now (login, acceptance).
    void settingsNeeded();
    // The login was accepted and the terminal directory is there: open today.
    void accepted();
    // The terminal directory cannot be made; the program cannot go on.
    void directoryFailed();

private:
    // Server messages (the whole message, command letter included).
    void onGreeting(const QString& message);
    void onAccepted(const QString& message);
    void onDeposit(const QString& message);
    void onPasswordResult(const QString& message);
    void onNews(const QString& message);

    AppContext& ctx_;
    MainWindowModel& model_;
    ServerLink& link_;
    LoginWindowModel login_;
    int newsPos_ = 1;
    int newsRounds_ = 0;
};
