#pragma once

#include <QObject>

// Gives the keyboard to a modal box when it comes up, and back to a window when
// the active one is hidden. A window manager does this on a desktop; without one
// (a kiosk session, Xvfb) closing the login window or a message box would leave
// no window taking keys, and the cashier's keyboard would do nothing until a click.
class FocusKeeper : public QObject {
public:
    explicit FocusKeeper(QObject* parent = nullptr) : QObject(parent) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
