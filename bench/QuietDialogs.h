#pragma once

#include "platform/Dialogs.h"

// Boxes nobody sees, for benchmarks: questions are answered with `answer`.
class QuietDialogs : public Dialogs {
public:
    explicit QuietDialogs(bool answer = true) : answer_(answer) {}
    void message(const QString&) override {}
    void box(const QString&, const QString&, Icon) override {}
    bool question(const QString&, const QString&) override { return answer_; }
    bool retryCancel(const QString&, const QString&, Icon) override { return false; }
    void exception(const QString&) override {}

private:
    bool answer_;
};
