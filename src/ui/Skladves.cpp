#include "ui/Skladves.h"

#include "goods/Stock.h"
#include "ui/Widgets.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTableView>
#include <QTimer>

TSklad::TSklad(Stock& stock, Dialogs& dialogs, QWidget* parent)
    : GoodsWindow(stock, dialogs, "Sklad", QStringLiteral("Товары на складе"), {60, 60, 290, 60, 60, 100}, Stock::Name,
                  parent),
      stock_(stock), show_([](TSklad& w) { w.exec(); }) {
    resize(760, 520);
    bitBtn4_ = Widgets::button(QStringLiteral("К форме продаж"), "BitBtn4", this,
                               QStringLiteral("Перенос даных к форме продажи товаров"));
    buttonRow()->insertWidget(1, bitBtn4_);
    connect(bitBtn4_, &QPushButton::clicked, this, [this] { pickSelected(); });
    syncFromList();
}

void TSklad::openAsChooser() {
    if (isVisible()) {
        openFromMain();
        return;
    }
    // The window that asked for the chooser (the sale window) has the keys back
    // once an item is taken, not the main window that owns the chooser.
    asking_ = QApplication::activeWindow();
    // Up over the sale window and with the keys once it shows, also where no
    // window manager stacks the windows; the arrows and Enter choose at once.
    // The activation loads the list.
    QTimer::singleShot(0, this, [this] {
        raise();
        activateWindow();
        focusTable();
    });
    show_(*this);
}

void TSklad::hideEvent(QHideEvent* event) {
    GoodsWindow::hideEvent(event);
    const QPointer<QWidget> asking = asking_;
    asking_.clear();
    if (!asking || asking == this)
        return;
    // After the focus keeper's own hand-over, which the hide has queued.
    QTimer::singleShot(0, this, [asking] {
        if (asking && asking->isVisible()) {
            asking->raise();
            asking->activateWindow();
        }
    });
}

void TSklad::syncFromList() {
    GoodsWindow::syncFromList();
    bitBtn4_->setVisible(stock_.pickButtonVisible());
}
