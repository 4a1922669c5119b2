#pragma once

#include <QObject>

// The keys a cashier expects of every form, whatever window it is in:
// - Tab and Shift+Tab go to the next and previous control, also out of a grid
//   (a table view would walk its cells instead; arrows, Home/End and the page
//   keys still move inside it);
// - Enter on a focused push or tool button presses it (Qt presses with Space
//   only, and Enter only on a dialog's default button).
// Installed once on the application, so every window and every grid made later
// follows the same rules.
class KeyboardRules : public QObject {
public:
    // Installs the rules on the running application; a second call does nothing.
    static void install();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit KeyboardRules(QObject* parent) : QObject(parent) {}
};
