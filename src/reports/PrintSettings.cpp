#include "reports/PrintSettings.h"

#include "core/Environment.h"

namespace {

const QString kSection = QStringLiteral("print");
const QString kPaper = QStringLiteral("bumaga");
const QString kPrinter = QStringLiteral("printer");
const QString kWithoutDialog = QStringLiteral("bezdialoga");

QString paperText(Paper paper) {
    switch (paper) {
    case Paper::Roll58:
        return QStringLiteral("lenta58");
    case Paper::Roll80:
        return QStringLiteral("lenta80");
    case Paper::Sheet:
        break;
    }
    return QStringLiteral("list");
}

} // namespace

const QString PrintSettings::PdfFile = QStringLiteral("#pdf");

PrintSettings::PrintSettings(const Environment& env, QObject* parent)
    : QObject(parent), ipIni_(env.ipIniPath()) {}

void PrintSettings::load() {
    const QString paper = ipIni_.readString(kSection, kPaper, QString()).trimmed().toLower();
    paper_ = paper == paperText(Paper::Roll58)   ? Paper::Roll58
             : paper == paperText(Paper::Roll80) ? Paper::Roll80
                                                 : Paper::Sheet;
    printer_ = ipIni_.readString(kSection, kPrinter, QString()).trimmed();
    withoutDialog_ = ipIni_.readString(kSection, kWithoutDialog, QString()).trimmed() == QLatin1String("1");
    emit changed();
}

void PrintSettings::setPaper(Paper paper) {
    paper_ = paper;
    emit changed();
    ipIni_.writeString(kSection, kPaper, paperText(paper));
}

void PrintSettings::setPrinter(const QString& printer) {
    printer_ = printer.trimmed();
    emit changed();
    ipIni_.writeString(kSection, kPrinter, printer_);
}

void PrintSettings::setWithoutDialog(bool on) {
    withoutDialog_ = on;
    emit changed();
    ipIni_.writeString(kSection, kWithoutDialog, on ? QStringLiteral("1") : QStringLiteral("0"));
}
