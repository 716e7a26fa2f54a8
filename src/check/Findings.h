#pragma once

// How an engine check writes what it found: the findings' sentences with
// their positions, what the others see, and the sentences and limits more
// than one engine family shares.

#include <QList>
#include <QString>

#include <vector>

#include "check/NameCheck.h"
#include "check/TaggedBytes.h"

namespace vtl::findings {

// id's name cleaner keeps this many spaces in a row (Quake III and its family).
inline constexpr int kLongestSpaceRun = 3;
// MAX_NETNAME less its terminating zero: Quake III, OpenJK and ET: Legacy.
inline constexpr int kNetNameBytes = 35;
// An info string value must be shorter than this (MAX_INFO_VALUE): FTE,
// Q2PRO and Warfork.
inline constexpr int kInfoValueBytes = 64;

// %1 is a length limit.
inline const QString kServerKeepsBytes =
    QStringLiteral("the server keeps %1 bytes of a name; the rest is cut.");
inline const QString kSpaceRunCut =
    QStringLiteral("more than %1 spaces in a row are cut to %1.").arg(kLongestSpaceRun);
inline const QString kNetNameCut =
    QStringLiteral("names are cut at %1 bytes, colour codes included; the rest is cut.")
        .arg(kNetNameBytes);
inline const QString kControlDropped = QStringLiteral(
    "control glyphs stay in the local setting but are dropped from the userinfo, so no one else "
    "sees them.");

// What the others see when a line sets no name.
inline const QString kNoNameSent = QStringLiteral("no name is sent");
inline const QString kLineIgnored = QStringLiteral("the line is ignored; the name stays as it was");
inline const QString kNameUnchanged = QStringLiteral("the name stays as it was");

// How a finding writes its positions: runs of three or more as a range
// ("4–9", the classic engines), or each one (the Quake III family).
enum class RunStyle { Ranges, EachPosition };

// "Position 3" or "Positions 1, 4–9".
QString positionsText(const QList<int>& positions, RunStyle runs);

// One engine's report as its rules run: the findings come out sorted by severity.
class Report {
  public:
    explicit Report(const QString& engine, RunStyle runs = RunStyle::Ranges);

    // A finding with no name position is still reported: the line as a whole.
    template <tagged::Naming naming>
    void add(Severity severity, const tagged::Positions<naming>& where, const QString& sentence) {
        addAt(severity, where.list(), sentence);
    }
    template <tagged::Naming naming>
    void addIf(Severity severity, const tagged::Positions<naming>& where, const QString& sentence) {
        if (!where.empty()) {
            addAt(severity, where.list(), sentence);
        }
    }
    // The others see these bytes, all in one colour (-1: a game without colours).
    void seeName(const tagged::Tagged& bytes, int colour = -1);
    void see(std::vector<SeenGlyph> seen);
    void seeNoName(const QString& why);
    void caveat(const QString& text);
    const QString& engine() const;
    EngineReport done();

  private:
    void addAt(Severity severity, const QList<int>& positions, const QString& sentence);

    EngineReport report_;
    RunStyle runs_;
};

// A client without public engine source: nothing is checked; `published`
// says what its makers published.
EngineReport closedEngine(const QString& name, const QString& published);

}  // namespace vtl::findings
