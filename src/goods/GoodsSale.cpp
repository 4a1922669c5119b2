#include "goods/GoodsSale.h"

#include "goods/GoodsList.h"
#include "link/PaymentCreation.h"
#include "payments/PaymentJournal.h"
#include "payments/TransactionIds.h"
#include "platform/Convert.h"
#include "platform/Dialogs.h"
#include "platform/Money.h"
#include "platform/SystemClock.h"

namespace {

struct FieldInfo {
    const char* name;
    int limit;
};

// The item's fields are read-only, filled by a pick and shown whole; the record
// cuts them to its widths.
// clang-format off
constexpr FieldInfo kFields[GoodsSale::FieldCount] = {
    {"shifr", 0},          {"suma", 0},          {"family", 15},       {"name", 15},
    {"otchestvo", 15},     {"pasport_vidan", 20}, {"pasport_seri", 3},  {"pasport_nomer", 8},
    {"strana", 10},        {"oblast", 10},       {"gorod", 10},        {"adres", 15},
    {"kod_tovar", 0},      {"invoice", 0},       {"naimen_tovar", 0},  {"cena", 0},
    {"kolich", 2},         {"osobiuslov", 15},   {"primech", 15},
};
// clang-format on

// The record's fields in the order the server reads them, each with its width.
struct RecordField {
    GoodsSale::Field field;
    int width;
};
constexpr RecordField kRecord[] = {
    {GoodsSale::Osobiuslov, 15},  {GoodsSale::KodTovar, 6},      {GoodsSale::Invoice, 7},
    {GoodsSale::Kolich, 2},       {GoodsSale::Primech, 15},      {GoodsSale::Family, 15},
    {GoodsSale::Name, 15},        {GoodsSale::Otchestvo, 15},    {GoodsSale::PasportSeri, 3},
    {GoodsSale::PasportNomer, 8}, {GoodsSale::PasportVidan, 20}, {GoodsSale::Strana, 10},
    {GoodsSale::Gorod, 12},       {GoodsSale::Oblast, 10},       {GoodsSale::Adres, 15},
    {GoodsSale::NaimenTovar, 20}, {GoodsSale::Cena, 8},
};

// One form for the server whatever the desktop's short date looks like.
const QString kRecordDate = QStringLiteral("dd.MM.yyyy");

} // namespace

const char* GoodsSale::objectName(Field field) {
    return kFields[field].name;
}

int GoodsSale::inputLimit(Field field) {
    return kFields[field].limit;
}

bool GoodsSale::acceptable(const QString& text) {
    for (const QChar c : text) {
        if (c == QLatin1Char('&') || c == QLatin1Char('#') || c == QLatin1Char('$'))
            return false;
    }
    return true;
}

QString GoodsSale::sumFor(const QString& quantity, const QString& price) {
    int count = 0;
    if (!Convert::tryStrToInt(quantity, &count))
        count = 0;
    return Money::format(Money::times(Decimal::readOr0(price, Decimal::Form::Goods), count));
}

GoodsSale::GoodsSale(TransactionIds& ids, PaymentCreation& creation, Dialogs& dialogs, SystemClock& clock,
                     QObject* parent)
    : QObject(parent), ids_(ids), creation_(creation), dialogs_(dialogs) {
    // The pickers start on today, as a new form does.
    issued_ = born_ = clock.now().date();
}

bool GoodsSale::edit(Field field, const QString& text) {
    if (!acceptable(text))
        return false;
    fields_[field] = text;
    if (field == Kolich)
        fields_[Suma] = sumFor(text, fields_[Cena]);
    emit changed();
    return true;
}

void GoodsSale::setIssued(const QDate& date) {
    issued_ = date;
    emit changed();
}

void GoodsSale::setBorn(const QDate& date) {
    born_ = date;
    emit changed();
}

QString GoodsSale::questionnaireRecord() const {
    const QChar end = QLatin1Char('&');
    QString record;
    for (const RecordField& f : kRecord)
        record += fields_[f.field].left(f.width) + end;
    record += issued_.toString(kRecordDate) + end;
    record += born_.toString(kRecordDate) + end;
    return record;
}

void GoodsSale::open() {
    fields_[Shifr] = ids_.next();
    emit changed();
    emit showRequested();
}

void GoodsSale::activate() {
    caption_ = QStringLiteral("Продажа товара. Новая операция");
    recordEnabled_ = true;
    emit changed();
}

void GoodsSale::chooseGoods() {
    setPickMode(true);
    emit chooserRequested();
}

void GoodsSale::setPickMode(bool on) {
    pickMode_ = on;
}

void GoodsSale::take(const GoodsPick& item) {
    fields_[KodTovar] = item.article;
    if (item.hasInvoice)
        fields_[Invoice] = item.invoice;
    fields_[NaimenTovar] = item.name;
    fields_[Cena] = item.price;
    emit changed();
}

void GoodsSale::recordClicked() {
    emit closeRequested();
    file(true);
}

void GoodsSale::deferClicked() {
    file(false);
}

void GoodsSale::clearClicked() {
    emptyFields();
}

void GoodsSale::emptyFields() {
    // In this order: emptying the quantity recomputes the sum before the sum
    // itself is emptied.
    for (const Field f : {Family, Name, Otchestvo, PasportSeri, PasportNomer, PasportVidan, Strana, Gorod,
                          Oblast, Adres, KodTovar, NaimenTovar, Cena, Kolich, Osobiuslov, Shifr, Suma})
        edit(f, QString());
}

bool GoodsSale::quantityAgreed() {
    int count = 0;
    if (!stockLookup_ || !Convert::tryStrToInt(text(Kolich), &count))
        return true;
    const std::optional<StockHeld> held = stockLookup_(text(KodTovar), text(Invoice));
    if (!held || !(held->quantity < Decimal::fromInt(count)))
        return true;
    return dialogs_.question(
        QStringLiteral("На складе %1. Продать %2?").arg(held->shown, QString::number(count)),
        QStringLiteral("Продажа товара"));
}

bool GoodsSale::file(bool sendNow) {
    const QString record = questionnaireRecord();
    if (text(KodTovar).size() < 4 || text(Kolich).isEmpty() || text(Suma).isEmpty()) {
        dialogs_.message(
            QStringLiteral("Не все поля заполнены!!!\n Заполните поля и повторите попытку."));
        return false;
    }
    // An emptied code is filled from the allocator by the filing itself.
    const JournalRow row{QString(),
                         text(NaimenTovar),
                         record,
                         text(Suma),
                         QStringLiteral("0"),
                         text(Shifr),
                         sendNow ? QStringLiteral("в процессе") : QStringLiteral("отложено"),
                         text(KodTovar),
                         QStringLiteral("T"),
                         QString(),
                         SendFlag::Unsent};
    if (!quantityAgreed())
        return false;
    if (!creation_.file(row, sendNow))
        return false;
    // The filed sale leaves nothing behind to be filed again by a second press;
    // whatever is filed next is another sale with its own code.
    emptyFields();
    fields_[Shifr] = ids_.next();
    emit changed();
    return true;
}
