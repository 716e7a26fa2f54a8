#include "check/CheckCommand.h"

#include <QCommandLineParser>
#include <QFile>
#include <QFileInfo>

#include <optional>

#include "check/CheckModes.h"
#include "check/NameCheck.h"
#include "core/Version.h"
#include "desktop/Desktop.h"

namespace vtl {

using namespace Qt::StringLiterals;

namespace {

const QString kProgramName = u"vantorel"_s;
const QString kDescription =
    u"Vantorel G2 composes player names from a game's console charset.\n"
    u"Without options it opens its window; --check checks the name lines of\n"
    u"config files and prints what each game will make of them."_s;
const QString kCheckOption = u"check"_s;
const QString kCheckHelp =
    u"Check every name \"...\" and seta name \"...\" line in FILE... and exit "
    u"(status 0: nothing found, 1: findings, 2: usage or file errors)."_s;
const QString kModeOption = u"mode"_s;
const QString kModeHelp = u"The game of the files: %1. Without it, %2."_s;
const QString kFilesArgument = u"FILE"_s;
const QString kFilesHelp = u"Config or script files to check (with --check)."_s;

const QString kUnknownModeText = u"unknown mode \"%1\"; use one of: %2"_s;
const QString kNoFilesText = u"--check needs at least one FILE"_s;
const QString kFilesWithoutCheckText = u"files are only read with --check"_s;
const QString kModeWithoutCheckText = u"--mode goes with --check"_s;
const QString kNeedModeText = u"%1: cannot tell the game from the file name; give --mode"_s;
const QString kCannotReadText = u"%1: cannot read the file: %2"_s;
const QString kNoNameLineText = u"%1: no name line"_s;
const QString kTryHelpText = u"Try '%1 --help' for more information."_s;

// Qt's own options for the window; the window's QApplication reads them.
constexpr const char16_t* kQtValueOptions[] = {u"platform",        u"platformpluginpath",
                                               u"platformtheme",   u"plugin",
                                               u"qwindowgeometry", u"qwindowicon",
                                               u"qwindowtitle",    u"display",
                                               u"geometry",        u"style",
                                               u"stylesheet",      u"session"};
constexpr const char16_t* kQtFlagOptions[] = {u"reverse", u"widgetcount", u"nograb", u"dograb",
                                              u"sync"};

struct Parser {
    QCommandLineParser parser;
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")},
                            QStringLiteral("Show this help and exit.")};
    QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")},
                               QStringLiteral("Show the version and exit.")};
    QCommandLineOption check{kCheckOption, kCheckHelp};
    QCommandLineOption mode{kModeOption,
                            kModeHelp.arg(checkModeNames().join(u", "), configFileModesText()),
                            QStringLiteral("MODE")};

    Parser() {
        // Qt's display options start with a single dash: read them whole.
        parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
        parser.setApplicationDescription(kDescription);
        parser.addOptions({help, version, check, mode});
        parser.addPositionalArgument(kFilesArgument, kFilesHelp, QStringLiteral("[FILE...]"));
        for (const char16_t* name : kQtValueOptions) {
            QCommandLineOption o(QString::fromUtf16(name), QString(), QStringLiteral("value"));
            o.setFlags(QCommandLineOption::HiddenFromHelp);
            parser.addOption(o);
        }
        for (const char16_t* name : kQtFlagOptions) {
            QCommandLineOption o(QString::fromUtf16(name));
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
        out << QStringLiteral(": ") << kNoCheckText << u'\n';
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
    const QString program = kProgramName;
    const auto usageError = [&](const QString& message) {
        err << program << QStringLiteral(": ") << message << u'\n' << kTryHelpText.arg(program)
            << u'\n';
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
        out << kAppTitle << u' ' << QString::fromLatin1(kVersion) << u'\n';
        return 0;
    }
    const QStringList files = p.parser.positionalArguments();
    if (!p.parser.isSet(p.check)) {
        return usageError(p.parser.isSet(p.mode) ? kModeWithoutCheckText : kFilesWithoutCheckText);
    }
    if (files.isEmpty()) {
        return usageError(kNoFilesText);
    }
    std::optional<GameMode> givenMode;
    if (p.parser.isSet(p.mode)) {
        givenMode = checkModeNamed(p.parser.value(p.mode));
        if (!givenMode) {
            return usageError(
                kUnknownModeText.arg(p.parser.value(p.mode), checkModeNames().join(u", ")));
        }
    }

    int status = 0;
    for (const QString& path : files) {
        const std::optional<GameMode> mode =
            givenMode ? givenMode : checkModeOfFile(QFileInfo(path).fileName());
        if (!mode) {
            err << program << QStringLiteral(": ") << kNeedModeText.arg(path) << u'\n';
            status = 2;
            continue;
        }
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            err << program << QStringLiteral(": ") << kCannotReadText.arg(path, file.errorString())
                << u'\n';
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
            err << program << QStringLiteral(": ") << kCannotReadText.arg(path, file.errorString())
                << u'\n';
            status = 2;
        }
        if (!anyName) {
            out << kNoNameLineText.arg(path) << u'\n';
        }
    }
    out.flush();
    err.flush();
    return status;
}

}  // namespace vtl
