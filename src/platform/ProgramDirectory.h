#pragma once

#include <QString>

// The directory the terminal keeps its files in (ip.ini, operator.ini, the terminal
// directories, the certificate, the reports). A terminal directory copied by hand, or
// the build tree, keeps them beside the program; an installed program cannot write
// beside itself, so it keeps them in the user's data directory.
namespace ProgramDirectory {

// executableDir when it is writable, otherwise dataDir, created with its missing
// parents; with a trailing "/". Throws AppError when dataDir cannot be created.
QString choose(const QString& executableDir, bool executableDirWritable, const QString& dataDir);

// An executable in a bin/ directory that has share/orvanta/ beside it was installed
// from the package. Its directory holds programs, not data, even for a user who may
// write there (root may write to /usr/bin).
bool isInstalled(const QString& executableDir);

// The choice for the running program: its own directory against the user's data
// directory (QStandardPaths::AppDataLocation). Needs the application object.
QString forThisProgram();

} // namespace ProgramDirectory
