#pragma once

#include <QSet>
#include <QString>

#include <functional>

struct AppContext;
class PaymentJournal;
class ServerLink;
class Transmission;

// What the payment window hands over.
struct PaymentInput {
    QString operatorCaption; // a blank and the operator's name, as on the window's operator button
    QString article;         // the operator's article code
    QString account;         // prefix and typed digits
    QString credited;        // the credited sum as shown
    QString received;        // the sum typed
};

// Turns what the cashier entered into a journal row (paid now or deferred), or
// sends the operator's balance query.
class PaymentCreation {
public:
    struct Days {
        std::function<bool()> showingToday;
        std::function<void()> showToday;
        std::function<void()> saveShownDay;
    };

    PaymentCreation(AppContext& ctx, ServerLink& link, PaymentJournal& journal, Transmission& transmission,
                    Days days);

    // "0" pay now, "9" defer, "2" balance query.
    void createPayment(const QString& mode, const PaymentInput& input);

    // terminal + "_" + the login date "yymmdd" + the time "hhnnss". An id already
    // issued in this run or standing in the journal shown is never reused: the
    // next second that gives a free id is taken instead.
    QString newTransactionId();

private:
    AppContext& ctx_;
    ServerLink& link_;
    PaymentJournal& journal_;
    Transmission& transmission_;
    Days days_;
    QSet<QString> issued_;
};
