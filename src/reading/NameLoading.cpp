#include "reading/NameLoading.h"

#include <QFile>

#include <algorithm>
#include <map>
#include <memory>

#include "core/Cp1252.h"
#include "core/FileOpen.h"
#include "core/Glyphs.h"
#include "core/NameEditing.h"
#include "modes/ColourList.h"
#include "modes/ColourSets.h"
#include "modes/GameModes.h"
#include "modes/Quake3FamilyModes.h"

namespace vtl {

using namespace Qt::StringLiterals;

namespace {

const QString kOpenNameTitle = u"Open Name..."_s;
const QString kConfigFilter = u"Configuration File (*.cfg)"_s;
const QString kAnyFileFilter = u"All Files (*)"_s;
const QString kCouldNotReadText = u"Could not read %1: %2"_s;
const QString kChooseNameTitle = u"Open Name"_s;
const QString kChooseNameLabel = u"The file holds several names. Choose one:"_s;
const QString kChooseLineItem = u"Line %1: %2"_s;
const QString kLastNamesListedText = u"(the last %1 are listed)"_s;
const QString kClipboardSource = u"the clipboard"_s;
const QString kNotCp1252Text =
    u"The name was not pasted: these characters have no byte in Windows-1252: "_s;

void warn(Desktop& desktop, const QString& message) {
    desktop.showMessage(
        Message{message, {}, MessageButtons::Ok, MessageIcon::Warning, MessageAnswer::Ok});
}

// One of several names, chosen by the person; the last one (what the game
// ends up with after running the file) is offered first.
std::optional<NameLine> chooseName(const QList<NameLine>& lines, Desktop& desktop,
                                   qsizetype earlierLeftOut) {
    if (lines.size() == 1 && earlierLeftOut == 0) {
        return lines.first();
    }
    ItemChoice choice;
    choice.title = kChooseNameTitle;
    choice.label = kChooseNameLabel;
    if (earlierLeftOut > 0) {
        choice.label += u' ' + kLastNamesListedText.arg(lines.size());
    }
    for (const NameLine& line : lines) {
        choice.items << kChooseLineItem.arg(QString::number(line.lineNumber),
                                            decodeCp1252(line.line));
    }
    choice.selected = static_cast<int>(lines.size() - 1);
    const std::optional<int> row = desktop.chooseItem(choice);
    if (!row || *row < 0 || *row >= lines.size()) {
        return std::nullopt;
    }
    return lines[*row];
}

bool loadName(WindowState& state, Desktop& desktop, const QByteArray& name,
              const ColourSheetLookup& colourSheet) {
    const FamilyRow* family = currentFamilyRow(state);
    const DecodedName decoded = decodeName(name, state.Table, currentColours(state),
                                           family ? std::optional(family->syntax) : std::nullopt);
    if (!decoded.ok()) {
        warn(desktop, badBytesMessage(decoded.badBytes));
        return false;
    }
    loadDecodedName(state, decoded, colourSheet);
    if (decoded.glyphsLeftOut > 0) {
        showInfo(desktop, tooLongMessage(decoded.glyphsLeftOut));
    }
    return true;
}

bool loadFrom(WindowState& state, Desktop& desktop, const QList<NameLine>& lines,
              const QString& source, const ColourSheetLookup& colourSheet,
              qsizetype earlierLeftOut = 0) {
    if (lines.isEmpty()) {
        warn(desktop, noNameLineMessage(source));
        return false;
    }
    const std::optional<NameLine> chosen = chooseName(lines, desktop, earlierLeftOut);
    return chosen && loadName(state, desktop, chosen->name, colourSheet);
}

}  // namespace

ColourSheetLookup colourSheetsOf(const WindowState& state, const QString& appDir,
                                 Desktop& desktop) {
    auto cache = std::make_shared<std::map<int, QImage>>();
    return [&state, appDir, &desktop, cache](int row) {
        const std::span<const ColourChoice> choices = listedColours(state).choices;
        if (row < kRgbRows) {
            row = std::clamp(row, 0, static_cast<int>(choices.size()) - 1);
        }
        auto found = cache->find(row);
        if (found == cache->end()) {
            const QImage sheet =
                row >= kRgbRows
                    ? sheetInColour(state.tintGlyphs, colourOfRgbRow(row))
                    : colourSheet(state, desktop, appDir, choices[static_cast<std::size_t>(row)]);
            found = cache->emplace(row, sheet).first;
        }
        return found->second;
    };
}

QImage sheetForRow(const WindowState& state, const ColourSheetLookup& colourSheet, int row) {
    // The current colour's sheet is the one the map shows: no second read.
    return row == colourRowOfCode(listedColours(state), state.ColorPrefix) ? state.sheetSource
                                                                           : colourSheet(row);
}

void redrawNameGlyphs(WindowState& state, const ColourSheetLookup& colourSheet) {
    const bool colour = state.Family == GameFamily::Colour;
    const std::array<int, kNameLength> rows = writtenColourRows(listedColours(state), state.cells);
    for (size_t k = 0; k < state.cells.size(); ++k) {
        NameCell& cell = state.cells[k];
        if (cell.code < 0) {
            continue;
        }
        const QImage sheet = colour ? sheetForRow(state, colourSheet, rows[k]) : state.sheetSource;
        QImage drawn = glyphFromSheet(sheet, cellOrigin(cell.code));
        // Only a changed picture is replaced: an edit that changes nothing
        // stays out of the undo history.
        if (drawn != cell.glyph) {
            cell.glyph = std::move(drawn);
        }
    }
}

void loadDecodedName(WindowState& state, const DecodedName& name,
                     const ColourSheetLookup& colourSheet) {
    startNewName(state);
    const bool colour = state.Family == GameFamily::Colour;
    const int count = static_cast<int>(std::min<size_t>(name.glyphs.size(), kNameLength));
    for (int k = 0; k < count; ++k) {
        const DecodedGlyph& glyph = name.glyphs[k];
        NameCell& cell = state.cells[k];
        cell.fragment = glyph.fragment;
        if (glyph.code) {
            const QImage sheet = colour ? colourSheet(glyph.colourRow) : state.sheetSource;
            cell.glyph = glyphFromSheet(sheet, cellOrigin(*glyph.code));
            cell.code = *glyph.code;
        }
    }
    state.CursorPos = count + 1;
    const QByteArray nameText = composeNameText(state);
    state.rawNameBox = decodeNameBytes(state, nameText);
    state.commandLineBox = decodeNameBytes(state, state.LinePrefix + nameText + state.LineSuffix);
    if (colour) {
        state.ColorWritten = true;
    }
}

bool openName(WindowState& state, Desktop& desktop, const ColourSheetLookup& colourSheet) {
    FileDialogRequest request;
    request.title = kOpenNameTitle;
    request.filters = QStringList{kConfigFilter, kAnyFileFilter};
    request.initialFolder = dialogStartFolder();
    const std::optional<QString> path = desktop.openFile(request);
    if (!path || path->isEmpty()) {
        return false;
    }
    // Without waiting and regular files only: a FIFO must not freeze the window.
    QFile file;
    ReadProblem problem;
    if (!openUserFile(file, *path, problem)) {
        warn(desktop, kCouldNotReadText.arg(*path, problem.reason));
        return false;
    }
    const NameLineScan scan = scanNameLines(file);
    if (!scan.error.isEmpty()) {
        warn(desktop, kCouldNotReadText.arg(*path, scan.error));
        return false;
    }
    return loadFrom(state, desktop, scan.lines, *path, colourSheet, scan.earlierLeftOut);
}

bool pasteName(WindowState& state, Desktop& desktop, const ColourSheetLookup& colourSheet) {
    const QString pasted = desktop.clipboardText();
    // The text games take UTF-8; what their map does not hold is reported
    // by the decoding, byte by byte.
    if (const FamilyRow* family = currentFamilyRow(state); family && family->text) {
        return loadFrom(state, desktop, namesInPastedText(pasted.toUtf8()), kClipboardSource,
                        colourSheet);
    }
    const QByteArray bytes = encodeCp1252(pasted);
    QString outside;
    for (const QChar c : pasted) {
        if (encodeCp1252(QString(c)) == "?" && c != u'?' && !outside.contains(c)) {
            outside += c;
        }
    }
    if (!outside.isEmpty()) {
        warn(desktop, kNotCp1252Text + outside);
        return false;
    }
    return loadFrom(state, desktop, namesInPastedText(bytes), kClipboardSource, colourSheet);
}

}  // namespace vtl
