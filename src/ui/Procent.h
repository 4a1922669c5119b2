#pragma once

#include <QDialog>

class ProgressGauge;
class SpreadsheetExport;

// The gauge TCGauge: a bar with its percentage written on it, mirroring a
// ProgressGauge and redrawn at once whenever the percentage changes.
class TCGauge : public QWidget {
    Q_OBJECT
public:
    TCGauge(ProgressGauge& gauge, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ProgressGauge& gauge_;
};

// The small always-on-top window the spreadsheet export shows while it works.
class TProgress : public QDialog {
    Q_OBJECT
public:
    TProgress(SpreadsheetExport& exporter, QWidget* parent = nullptr);

    TCGauge* gauge() const { return gauge_; }

private:
    void setShown(bool shown);

    TCGauge* gauge_;
};
