#pragma once

// A name line's bytes on their way through an engine's rules, each still
// knowing the name position it came from: what every engine check shares.

#include <QByteArray>
#include <QString>

#include <algorithm>
#include <vector>

#include "check/NameCheck.h"

namespace vtl::tagged {

struct TB {
    uchar b = 0;
    int pos = 0;
    ByteRole role = ByteRole::Line;
};
using Tagged = std::vector<TB>;

inline Tagged slice(const TaggedLine& line, qsizetype begin, qsizetype end) {
    Tagged out;
    begin = std::clamp<qsizetype>(begin, 0, line.bytes.size());
    end = std::clamp<qsizetype>(end, begin, line.bytes.size());
    for (qsizetype i = begin; i < end; ++i) {
        out.push_back({static_cast<uchar>(line.bytes[i]), line.positions[static_cast<size_t>(i)],
                       line.roles[static_cast<size_t>(i)]});
    }
    return out;
}

inline QByteArray bytesOf(const Tagged& t) {
    QByteArray out;
    for (const TB& x : t) {
        out += static_cast<char>(x.b);
    }
    return out;
}

inline QString quoted(const QByteArray& bytes) {
    return u'"' + escapeName(bytes) + u'"';
}

}  // namespace vtl::tagged
