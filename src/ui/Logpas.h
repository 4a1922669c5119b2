#pragma once

#include <QDialog>

// The login window shown on the server's greeting.
class TLoginPasw : public QDialog {
    Q_OBJECT
public:
    explicit TLoginPasw(QWidget* parent = nullptr);
};
