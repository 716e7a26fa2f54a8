#include "check/Findings.h"

#include <QStringList>

#include <algorithm>

namespace vtl::findings {

QString positionsText(const QList<int>& positions, RunStyle runs) {
    QStringList numbers;
    for (qsizetype first = 0; first < positions.size();) {
        qsizetype end = first + 1;
        while (runs == RunStyle::Ranges && end < positions.size() &&
               positions[end] == positions[end - 1] + 1) {
            ++end;
        }
        if (end - first >= 3) {
            numbers << QString::number(positions[first]) + u'\u2013' +
                           QString::number(positions[end - 1]);
        } else {
            for (qsizetype each = first; each < end; ++each) {
                numbers << QString::number(positions[each]);
            }
        }
        first = end;
    }
    return (positions.size() == 1 ? QStringLiteral("Position ") : QStringLiteral("Positions ")) +
           numbers.join(QStringLiteral(", "));
}

Report::Report(const QString& engine, RunStyle runs) : runs_(runs) {
    report_.engine = engine;
}

void Report::addAt(Severity severity, const QList<int>& positions, const QString& sentence) {
    QString text = sentence;
    if (positions.isEmpty()) {
        text[0] = text[0].toUpper();
    } else {
        text = positionsText(positions, runs_) + QStringLiteral(": ") + text;
    }
    report_.findings.append(Finding{severity, positions, text});
}

void Report::seeName(const tagged::Tagged& bytes, int colour) {
    report_.seen.clear();
    for (const tagged::TaggedByte& byte : bytes) {
        report_.seen.push_back({byte.value, byte.position, colour});
    }
}

void Report::see(std::vector<SeenGlyph> seen) {
    report_.seen = std::move(seen);
}

void Report::seeNoName(const QString& why) {
    report_.seen.clear();
    report_.noName = why;
}

void Report::caveat(const QString& text) {
    report_.caveat = text;
}

const QString& Report::engine() const {
    return report_.engine;
}

EngineReport Report::done() {
    std::stable_sort(report_.findings.begin(), report_.findings.end(),
                     [](const Finding& a, const Finding& b) { return a.severity < b.severity; });
    return report_;
}

EngineReport closedEngine(const QString& name, const QString& published) {
    EngineReport closed;
    closed.engine = name;
    closed.closed = true;
    closed.noName = kNoClientCheckText;
    closed.caveat = published;
    return closed;
}

}  // namespace vtl::findings
