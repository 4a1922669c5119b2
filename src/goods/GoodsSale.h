#pragma once

#include "platform/Money.h"

#include <QDate>
#include <QObject>
#include <QString>

#include <array>
#include <functional>
#include <optional>

class Dialogs;
class PaymentCreation;
class SystemClock;
class TransactionIds;
struct GoodsPick;

// What the stock holds of an item, as the stock window showed it.
struct StockHeld {
    Decimal quantity;
    QString shown; // "7"
};

// The goods sale window's logic: one stock item sold to a customer whose
// identity goes into a questionnaire. A sale is filed like a payment, as a
// journal row of type "T" whose account is the questionnaire record, and sent at
// once ("Записать") or later ("ОТЛОЖИТЬ"). The window mirrors the fields
// (changed()) and forwards what the cashier types and clicks.
class GoodsSale : public QObject {
    Q_OBJECT
public:
    // The window's text fields, by their form names.
    enum Field {
        Shifr,
        Suma,
        Family,
        Name,
        Otchestvo,
        PasportVidan,
        PasportSeri,
        PasportNomer,
        Strana,
        Oblast,
        Gorod,
        Adres,
        KodTovar,
        Invoice,
        NaimenTovar,
        Cena,
        Kolich,
        Osobiuslov,
        Primech,
        FieldCount
    };
    // "kod_tovar", "pasport_seri", ...
    static const char* objectName(Field field);
    // How many characters the control takes; 0 for no limit.
    static int inputLimit(Field field);
    // Whether a text may stand in a field the cashier types into: "&" separates
    // the record's fields, "#" ends the message's account field and "$" starts
    // its terminator, so none of them may be typed.
    static bool acceptable(const QString& text);

    // The sum of a sale: the whole quantity × the price (four decimals, the
    // locale's separator), with two decimals; a quantity or price that is not a
    // number counts as 0.
    static QString sumFor(const QString& quantity, const QString& price);

    GoodsSale(TransactionIds& ids, PaymentCreation& creation, Dialogs& dialogs, SystemClock& clock,
              QObject* parent = nullptr);

    const QString& text(Field field) const { return fields_[size_t(field)]; }
    // A change typed into a field; refused (false, the field keeps its text) when
    // it holds a character the record cannot carry. A change of the quantity
    // recomputes the sum.
    bool edit(Field field, const QString& text);
    QDate issued() const { return issued_; } // DateTimePicker1
    QDate born() const { return born_; }     // DateTimePicker2
    void setIssued(const QDate& date);
    void setBorn(const QDate& date);

    // The account field of the sale's journal row: 19 fields, each cut to its
    // width and followed by "&".
    QString questionnaireRecord() const;

    const QString& caption() const { return caption_; }
    bool recordEnabled() const { return recordEnabled_; }

    // Where the sale learns what the stock holds of an item (its article, and
    // the invoice where the pick came from the stock); nothing when unknown.
    using StockLookup =
        std::function<std::optional<StockHeld>(const QString& article, const QString& invoice)>;
    void setStockLookup(StockLookup lookup) { stockLookup_ = std::move(lookup); }

    // The main window's button: a new transaction code, then the window is shown.
    // Every other field keeps what the last sale left unfiled.
    void open();
    // The window became active.
    void activate();
    // "..." or a double-click on kod_tovar: goods pick mode on, and the stock
    // window as the chooser.
    void chooseGoods();
    // Goods pick mode: while on, the price list and the stock hand an item to
    // the sale. The chooser turns it on, the main window's stock button off.
    bool pickMode() const { return pickMode_; }
    void setPickMode(bool on);
    // An item handed over by the stock or the price list; the sum is left as it is.
    void take(const GoodsPick& item);

    // "Записать": the window closes, then the sale is filed and sent. A quantity
    // above what the stock holds is asked about first. A filed sale leaves the
    // form empty, so a second press sells nothing twice.
    void recordClicked();
    // "ОТЛОЖИТЬ": filed as deferred, the same way; the window stays.
    void deferClicked();
    // "Очистить": the customer, the item, the quantity, the code and the sum
    // are emptied; the invoice, the note, the combo boxes and the dates stay.
    void clearClicked();

signals:
    void changed();
    void showRequested();
    void closeRequested();
    void chooserRequested();

private:
    bool file(bool sendNow);
    // Whether the quantity may be sold: within the stock, or the cashier says so.
    bool quantityAgreed();
    void emptyFields();

    TransactionIds& ids_;
    PaymentCreation& creation_;
    Dialogs& dialogs_;
    StockLookup stockLookup_;
    bool pickMode_ = false;
    std::array<QString, FieldCount> fields_;
    QDate issued_;
    QDate born_;
    QString caption_ = QStringLiteral("Продажа товара");
    bool recordEnabled_ = true;
};
