#pragma once

#include <QString>
#include <QStringList>

// Where the operator icons are found: img/ in the program directory first, so a
// terminal directory (or a user's data directory) can hold its own, then the icons
// installed with the program, share/orvanta/img/ beside the executable's bin/
// (/usr/share/orvanta/img/ for /usr/bin/orvanta).
namespace IconLookup {

// The directories in that order, each with a trailing "/".
QStringList directories(const QString& programDir, const QString& executableDir);

// The path of the first file called name in dirs; empty when none has it.
QString find(const QStringList& dirs, const QString& name);

// The same for the running program.
QString findIcon(const QString& programDir, const QString& name);

} // namespace IconLookup
