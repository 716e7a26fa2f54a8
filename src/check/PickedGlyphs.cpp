#include "check/PickedGlyphs.h"

#include <algorithm>

namespace vtl {

using namespace Qt::StringLiterals;

namespace {

const QString kWrittenAs = u"Position %1: this mode writes %2 as %3; the game shows %4."_s;
const QString kBlank = u"a blank"_s;
const QString kBlanks = u"%1 blanks"_s;
const QString kCode = u"code %1"_s;
const QString kGlyphOfCode = u"the glyph of code %1"_s;

bool printable(int byte) {
    return byte > 0x20 && byte < 0x7F;
}

QString quotedGlyph(int byte) {
    return QString(QChar(byte));
}

// How the picked code is named: its character where it has one.
QString pickedText(int code) {
    return printable(code) ? quotedGlyph(code) : kCode.arg(code);
}

// What is written, and what the game then shows.
std::pair<QString, QString> writtenText(const QByteArray& entry) {
    if (!entry.isEmpty() && entry.count(' ') == entry.size()) {
        const QString blanks = entry.size() == 1 ? kBlank : kBlanks.arg(entry.size());
        return {blanks, blanks};
    }
    const int byte = static_cast<uchar>(entry.front());
    if (entry.size() == 1 && printable(byte)) {
        return {quotedGlyph(byte), quotedGlyph(byte)};
    }
    return {kCode.arg(byte), kGlyphOfCode.arg(byte)};
}

}  // namespace

QList<Finding> pickedGlyphFindings(const CharTable& table,
                                   const std::array<int, kNameLength>& codes) {
    QList<Finding> findings;
    for (int k = 0; k < kNameLength; ++k) {
        const int code = codes[static_cast<size_t>(k)];
        if (code < 0 || code >= kCodeCount) {
            continue;
        }
        const QByteArray& entry = table[static_cast<size_t>(code)];
        if (entry.isEmpty() || entry == QByteArray(1, static_cast<char>(code))) {
            continue;
        }
        const auto [written, shown] = writtenText(entry);
        findings.append(Finding{Severity::GlyphsChanged,
                                {k + 1},
                                kWrittenAs.arg(k + 1).arg(pickedText(code), written, shown)});
    }
    return findings;
}

void addToEveryEngine(CheckReport& report, const QList<Finding>& findings) {
    for (EngineReport& engine : report.engines) {
        engine.findings += findings;
        std::stable_sort(
            engine.findings.begin(), engine.findings.end(),
            [](const Finding& a, const Finding& b) { return a.severity < b.severity; });
    }
}

}  // namespace vtl
