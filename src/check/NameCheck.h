#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <array>
#include <optional>
#include <utility>
#include <vector>

#include "modes/GameModes.h"

namespace vtl {

// Most serious first; the order is the order of the findings in a report.
enum class Severity { BreaksLine, Refused, GlyphsChanged, CutByLength, Cosmetic };

// "breaks the line", "name refused or replaced", ...
QString severityText(Severity severity);

// One thing an engine does to the name. Positions are 1-based name positions.
struct Finding {
    Severity severity = Severity::Cosmetic;
    QList<int> positions;
    QString text;  // one plain sentence, starting with the positions
};

// A glyph of the name as the other players see it: the sheet code to draw,
// the name position it came from (0: text of the line, not of the name) and
// the colour index it is drawn in (-1 in games without colours).
struct SeenGlyph {
    int code = 0;
    int position = 0;
    int colour = -1;
    friend bool operator==(const SeenGlyph&, const SeenGlyph&) = default;
};

struct EngineReport {
    QString engine;
    std::vector<SeenGlyph> seen;
    // Set when the others see no name from this line at all (it is ignored
    // or refused and the old name stays); then `seen` is empty.
    QString noName;
    // What the measurements could not settle for this engine; not a finding.
    QString caveat;
    QList<Finding> findings;

    QByteArray seenBytes() const;
};

struct CheckReport {
    GameMode mode = GameMode::JumpGate;
    // False for a game nothing is known about: no engine, no verdict.
    bool checked = false;
    QList<EngineReport> engines;

    int problemCount() const;
    // True when every engine of the game breaks the line (the quote codes).
    bool breaksEverywhere() const;
};

// What a byte of the line is: text of the line itself, a glyph of the
// name, or a colour code the program wrote before a glyph.
enum class ByteRole : quint8 { Line, Glyph, Colour };

// The console line with each byte's name position and role.
struct TaggedLine {
    QByteArray bytes;
    std::vector<int> positions;  // per byte; 0 for the line's own text
    std::vector<ByteRole> roles;
    qsizetype valueBegin = 0;  // the bytes between the name's quotes
    qsizetype valueEnd = 0;

    void append(const QByteArray& text, int position, ByteRole role);
};

// The line the program writes for the 25 positions' fragments (position k
// is fragments[k - 1]): prefix, the fragments without trailing blanks, suffix.
TaggedLine tagPositions(GameMode mode, const std::array<QByteArray, 25>& fragments,
                        const QByteArray& linePrefix, const QByteArray& lineSuffix);

// A `name "..."` or `seta name "..."` line read from a file; nothing when the
// line sets no name. Positions are counted the way the mode writes glyphs.
std::optional<TaggedLine> tagFileLine(GameMode mode, const QByteArray& line);

CheckReport checkName(GameMode mode, const TaggedLine& line);

// The caption of a game that has no check.
inline const QString kNoCheckText = QStringLiteral("no check for this game");

// Display form of name bytes: printable ASCII as is, the rest as \xNN.
QString escapeName(const QByteArray& bytes);

// What the engines of a game make of the config Quick save appends to.
struct ConfigSizeVerdict {
    // Engine name and the largest config it reads.
    QList<std::pair<QString, qint64>> ignoring;  // these ignore the whole file
    QList<std::pair<QString, qint64>> fine;      // these still read it
};
// Nothing when every engine of the game reads a config of newSize bytes.
std::optional<ConfigSizeVerdict> configSizeVerdict(GameMode mode, qint64 newSize);

}  // namespace vtl
