#include "ui/KeyboardRules.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QToolButton>

namespace {

const char* const kName = "KeyboardRules";

bool isEnter(const QKeyEvent* key) {
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
        return false;
    return (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

// Enter presses the button as Space would; a button with a menu opens it.
bool press(QAbstractButton* button) {
    if (!button->isEnabled() || !button->isVisible())
        return false;
    if (auto* push = qobject_cast<QPushButton*>(button); push && push->menu()) {
        push->showMenu();
        return true;
    }
    if (auto* tool = qobject_cast<QToolButton*>(button);
        tool && tool->menu() && tool->popupMode() != QToolButton::DelayedPopup) {
        tool->showMenu();
        return true;
    }
    button->click();
    return true;
}

} // namespace

void KeyboardRules::install() {
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || app->findChild<KeyboardRules*>(QLatin1String(kName), Qt::FindDirectChildrenOnly))
        return;
    auto* rules = new KeyboardRules(app);
    rules->setObjectName(QLatin1String(kName));
    app->installEventFilter(rules);
}

bool KeyboardRules::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::Polish:
    case QEvent::FocusIn:
        // Before the first Tab can reach the view, whenever the view was made.
        if (auto* view = qobject_cast<QAbstractItemView*>(watched); view && view->tabKeyNavigation())
            view->setTabKeyNavigation(false);
        break;
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        if (!isEnter(key))
            break;
        if (auto* button = qobject_cast<QAbstractButton*>(watched);
            button && button->hasFocus() &&
            (qobject_cast<QPushButton*>(button) || qobject_cast<QToolButton*>(button))) {
            // A held-down Enter must not press a button over and over (a payment, a send).
            if (key->isAutoRepeat())
                return true;
            if (press(button))
                return true;
        }
        break;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
