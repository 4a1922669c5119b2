#pragma once

#include "ui/GoodsWindow.h"

class PriceList;

// The price list of the main warehouse.
class TPriceall : public GoodsWindow {
    Q_OBJECT
public:
    TPriceall(PriceList& list, Dialogs& dialogs, QWidget* parent = nullptr);
};
