#pragma once

#include <QString>

#include <optional>

// The terminal's message boxes. Every box the terminal shows goes through here,
// so tests answer them from a script and no logic needs a widget.
class Dialogs {
public:
    enum class Icon { None, Information, Warning, Error, Question };

    virtual ~Dialogs() = default;

    // A plain information message with an OK button (no title of its own).
    virtual void message(const QString& text) = 0;
    // A system-modal box with OK, a title and an icon.
    virtual void box(const QString& text, const QString& title, Icon icon) = 0;
    // A system-modal question with OK and Cancel; true when the answer is OK.
    virtual bool question(const QString& text, const QString& title) = 0;
    // A system-modal box with Retry and Cancel; true when the answer is Retry.
    virtual bool retryCancel(const QString& text, const QString& title, Icon icon) = 0;
    // The standard exception box for an error nothing else handled.
    virtual void exception(const QString& text) = 0;
    // A system-modal question for a short text, `initial` already typed in;
    // nothing when cancelled.
    virtual std::optional<QString> askText(const QString& text, const QString& title, const QString& initial) = 0;
};
