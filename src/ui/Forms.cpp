#include "ui/Forms.h"

#include "goods/GoodsSale.h"
#include "goods/Stock.h"
#include "goods/TurnoverStatement.h"

#include "terminal/Terminal.h"
#include "ui/Anketa.h"
#include "ui/Logpas.h"
#include "ui/Oborvedom.h"
#include "ui/Oplata.h"
#include "ui/Otmenaplat.h"
#include "ui/Price.h"
#include "ui/Procent.h"
#include "ui/Skladves.h"
#include "ui/Sverka.h"
#include "ui/Unit1.h"
#include "ui/Vippoday.h"
#include "ui/Vippodnym.h"

#include <QAction>
#include <QPushButton>

namespace {
// Every window belongs to the main window: it stays in front of it and goes
// with it when the program ends.
template <typename T> void create(T*& slot, QWidget* owner, QStringList& order, const char* className) {
    slot = new T(owner);
    order << QString::fromLatin1(className);
}
} // namespace

Forms::Forms(const QString& programDir, const Seams& seams) {
    winMain = new TwinMain(programDir, seams.dialogs, seams.clock, seams.fileDialog);
    winMain->terminal().context().printer = seams.printer;
    winMain->terminal().context().spreadsheet = seams.spreadsheet;
    creationOrder << QStringLiteral("TwinMain");
    // The payment window mirrors the main window's terminal logic.
    Oplat = new TOplat(winMain->terminal(), winMain);
    creationOrder << QStringLiteral("TOplat");
    LoginPasw = new TLoginPasw(winMain->terminal().account(), winMain);
    creationOrder << QStringLiteral("TLoginPasw");
    VipMon = new TVipMon(winMain->terminal().monthStatement(), winMain);
    creationOrder << QStringLiteral("TVipMon");
    VipDay = new TVipDay(winMain->terminal().dayStatement(), winMain);
    creationOrder << QStringLiteral("TVipDay");
    Progress = new TProgress(winMain->terminal().spreadsheet(), winMain);
    creationOrder << QStringLiteral("TProgress");
    CancelPlat = new TCancelPlat(winMain->terminal().cancellation(), winMain);
    creationOrder << QStringLiteral("TCancelPlat");
    Priceall = new TPriceall(winMain->terminal().priceList(), winMain);
    creationOrder << QStringLiteral("TPriceall");
    OborVed = new TOborVed(winMain->terminal().turnover(), winMain);
    creationOrder << QStringLiteral("TOborVed");
    Prodaja = new TProdaja(winMain->terminal().goodsSale(), winMain);
    creationOrder << QStringLiteral("TProdaja");
    Sklad = new TSklad(winMain->terminal().stock(), winMain);
    creationOrder << QStringLiteral("TSklad");
    Reconcile = new TReconciliation(winMain->terminal().reconciliation(), winMain);
    wireMainWindow();
}

void Forms::wireMainWindow() {
    // The main window's buttons that open the other windows.
    auto opens = [this](const char* buttonName, auto handler) {
        auto* b = winMain->findChild<QPushButton*>(QString::fromLatin1(buttonName));
        QObject::connect(b, &QPushButton::clicked, winMain, handler);
    };
    opens("BitBtn11", [this] { OborVed->openFromMain(); });
    QObject::connect(winMain->findChild<QAction*>(QStringLiteral("Reconcile")), &QAction::triggered, winMain,
                     [this] { Reconcile->openFromMain(); });
    opens("BitBtn14", [this] { Priceall->openFromMain(); });
    opens("BitBtn13", [this] { winMain->terminal().goodsSale().open(); });
    opens("BitBtn10", [this] {
        winMain->terminal().stock().leavePickMode();
        Sklad->openFromMain();
    });
    // The sale window's goods chooser is the stock window.
    QObject::connect(&winMain->terminal().goodsSale(), &GoodsSale::chooserRequested, Sklad,
                     [this] { Sklad->openAsChooser(); });
}

Forms::~Forms() {
    delete Reconcile;
    // The main window goes last.
    delete Sklad;
    delete Prodaja;
    delete OborVed;
    delete Priceall;
    delete CancelPlat;
    delete Progress;
    delete VipDay;
    delete VipMon;
    delete LoginPasw;
    delete Oplat;
    delete winMain;
}
