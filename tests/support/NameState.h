#pragma once

#include <QByteArray>

#include <vector>

#include "core/WindowState.h"
#include "modes/CharTables.h"

namespace vtl::test {

// A window whose name positions 1.. hold `fragments`, the rest blank, with the
// line's start and end as the byte modes write them unless `suffix` is given.
inline WindowState nameState(const std::vector<QByteArray>& fragments,
                             const QByteArray& suffix = byteLineSuffix()) {
    WindowState state;
    state.LinePrefix = linePrefix();
    state.LineSuffix = suffix;
    for (size_t k = 0; k < fragments.size(); ++k) {
        state.cells[k].fragment = fragments[k];
    }
    return state;
}

}  // namespace vtl::test
