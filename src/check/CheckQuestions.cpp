#include "check/CheckQuestions.h"

#include <QLocale>

namespace vtl {

using namespace Qt::StringLiterals;

namespace {

const QString kBreaksText = u"This name breaks the console line in every game engine:"_s;
const QString kWriteAnywayText = u"Write the line anyway?"_s;
const QString kConfigGrowsText = u"%1 would grow to %2 bytes."_s;
const QString kIgnoringText =
    u"%1 ignores a config larger than %2 bytes: the whole file, "
    u"your settings included."_s;
const QString kFineText = u"%1 still reads it."_s;
const QString kAppendAnywayText = u"Append the name anyway?"_s;

bool askYesNo(Desktop& desktop, const QStringList& lines) {
    // A single CR joins the lines of a message box.
    const Message question{lines.join(u'\r'), kNameCheckTitle, MessageButtons::YesNo,
                           MessageIcon::Warning, MessageAnswer::No};
    return desktop.showMessage(question) == MessageAnswer::Yes;
}

}  // namespace

bool confirmLineWrite(Desktop& desktop, const CheckReport& report) {
    if (!report.breaksEverywhere()) {
        return true;
    }
    QStringList lines{kBreaksText};
    for (const EngineReport& engine : report.engines) {
        for (const Finding& f : engine.findings) {
            if (f.severity == Severity::BreaksLine) {
                lines << engine.engine + QStringLiteral(": ") + f.text;
                break;
            }
        }
    }
    lines << kWriteAnywayText;
    return askYesNo(desktop, lines);
}

bool confirmConfigSize(Desktop& desktop, GameMode mode, const QString& path, qint64 newSize) {
    const std::optional<ConfigSizeVerdict> verdict = configSizeVerdict(mode, newSize);
    if (!verdict) {
        return true;
    }
    const QLocale english(QLocale::English);
    QStringList lines{kConfigGrowsText.arg(path, english.toString(newSize))};
    for (const auto& [engine, limit] : verdict->ignoring) {
        lines << kIgnoringText.arg(engine, english.toString(limit));
    }
    for (const auto& [engine, limit] : verdict->fine) {
        lines << kFineText.arg(engine);
    }
    lines << kAppendAnywayText;
    return askYesNo(desktop, lines);
}

}  // namespace vtl
