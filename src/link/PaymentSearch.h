#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class Dialogs;
class ServerLink;
class Session;

// The tab "Поиск платежа": asks the server for the last payments to an account
// number ("Ux") and lays its answer ("x") out line by line as Memo2 shows it. It
// registers the handler of "x".
class PaymentSearch : public QObject {
    Q_OBJECT
public:
    PaymentSearch(const Session& session, Dialogs& dialogs, ServerLink& link, QObject* parent = nullptr);

    // "Начать поиск", or Enter in the number field: the number as typed.
    void start(const QString& number);

    // "Начать поиск" is usable: no search is waiting for its answer.
    bool enabled() const { return enabled_; }
    const QStringList& result() const { return result_; }

signals:
    void changed();

private:
    void onResult(const QString& message);

    const Session& session_;
    Dialogs& dialogs_;
    ServerLink& link_;
    bool enabled_ = true;
    QStringList result_;
};
