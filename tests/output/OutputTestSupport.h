#pragma once

#include "support/Files.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <vector>

#include "modes/CharTables.h"
#include "name/WindowState.h"

namespace vtl::test {

// A name whose positions 1.. hold `fragments` (the rest blank), framed by the
// line prefix and the given suffix.
inline WindowState nameState(const std::vector<QByteArray>& fragments,
                             const QByteArray& suffix = byteLineSuffix()) {
    WindowState state;
    state.LinePrefix = linePrefix();
    state.LineSuffix = suffix;
    for (size_t k = 0; k < fragments.size(); ++k) {
        state.cells[k].fragment = fragments[k];
    }
    state.CursorPos = static_cast<int>(fragments.size()) + 1;
    return state;
}

}  // namespace vtl::test
