#pragma once

#include <QObject>
#include <QString>

struct AppContext;
class MainWindowModel;
class ServerLink;

// The tab "Поиск платежа": asks the server for the last payments to an account
// number ("Ux") and lays its answer ("x") out in Memo2. It registers the
// handler of "x".
class PaymentSearch : public QObject {
    Q_OBJECT
public:
    PaymentSearch(AppContext& ctx, MainWindowModel& model, ServerLink& link, QObject* parent = nullptr);

    // "Начать поиск", or Enter in the number field: the number as typed.
    void start(const QString& number);

private:
    void onResult(const QString& message);

    AppContext& ctx_;
    MainWindowModel& model_;
    ServerLink& link_;
};
