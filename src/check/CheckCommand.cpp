#include "check/CheckCommand.h"

#include <QCommandLineParser>
#include <QFile>
#include <QFileInfo>

#include <optional>

#include "check/CheckModes.h"
#include "check/NameCheck.h"
#include "desktop/Desktop.h"
#include "modes/CharTables.h"

namespace vtl {
namespace {

constexpr char16_t kProgramName[] = u"vantorel";
constexpr char16_t kDescription[] =
    u"Vantorel G2 composes player names from a game's console charset.\n"
    u"Without options it opens its window; --check checks the name lines of\n"
    u"config files and prints what each game will make of them.";
constexpr char16_t kCheckOption[] = u"check";
constexpr char16_t kCheckHelp[] =
    u"Check every name \"...\" and seta name \"...\" line in FILE... and exit "
    u"(status 0: nothing found, 1: findings, 2: usage or file errors).";
constexpr char16_t kModeOption[] = u"mode";
constexpr char16_t kModeHelp[] =
    u"The game of the files: %1. Without it, config.cfg means quakeworld and "
    u"q3config.cfg quake3.";
constexpr char16_t kFilesArgument[] = u"FILE";
constexpr char16_t kFilesHelp[] = u"Config or script files to check (with --check).";

constexpr char16_t kUnknownModeText[] = u"unknown mode \"%1\"; use one of: %2";
constexpr char16_t kNoFilesText[] = u"--check needs at least one FILE";
constexpr char16_t kFilesWithoutCheckText[] = u"files are only read with --check";
constexpr char16_t kModeWithoutCheckText[] = u"--mode goes with --check";
constexpr char16_t kNeedModeText[] = u"%1: cannot tell the game from the file name; give --mode";
constexpr char16_t kCannotReadText[] = u"%1: cannot read the file: %2";
constexpr char16_t kNoNameLineText[] = u"%1: no name line";
constexpr char16_t kTryHelpText[] = u"Try '%1 --help' for more information.";

// Qt's own options for the window; the window's QApplication reads them.
constexpr const char16_t* kQtValueOptions[] = {u"platform",        u"platformpluginpath",
                                               u"platformtheme",   u"plugin",
                                               u"qwindowgeometry", u"qwindowicon",
                                               u"qwindowtitle",    u"display",
                                               u"geometry",        u"style",
                                               u"stylesheet",      u"session"};
constexpr const char16_t* kQtFlagOptions[] = {u"reverse", u"widgetcount", u"nograb", u"dograb",
                                              u"sync"};

QString text(const char16_t* constant) {
    return QString::fromUtf16(constant);
}

struct Parser {
    QCommandLineParser parser;
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")},
                            QStringLiteral("Show this help and exit.")};
    QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")},
                               QStringLiteral("Show the version and exit.")};
    QCommandLineOption check{text(kCheckOption), text(kCheckHelp)};
    QCommandLineOption mode{text(kModeOption), text(kModeHelp).arg(checkModeNames().join(u", ")),
                            QStringLiteral("MODE")};

    Parser() {
        // Qt's display options start with a single dash: read them whole.
        parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
        parser.setApplicationDescription(text(kDescription));
        parser.addOptions({help, version, check, mode});
        parser.addPositionalArgument(text(kFilesArgument), text(kFilesHelp),
                                     QStringLiteral("[FILE...]"));
        for (const char16_t* name : kQtValueOptions) {
            QCommandLineOption o(text(name), QString(), QStringLiteral("value"));
            o.setFlags(QCommandLineOption::HiddenFromHelp);
            parser.addOption(o);
        }
        for (const char16_t* name : kQtFlagOptions) {
            QCommandLineOption o(text(name));
            o.setFlags(QCommandLineOption::HiddenFromHelp);
            parser.addOption(o);
        }
    }
    bool parse(const QStringList& arguments) { return parser.parse(arguments); }
    bool nonWindow() const {
        return parser.isSet(help) || parser.isSet(version) || parser.isSet(check) ||
               parser.isSet(mode) || !parser.positionalArguments().isEmpty();
    }
};

std::optional<CheckMode> modeForFile(const QString& path) {
    const QString name = QFileInfo(path).fileName().toLower();
    if (name == u"config.cfg") {
        return CheckMode::QuakeWorld;
    }
    if (name == u"q3config.cfg") {
        return CheckMode::Quake3;
    }
    return std::nullopt;
}

QString seenText(const EngineReport& engine) {
    if (!engine.noName.isEmpty()) {
        return QStringLiteral("(%1)").arg(engine.noName);
    }
    return u'"' + escapeName(engine.seenBytes()) + u'"';
}

// Prints the report of one line; true when something was found.
bool printLine(QTextStream& out, const QString& file, int lineNumber, const TaggedLine& line,
               const CheckReport& report) {
    const QByteArray name = line.bytes.mid(line.valueBegin, line.valueEnd - line.valueBegin);
    out << file << u':' << lineNumber << QStringLiteral(": \"") << escapeName(name) << u'"';
    if (!report.checked) {
        out << QStringLiteral(": ") << text(kNoCheckText) << u'\n';
        return false;
    }
    out << u'\n';
    for (const EngineReport& engine : report.engines) {
        out << QStringLiteral("  ") << engine.engine << QStringLiteral(": ")
            << (engine.findings.isEmpty() ? QStringLiteral("OK")
                                          : QStringLiteral("%1 found").arg(engine.findings.size()))
            << QStringLiteral("; others see ") << seenText(engine) << u'\n';
        for (const Finding& f : engine.findings) {
            out << QStringLiteral("    [") << severityText(f.severity) << QStringLiteral("] ")
                << f.text << u'\n';
        }
        if (!engine.caveat.isEmpty()) {
            out << QStringLiteral("    (") << engine.caveat << QStringLiteral(")\n");
        }
    }
    return report.problemCount() > 0;
}

}  // namespace

bool commandLineWantsWindow(const QStringList& arguments) {
    Parser p;
    return p.parse(arguments) && !p.nonWindow();
}

int runCommandLine(const QStringList& arguments, QTextStream& out, QTextStream& err) {
    Parser p;
    const QString program = text(kProgramName);
    const auto usageError = [&](const QString& message) {
        err << program << QStringLiteral(": ") << message << u'\n'
            << text(kTryHelpText).arg(program) << u'\n';
        err.flush();
        return 2;
    };
    if (!p.parse(arguments)) {
        return usageError(p.parser.errorText());
    }
    if (p.parser.isSet(p.help)) {
        out << p.parser.helpText();
        return 0;
    }
    if (p.parser.isSet(p.version)) {
        out << text(kAppTitle) << u' ' << QString::fromLatin1(kVersion) << u'\n';
        return 0;
    }
    const QStringList files = p.parser.positionalArguments();
    if (!p.parser.isSet(p.check)) {
        return usageError(
            text(p.parser.isSet(p.mode) ? kModeWithoutCheckText : kFilesWithoutCheckText));
    }
    if (files.isEmpty()) {
        return usageError(text(kNoFilesText));
    }
    std::optional<CheckMode> givenMode;
    if (p.parser.isSet(p.mode)) {
        givenMode = checkModeNamed(p.parser.value(p.mode));
        if (!givenMode) {
            return usageError(
                text(kUnknownModeText).arg(p.parser.value(p.mode), checkModeNames().join(u", ")));
        }
    }

    int status = 0;
    for (const QString& path : files) {
        const std::optional<CheckMode> mode = givenMode ? givenMode : modeForFile(path);
        if (!mode) {
            err << program << QStringLiteral(": ") << text(kNeedModeText).arg(path) << u'\n';
            status = 2;
            continue;
        }
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            err << program << QStringLiteral(": ")
                << text(kCannotReadText).arg(path, file.errorString()) << u'\n';
            status = 2;
            continue;
        }
        int lineNumber = 0;
        bool anyName = false;
        while (!file.atEnd()) {
            const QByteArray raw = file.readLine();
            ++lineNumber;
            const std::optional<TaggedLine> line = tagFileLine(*mode, raw);
            if (!line) {
                continue;
            }
            anyName = true;
            if (printLine(out, path, lineNumber, *line, checkName(*mode, *line)) && status == 0) {
                status = 1;
            }
        }
        if (file.error() != QFileDevice::NoError) {
            err << program << QStringLiteral(": ")
                << text(kCannotReadText).arg(path, file.errorString()) << u'\n';
            status = 2;
        }
        if (!anyName) {
            out << text(kNoNameLineText).arg(path) << u'\n';
        }
    }
    out.flush();
    err.flush();
    return status;
}

}  // namespace vtl
