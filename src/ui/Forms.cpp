#include "ui/Forms.h"

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

namespace {
template <typename T> void create(T*& slot, QStringList& order, const char* className) {
    slot = new T();
    order << QString::fromLatin1(className);
}
} // namespace

Forms::Forms(const QString& programDir, const Seams& seams) {
    winMain = new TwinMain(programDir, seams.dialogs, seams.clock, seams.fileDialog);
    creationOrder << QStringLiteral("TwinMain");
    // The payment window mirrors the main window's terminal logic.
    Oplat = new TOplat(winMain->terminal());
    creationOrder << QStringLiteral("TOplat");
    LoginPasw = new TLoginPasw(winMain->terminal().account());
    creationOrder << QStringLiteral("TLoginPasw");
    create(VipMon, creationOrder, "TVipMon");
    create(VipDay, creationOrder, "TVipDay");
    create(Progress, creationOrder, "TProgress");
    create(CancelPlat, creationOrder, "TCancelPlat");
    create(Priceall, creationOrder, "TPriceall");
    create(OborVed, creationOrder, "TOborVed");
    create(Prodaja, creationOrder, "TProdaja");
    create(Sklad, creationOrder, "TSklad");
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
