#pragma once

#include <QString>
#include <QStringList>

#include <memory>

class Dialogs;
class FileDialog;
class ReceiptPrinter;
class SpreadsheetWriter;
class SystemClock;
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

struct Seams {
    Dialogs* dialogs = nullptr;
    SystemClock* clock = nullptr;
    FileDialog* fileDialog = nullptr;
    ReceiptPrinter* printer = nullptr;
    SpreadsheetWriter* spreadsheet = nullptr;
};

// The program's eleven windows, created once in their fixed order (the main
// window first, its creation steps run before the next window exists) and kept
// until the end; only the main window is shown.
class Forms {
public:
    Forms(const QString& programDir, const Seams& seams);
    ~Forms();

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

    // Class names in the order the windows were created.
    QStringList creationOrder;

private:
    void wireMainWindow();
};
