#include "ui/Forms.h"

#include "goods/GoodsSale.h"
#include "platform/Dialogs.h"
#include "terminal/Terminal.h"
#include "ui/Anketa.h"
#include "ui/Deletions.h"
#include "ui/Logpas.h"
#include "ui/Oborvedom.h"
#include "ui/Oplata.h"
#include "ui/Otmenaplat.h"
#include "ui/Price.h"
#include "ui/Procent.h"
#include "ui/Skladves.h"
#include "ui/Smena.h"
#include "ui/Sverka.h"
#include "ui/Unit1.h"
#include "ui/Vippoday.h"
#include "ui/Vippodnym.h"

#include <exception>

namespace {
template <typename T, typename Logic>
T* create(Logic& logic, Dialogs& dialogs, QWidget* owner, QStringList& order, const char* className) {
    order << QString::fromLatin1(className);
    return new T(logic, dialogs, owner);
}
} // namespace

Forms::Forms(Terminal& terminal) : main_(std::make_unique<TwinMain>(terminal)) {
    winMain = main_.get();
    creationOrder << QStringLiteral("TwinMain");
    // An error here ends the creation steps but not the program.
    try {
        terminal.formCreate();
        created_ = true;
    } catch (const std::exception& e) {
        terminal.dialogs().exception(QString::fromUtf8(e.what()));
    }
    QWidget* owner = winMain;
    Dialogs& dialogs = terminal.dialogs();
    Oplat = new TOplat(terminal.paymentEntry(), owner);
    creationOrder << QStringLiteral("TOplat");
    LoginPasw = create<TLoginPasw>(terminal.account(), dialogs, owner, creationOrder, "TLoginPasw");
    VipMon = create<TVipMon>(terminal.monthStatement(), dialogs, owner, creationOrder, "TVipMon");
    VipDay = create<TVipDay>(terminal.dayStatement(), dialogs, owner, creationOrder, "TVipDay");
    Progress = new TProgress(terminal.spreadsheet(), owner);
    creationOrder << QStringLiteral("TProgress");
    CancelPlat = create<TCancelPlat>(terminal.cancellation(), dialogs, owner, creationOrder, "TCancelPlat");
    Priceall = create<TPriceall>(terminal.priceList(), dialogs, owner, creationOrder, "TPriceall");
    OborVed = create<TOborVed>(terminal.turnover(), dialogs, owner, creationOrder, "TOborVed");
    Prodaja = create<TProdaja>(terminal.goodsSale(), dialogs, owner, creationOrder, "TProdaja");
    Sklad = create<TSklad>(terminal.stock(), dialogs, owner, creationOrder, "TSklad");
    Reconcile = new TReconciliation(terminal.reconciliation(), dialogs, owner);
    Deletions = new TDeletions(terminal.days(), terminal.records(), owner);
    Smena = new TSmena(terminal.shift(), dialogs, owner);
    wire(terminal);
}

void Forms::wire(Terminal& terminal) {
    // The main window's buttons that open the other windows.
    QObject::connect(winMain, &TwinMain::turnoverRequested, OborVed, [this] { OborVed->openFromMain(); });
    QObject::connect(winMain, &TwinMain::reconciliationRequested, Reconcile,
                     [this] { Reconcile->openFromMain(); });
    QObject::connect(winMain, &TwinMain::priceListRequested, Priceall, [this] { Priceall->openFromMain(); });
    QObject::connect(winMain, &TwinMain::deletionsRequested, Deletions, [this] { Deletions->openFromMain(); });
    QObject::connect(winMain, &TwinMain::stockRequested, Sklad, [this] { Sklad->openFromMain(); });
    QObject::connect(winMain, &TwinMain::shiftRequested, Smena, [this] { Smena->openFromMain(); });
    // The sale window's goods chooser is the stock window.
    QObject::connect(&terminal.goodsSale(), &GoodsSale::chooserRequested, Sklad, [this] { Sklad->openAsChooser(); });
}

Forms::~Forms() = default;
