#pragma once

#include <QDialog>

// The daily statement: the movements of one day.
class TVipDay : public QDialog {
    Q_OBJECT
public:
    explicit TVipDay(QWidget* parent = nullptr);
};
