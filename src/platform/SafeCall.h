#pragma once

#include "platform/AppError.h"
#include "platform/Dialogs.h"

#include <QString>

#include <exception>
#include <utility>

// The boundary an exception must not cross: a slot, a timer's or a socket's
// handler. What the call throws is shown in the standard exception box and the
// program goes on, as if the application had caught it, but without the
// exception passing through Qt's signal machinery.
namespace SafeCall {

template <typename F> void run(Dialogs& dialogs, F&& f) noexcept {
    try {
        std::forward<F>(f)();
    } catch (const AppError& e) {
        dialogs.exception(e.text());
    } catch (const std::exception& e) {
        dialogs.exception(QString::fromUtf8(e.what()));
    } catch (...) {
        dialogs.exception(QStringLiteral("Unknown error"));
    }
}

// A slot without arguments that runs `f` inside that boundary; a signal's
// arguments, if it has any, are left aside.
template <typename F> auto guarded(Dialogs& dialogs, F f) {
    return [&dialogs, f = std::move(f)]() { run(dialogs, f); };
}

} // namespace SafeCall
