#include "ui/Forms.h"

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
#include "ui/Unit1.h"
#include "ui/Vippoday.h"
#include "ui/Vippodnym.h"

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
    create(VipMon, winMain, creationOrder, "TVipMon");
    create(VipDay, winMain, creationOrder, "TVipDay");
    create(Progress, winMain, creationOrder, "TProgress");
    CancelPlat = new TCancelPlat(winMain->terminal().cancellation(), winMain);
    creationOrder << QStringLiteral("TCancelPlat");
    create(Priceall, winMain, creationOrder, "TPriceall");
    OborVed = new TOborVed(winMain->terminal().turnover(), winMain);
    creationOrder << QStringLiteral("TOborVed");
    create(Prodaja, winMain, creationOrder, "TProdaja");
    create(Sklad, winMain, creationOrder, "TSklad");
    wireMainWindow();
}

void Forms::wireMainWindow() {
    // The main window's buttons that open the other windows.
    auto opens = [this](const char* buttonName, auto handler) {
        auto* b = winMain->findChild<QPushButton*>(QString::fromLatin1(buttonName));
        QObject::connect(b, &QPushButton::clicked, winMain, handler);
    };
    opens("BitBtn11", [this] { OborVed->openFromMain(); });
}

Forms::~Forms() {
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
