#include "ui/ServerFedWindow.h"

#include "link/RequestedFile.h"
#include "platform/SafeCall.h"
#include "ui/Widgets.h"

#include <QApplication>
#include <QEvent>
#include <QPushButton>
#include <QStackedLayout>
#include <QWindow>

ServerFedWindow::ServerFedWindow(RequestedFile& file, Dialogs& dialogs, const char* objectName,
                                 const QString& caption, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs), file_(file) {
    setObjectName(QString::fromLatin1(objectName));
    setWindowTitle(caption);
    connect(&file_, &RequestedFile::changed, this, &ServerFedWindow::syncRequestState);
    // The keys went to another window, not to a box: the next activation is
    // the cashier coming back. (The window's own deactivation comes first.)
    connect(qApp, &QGuiApplication::focusWindowChanged, this, [this](QWindow* focused) {
        if (focused && focused != windowHandle() && !QGuiApplication::modalWindow())
            skipActivation_ = false;
    });
}

void ServerFedWindow::openFromMain() {
    if (everyVisit_) {
        // The activation loads it, once the window has the keys: a box of the
        // loader then comes up over this window and gives the keys back to it.
        if (isActiveWindow())
            runActivated();
        show();
        raise();
        activateWindow();
        return;
    }
    runActivated();
    show();
    raise();
    activateWindow();
}

void ServerFedWindow::runActivated() {
    ++activations_;
    SafeCall::run(dialogs_, [this] { activated(); });
}

void ServerFedWindow::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (!everyVisit_ || event->type() != QEvent::ActivationChange)
        return;
    if (!isActiveWindow()) {
        // A box over the window gives the activation back when it closes.
        const QWidget* modal = QApplication::activeModalWidget();
        skipActivation_ = modal && modal != this;
        return;
    }
    if (skipActivation_)
        skipActivation_ = false;
    else
        runActivated();
}

void ServerFedWindow::showEvent(QShowEvent* event) {
    // A needless request would hide the table until the file comes back.
    for (QPushButton* b : findChildren<QPushButton*>()) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
    QDialog::showEvent(event);
}

QWidget* ServerFedWindow::tableArea(QWidget* view, const char* waitingName, const QString& waitingText) {
    auto* area = new QWidget(this);
    stack_ = new QStackedLayout(area);
    stack_->setContentsMargins(0, 0, 0, 0);
    view_ = view;
    waiting_ = Widgets::label(waitingText, waitingName, area);
    waiting_->setAlignment(Qt::AlignCenter);
    waiting_->setStyleSheet(QStringLiteral("color: #800000; font-weight: bold; font-size: 16px;"));
    stack_->addWidget(view_);
    stack_->addWidget(waiting_);
    syncRequestState();
    return area;
}

QPushButton* ServerFedWindow::refreshButton(const char* name, const QString& hint) {
    refresh_ = Widgets::button(QStringLiteral("Обновить"), name, this, hint);
    syncRequestState();
    return refresh_;
}

QPushButton* ServerFedWindow::reportButton(const char* name, const QString& caption, const QString& hint) {
    return Widgets::button(caption, name, this, hint);
}

QPushButton* ServerFedWindow::closeButton(const char* name) {
    QPushButton* b = Widgets::button(QStringLiteral("Выход"), name, this);
    connect(b, &QPushButton::clicked, this, &QWidget::hide);
    return b;
}

void ServerFedWindow::focusTable() {
    tableWantsFocus_ = true;
    syncRequestState();
}

void ServerFedWindow::syncRequestState() {
    if (stack_)
        stack_->setCurrentWidget(file_.tableVisible() ? view_ : static_cast<QWidget*>(waiting_));
    if (tableWantsFocus_ && view_ && file_.tableVisible() && isVisible()) {
        tableWantsFocus_ = false;
        view_->setFocus(Qt::OtherFocusReason);
    }
    if (refresh_)
        refresh_->setEnabled(file_.refreshEnabled());
}

void ServerFedWindow::onClick(QPushButton* button, std::function<void()> command) {
    connect(button, &QPushButton::clicked, this, SafeCall::guarded(dialogs_, std::move(command)));
}
