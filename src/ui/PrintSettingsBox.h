#pragma once

#include <QGroupBox>

class QCheckBox;
class QComboBox;
class Terminal;

// "Печать квитанций" on the settings page: the paper, the printer and whether
// F2 prints without the dialog. Each change is written at once.
class PrintSettingsBox : public QGroupBox {
    Q_OBJECT
public:
    PrintSettingsBox(Terminal& terminal, QWidget* parent = nullptr);

protected:
    // The system's printers are asked for again each time the page is shown.
    void showEvent(QShowEvent* event) override;

private:
    void showSettings();
    void fillPrinters();

    Terminal& terminal_;
    QComboBox* paper_ = nullptr;
    QComboBox* printer_ = nullptr;
    QCheckBox* withoutDialog_ = nullptr;
};
