#pragma once

#include <QStringList>

#include <memory>

class Terminal;
class TwinMain;
class TOplat;
class TLoginPasw;
class TVipMon;
class TVipDay;
class TProgress;
class TCancelPlat;
class TPriceall;
class TOborVed;
class TProdaja;
class TSklad;
class TReconciliation;
class TDeletions;
class TSmena;

// The program's eleven windows over the terminal's logic, created once in their
// fixed order and kept until the end: the main window first, its creation steps
// run before the next window exists. The main window owns the others (they
// stay in front of it and go with it); this object owns the main window. Only
// the main window is shown; connecting is the caller's next step.
class Forms {
public:
    explicit Forms(Terminal& terminal);
    ~Forms();

    // The main window's creation steps ran to their end (a port in ip.ini that
    // is not a number stops them, and then nothing connects).
    bool created() const { return created_; }

    TwinMain* winMain = nullptr;
    TOplat* Oplat = nullptr;
    TLoginPasw* LoginPasw = nullptr;
    TVipMon* VipMon = nullptr;
    TVipDay* VipDay = nullptr;
    TProgress* Progress = nullptr;
    TCancelPlat* CancelPlat = nullptr;
    TPriceall* Priceall = nullptr;
    TOborVed* OborVed = nullptr;
    TProdaja* Prodaja = nullptr;
    TSklad* Sklad = nullptr;
    // Not one of the program's eleven forms: the day's reconciliation with the server.
    TReconciliation* Reconcile = nullptr;
    // The day's deletion record.
    TDeletions* Deletions = nullptr;
    // The shift's close: the drawer, the X and Z reports.
    TSmena* Smena = nullptr;

    // Class names in the order the windows were created.
    QStringList creationOrder;

private:
    void wire(Terminal& terminal);

    std::unique_ptr<TwinMain> main_;
    bool created_ = false;
};
