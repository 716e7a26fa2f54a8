#pragma once

// A name line's bytes on their way through an engine's rules, each still
// knowing the name position it came from: what every engine check shares.

#include <QByteArray>
#include <QList>
#include <QString>

#include <algorithm>
#include <functional>
#include <set>
#include <vector>

#include "check/NameCheck.h"

namespace vtl::tagged {

struct TaggedByte {
    uchar value = 0;
    int position = 0;  // the name position; 0 for the line's own text
    ByteRole role = ByteRole::Line;
};
using Tagged = std::vector<TaggedByte>;

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

// The bytes between the name's quotes.
inline Tagged valueOf(const TaggedLine& line) {
    return slice(line, line.valueBegin, line.valueEnd);
}

// Text an engine puts in place of the name ("unnamed", "UnnamedPlayer"):
// no name position.
inline Tagged untagged(const QByteArray& bytes) {
    Tagged out;
    for (const char c : bytes) {
        out.push_back({static_cast<uchar>(c), 0, ByteRole::Line});
    }
    return out;
}

inline QByteArray bytesOf(const Tagged& bytes) {
    QByteArray out;
    for (const TaggedByte& byte : bytes) {
        out += static_cast<char>(byte.value);
    }
    return out;
}

inline QString quoted(const QByteArray& bytes) {
    return u'"' + escapeName(bytes) + u'"';
}

inline bool isAsciiAlnum(uchar value) {
    return (value >= '0' && value <= '9') || (value >= 'a' && value <= 'z') ||
           (value >= 'A' && value <= 'Z');
}

inline bool hasQuote(const Tagged& bytes) {
    return std::any_of(bytes.begin(), bytes.end(),
                       [](const TaggedByte& byte) { return byte.value == '"'; });
}

// Drops everything from the first double quote on.
inline Tagged beforeFirstQuote(const Tagged& bytes) {
    return Tagged(bytes.begin(),
                  std::find_if(bytes.begin(), bytes.end(),
                               [](const TaggedByte& byte) { return byte.value == '"'; }));
}

// Which bytes' positions a rule names: every byte of the name (the classic
// engines), or only the glyphs the user picked, leaving the colour codes the
// program wrote unremarked (the Quake III-family games of today).
enum class Naming { EveryByte, GlyphsOnly };

// Collects the name positions a rule touched; line text (position 0) has none.
template <Naming naming = Naming::EveryByte>
class Positions {
  public:
    void add(int position) requires(naming == Naming::EveryByte) {
        if (position > 0) {
            set_.insert(position);
        }
    }
    void add(const TaggedByte& byte) {
        if (byte.position > 0 && (naming == Naming::EveryByte || byte.role == ByteRole::Glyph)) {
            set_.insert(byte.position);
        }
    }
    bool empty() const { return set_.empty(); }
    QList<int> list() const { return QList<int>(set_.begin(), set_.end()); }

  private:
    std::set<int> set_;
};

template <Naming naming = Naming::EveryByte>
Positions<naming> where(const Tagged& bytes, const std::function<bool(uchar)>& test) {
    Positions<naming> found;
    for (const TaggedByte& byte : bytes) {
        if (test(byte.value)) {
            found.add(byte);
        }
    }
    return found;
}

template <Naming naming = Naming::EveryByte>
Positions<naming> quotesIn(const Tagged& bytes) {
    return where<naming>(bytes, [](uchar b) { return b == '"'; });
}

// Removes the bytes `drop` picks, noting their positions.
template <Naming naming>
Tagged dropIf(const Tagged& bytes, Positions<naming>& dropped,
              const std::function<bool(uchar)>& drop) {
    Tagged out;
    for (const TaggedByte& byte : bytes) {
        if (drop(byte.value)) {
            dropped.add(byte);
        } else {
            out.push_back(byte);
        }
    }
    return out;
}

// Cuts to `limit` bytes; the positions of what was cut go to `cut`.
template <Naming naming>
Tagged keepFirst(const Tagged& bytes, size_t limit, Positions<naming>& cut) {
    if (bytes.size() <= limit) {
        return bytes;
    }
    for (size_t i = limit; i < bytes.size(); ++i) {
        cut.add(bytes[i]);
    }
    return Tagged(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(limit));
}

}  // namespace vtl::tagged
