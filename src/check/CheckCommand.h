#pragma once

#include <QStringList>
#include <QTextStream>

namespace vtl {

// True when the arguments ask for the window (none but Qt's own display
// options); everything else is handled by runCommandLine without a display.
bool commandLineWantsWindow(const QStringList& arguments);

// --help, --version, --check [--mode MODE] FILE..., and usage errors.
// Returns the exit status: 0 nothing found, 1 findings, 2 usage or file errors.
int runCommandLine(const QStringList& arguments, QTextStream& out, QTextStream& err);

}  // namespace vtl
