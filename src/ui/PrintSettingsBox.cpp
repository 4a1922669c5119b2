#include "ui/PrintSettingsBox.h"

#include "platform/SafeCall.h"
#include "reports/PrintSettings.h"
#include "terminal/Terminal.h"
#include "ui/Widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QSignalBlocker>

using Widgets::label;
using Widgets::named;

PrintSettingsBox::PrintSettingsBox(Terminal& terminal, QWidget* parent)
    : QGroupBox(QStringLiteral("Печать квитанций"), parent), terminal_(terminal) {
    setObjectName(QStringLiteral("GroupBoxPrint"));
    auto* grid = new QGridLayout(this);
    paper_ = named(new QComboBox(this), "ComboBoxPaper");
    paper_->addItem(QStringLiteral("Лента 58 мм"), int(Paper::Roll58));
    paper_->addItem(QStringLiteral("Лента 80 мм"), int(Paper::Roll80));
    paper_->addItem(QStringLiteral("Лист"), int(Paper::Sheet));
    paper_->setToolTip(QStringLiteral("Лента: страница кончается там, где кончается текст"));
    printer_ = named(new QComboBox(this), "ComboBoxPrinter");
    withoutDialog_ = named(new QCheckBox(QStringLiteral("Печатать без диалога"), this), "CheckBoxNoDialog");
    withoutDialog_->setToolTip(QStringLiteral("F2 печатает сразу на выбранный принтер; диалог - в меню "
                                              "\"Печать с выбором принтера…\""));
    grid->addWidget(label(QStringLiteral("Бумага"), "LabelPaper", this), 0, 0);
    grid->addWidget(paper_, 0, 1);
    grid->addWidget(label(QStringLiteral("Принтер"), "LabelPrinter", this), 1, 0);
    grid->addWidget(printer_, 1, 1);
    grid->addWidget(withoutDialog_, 2, 1);
    setMaximumWidth(420);

    PrintSettings& settings = terminal_.printSettings();
    Dialogs& dialogs = terminal_.dialogs();
    connect(paper_, &QComboBox::activated, this, SafeCall::guarded(dialogs, [this, &settings] {
                settings.setPaper(Paper(paper_->currentData().toInt()));
            }));
    connect(printer_, &QComboBox::activated, this, SafeCall::guarded(dialogs, [this, &settings] {
                settings.setPrinter(printer_->currentData().toString());
            }));
    connect(withoutDialog_, &QCheckBox::clicked, this, SafeCall::guarded(dialogs, [this, &settings] {
                settings.setWithoutDialog(withoutDialog_->isChecked());
            }));
    connect(&settings, &PrintSettings::changed, this, &PrintSettingsBox::showSettings);
    showSettings();
}

void PrintSettingsBox::showEvent(QShowEvent* event) {
    showSettings();
    QGroupBox::showEvent(event);
}

void PrintSettingsBox::fillPrinters() {
    const PrintSettings& settings = terminal_.printSettings();
    printer_->clear();
    printer_->addItem(QStringLiteral("Не выбран"), QString());
    for (const QString& name : terminal_.printerNames())
        printer_->addItem(name, name);
    printer_->addItem(QStringLiteral("Файл PDF (папка pdf)"), PrintSettings::PdfFile);
    // A printer set earlier that the system no longer has stays shown as set.
    if (printer_->findData(settings.printer()) < 0)
        printer_->addItem(settings.printer(), settings.printer());
}

void PrintSettingsBox::showSettings() {
    const PrintSettings& settings = terminal_.printSettings();
    const QSignalBlocker paperBlocked(paper_);
    const QSignalBlocker printerBlocked(printer_);
    const QSignalBlocker dialogBlocked(withoutDialog_);
    paper_->setCurrentIndex(paper_->findData(int(settings.paper())));
    fillPrinters();
    printer_->setCurrentIndex(printer_->findData(settings.printer()));
    withoutDialog_->setChecked(settings.withoutDialog());
    withoutDialog_->setEnabled(!settings.printer().isEmpty());
}
