#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QList>
#include <QStringList>
#include <QTextStream>

#include "check/NameCheck.h"

namespace vtl {

// True when the arguments ask for the window (none but Qt's own display
// options); everything else is handled by runCommandLine without a display.
bool commandLineWantsWindow(const QStringList& arguments);

// --help, --version, --check [--mode MODE] FILE..., and usage errors.
// Returns the exit status: 0 nothing found, 1 findings, 2 usage or file errors.
// `nativeArguments` are the arguments as the system gave them (argv), so that
// file names reach the system as the same bytes; without them file names are
// encoded from `arguments`.
int runCommandLine(const QStringList& arguments, QTextStream& out, QTextStream& err,
                   const QList<QByteArray>& nativeArguments = {});

// Checks every name line read from `device` to its end, as the mode's game
// would, and prints the reports as --check does, naming `shownName`.
// Returns 0 when nothing was found, 1 on findings, 2 when reading failed
// (why in `error`). Time is linear in the input and memory bounded per line.
int checkNameLines(QIODevice& device, GameMode mode, const QString& shownName, QTextStream& out,
                   QString& error);

}  // namespace vtl
