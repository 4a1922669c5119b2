#pragma once

#include "platform/Locale.h"

#include <QCoreApplication>
#include <QDir>
#include <QString>

#include <cstdio>
#include <cstdlib>

// What every fuzz target needs: an application object for Qt's timers and
// sockets, the decimal separator set, and scratch files kept in memory.
namespace Fuzz {

inline void init() {
    static int argc = 1;
    static char name[] = "orvanta-fuzz";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    Locale::setDecimalSeparator(QLatin1Char('.'));
}

inline QString scratchTemplate() {
    return QDir(QStringLiteral("/dev/shm")).exists()
               ? QStringLiteral("/dev/shm/orvanta-fuzz-XXXXXX")
               : QDir::tempPath() + QStringLiteral("/orvanta-fuzz-XXXXXX");
}

// A broken promise of the code under test: reported and stopped, so the
// fuzzer keeps the input.
[[noreturn]] inline void fail(const char* what) {
    std::fprintf(stderr, "fuzz: %s\n", what);
    std::abort();
}

} // namespace Fuzz
