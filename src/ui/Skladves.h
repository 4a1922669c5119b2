#pragma once

#include "ui/GoodsWindow.h"

#include <QPointer>

#include <functional>

class QPushButton;
class Stock;

// The stock of the payment point; also the sale window's goods chooser.
class TSklad : public GoodsWindow {
    Q_OBJECT
public:
    TSklad(Stock& stock, Dialogs& dialogs, QWidget* parent = nullptr);

    // The sale window's chooser: the window modal in goods pick mode. When it is
    // already open from the main window it cannot become modal; it comes to the
    // front in pick mode instead.
    void openAsChooser();

    // How the chooser is shown; modal by default (tests show it without blocking).
    using ShowFunction = std::function<void(TSklad&)>;
    void setShowFunction(ShowFunction show) { show_ = std::move(show); }

protected:
    void syncFromList() override;
    // A chooser that goes gives the keys back to the window that asked for it.
    void hideEvent(QHideEvent* event) override;

private:
    Stock& stock_;
    QPointer<QWidget> asking_;
    QPushButton* bitBtn4_ = nullptr;
    ShowFunction show_;
};
