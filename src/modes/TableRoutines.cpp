#include "modes/TableRoutines.h"

#include "core/Cp1252.h"
#include "core/NameEditing.h"
#include "modes/CharTables.h"
#include "modes/SheetLoader.h"

namespace vtl {
namespace {

// The command-line box shows the new mode's empty line, not the old mode's.
void showEmptyLine(WindowState& state) {
    state.commandLineBox = decodeCp1252(state.LinePrefix + state.LineSuffix);
}

void plainRoutine(WindowState& state, const QByteArray& suffix, CharTable table) {
    state.saveNameEnabled = true;
    state.rawNameBox.clear();
    startNewName(state);
    state.colourListEnabled = false;
    state.Family = GameFamily::Plain;
    state.LinePrefix = linePrefix();
    state.LineSuffix = suffix;
    showEmptyLine(state);
    state.Table = std::move(table);
}

}  // namespace

void QuakeEngineMODE(WindowState& state) {
    plainRoutine(state, byteLineSuffix(), byteTable());
}

void Q2Mode(WindowState& state) {
    plainRoutine(state, hexLineSuffix(), hexTable());
}

void Q3Mode(WindowState& state, Desktop& desktop, const QString& appDir) {
    state.ColorWritten = false;
    state.saveNameEnabled = true;
    state.rawNameBox.clear();
    startNewName(state);
    state.sheetSource = loadSheetOrBlank(builtInSheetPath(appDir, BuiltInSheet::Q3White), desktop);
    state.colourListEnabled = true;
    state.ColorPrefix = QByteArrayLiteral("^7");
    state.Family = GameFamily::Colour;
    state.LinePrefix = linePrefix();
    state.LineSuffix = colourLineSuffix();
    showEmptyLine(state);
    state.CursorPos = 1;
    state.Table = colourTable();
}

}  // namespace vtl
