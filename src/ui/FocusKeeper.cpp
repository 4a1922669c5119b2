#include "ui/FocusKeeper.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace {

bool hasActiveWindow() {
    const QWidget* active = QApplication::activeWindow();
    return active && active->isVisible();
}

// The window to give the keys to: an open modal window first, then the hidden
// window's owner, then any visible main window.
QWidget* successor(QWidget* owner) {
    if (QWidget* modal = QApplication::activeModalWidget(); modal && modal->isVisible())
        return modal;
    if (owner && owner->isVisible())
        return owner->window();
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && !w->parentWidget() && w->windowType() == Qt::Window)
            return w;
    return nullptr;
}

} // namespace

bool FocusKeeper::eventFilter(QObject* watched, QEvent* event) {
    // A modal box that comes up takes the keys: it is the only window that can use them.
    if (event->type() == QEvent::Show && watched->isWidgetType()) {
        auto* shown = static_cast<QWidget*>(watched);
        if (shown->isWindow() && shown->isModal()) {
            QPointer<QWidget> box = shown;
            QTimer::singleShot(0, this, [box] {
                if (box && box->isVisible() && QApplication::activeWindow() != box)
                    box->activateWindow();
            });
        }
    }
    if (event->type() == QEvent::Hide && watched->isWidgetType()) {
        auto* hidden = static_cast<QWidget*>(watched);
        if (hidden->isWindow() && hidden->windowType() != Qt::Popup && hidden->windowType() != Qt::ToolTip) {
            QPointer<QWidget> owner = hidden->parentWidget();
            // After the hide has reached the window system.
            QTimer::singleShot(0, this, [owner] {
                if (hasActiveWindow())
                    return;
                if (QWidget* next = successor(owner))
                    next->activateWindow();
            });
        }
    }
    return QObject::eventFilter(watched, event);
}
