#pragma once

#include <QDialog>

// The monthly statement: one line per day of a month.
class TVipMon : public QDialog {
    Q_OBJECT
public:
    explicit TVipMon(QWidget* parent = nullptr);
};
