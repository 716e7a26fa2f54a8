#include "check/CheckQuestions.h"

#include <QLocale>

namespace vtl {
namespace {

constexpr char16_t kBreaksText[] = u"This name breaks the console line in every game engine:";
constexpr char16_t kWriteAnywayText[] = u"Write the line anyway?";
constexpr char16_t kConfigGrowsText[] = u"%1 would grow to %2 bytes.";
constexpr char16_t kIgnoringText[] =
    u"%1 ignores a config larger than %2 bytes: the whole file, "
    u"your settings included.";
constexpr char16_t kFineText[] = u"%1 still reads it.";
constexpr char16_t kAppendAnywayText[] = u"Append the name anyway?";

QString text(const char16_t* constant) {
    return QString::fromUtf16(constant);
}

bool askYesNo(Desktop& desktop, const QStringList& lines) {
    // A single CR joins the lines of a message box.
    const Message question{lines.join(u'\r'), text(kNameCheckTitle), MessageButtons::YesNo,
                           MessageIcon::Warning, MessageAnswer::No};
    return desktop.showMessage(question) == MessageAnswer::Yes;
}

}  // namespace

bool confirmLineWrite(Desktop& desktop, const CheckReport& report) {
    if (!report.breaksEverywhere()) {
        return true;
    }
    QStringList lines{text(kBreaksText)};
    for (const EngineReport& engine : report.engines) {
        for (const Finding& f : engine.findings) {
            if (f.severity == Severity::BreaksLine) {
                lines << engine.engine + QStringLiteral(": ") + f.text;
                break;
            }
        }
    }
    lines << text(kWriteAnywayText);
    return askYesNo(desktop, lines);
}

bool confirmConfigSize(Desktop& desktop, CheckMode mode, const QString& path, qint64 newSize) {
    const std::optional<ConfigSizeVerdict> verdict = configSizeVerdict(mode, newSize);
    if (!verdict) {
        return true;
    }
    const QLocale english(QLocale::English);
    QStringList lines{text(kConfigGrowsText).arg(path, english.toString(newSize))};
    for (const auto& [engine, limit] : verdict->ignoring) {
        lines << text(kIgnoringText).arg(engine, english.toString(limit));
    }
    for (const auto& [engine, limit] : verdict->fine) {
        lines << text(kFineText).arg(engine);
    }
    lines << text(kAppendAnywayText);
    return askYesNo(desktop, lines);
}

}  // namespace vtl
