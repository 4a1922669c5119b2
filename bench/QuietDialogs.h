#pragma once

#include "platform/Dialogs.h"

// Boxes a benchmark never waits for: every one answered at once, OK to questions.
class QuietDialogs : public Dialogs {
public:
    void message(const QString&) override {}
    void box(const QString&, const QString&, Icon) override {}
    bool question(const QString&, const QString&) override { return true; }
    bool retryCancel(const QString&, const QString&, Icon) override { return false; }
    void exception(const QString&) override {}
};
