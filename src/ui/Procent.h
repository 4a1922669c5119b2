#pragma once

#include <QDialog>

// The small progress window of the spreadsheet export.
class TProgress : public QDialog {
    Q_OBJECT
public:
    explicit TProgress(QWidget* parent = nullptr);
};
