#pragma once

#include "core/IniFile.h"
#include "reports/ReceiptLayout.h"

#include <QObject>
#include <QString>

class Environment;

// How receipts and reports are printed, kept in ip.ini's own section [print]
// beside the other sections the file may hold: the paper (bumaga: "list",
// "lenta58", "lenta80"), the printer (printer: a system printer's name, or
// PdfFile for PDF files in the program directory's "pdf" folder) and whether
// that printer is used without the dialog (bezdialoga: 1). Absent or unknown
// values mean the sheet, no printer and the dialog.
class PrintSettings : public QObject {
    Q_OBJECT
public:
    static const QString PdfFile; // "#pdf": no system printer is named so

    explicit PrintSettings(const Environment& env, QObject* parent = nullptr);

    void load();

    Paper paper() const { return paper_; }
    const QString& printer() const { return printer_; }
    bool withoutDialog() const { return withoutDialog_; }
    // The dialog is skipped only where there is a printer to go to.
    bool printsDirectly() const { return withoutDialog_ && !printer_.isEmpty(); }

    // Each written at once; throws AppError when ip.ini cannot be written.
    void setPaper(Paper paper);
    void setPrinter(const QString& printer);
    void setWithoutDialog(bool on);

signals:
    void changed();

private:
    IniFile ipIni_;
    Paper paper_ = Paper::Sheet;
    QString printer_;
    bool withoutDialog_ = false;
};
