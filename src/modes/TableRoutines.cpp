#include "modes/TableRoutines.h"

#include "core/NameEditing.h"
#include "modes/CharTables.h"
#include "modes/TextGames.h"

namespace vtl {

void applyTableRoutine(WindowState& state, TableRoutine routine) {
    state.LinePrefix = linePrefix();
    state.utf8Names = routine == TableRoutine::Utf8Colour;
    switch (routine) {
        case TableRoutine::Bytes:
            state.Family = GameFamily::Plain;
            state.LineSuffix = byteLineSuffix();
            state.Table = byteTable();
            break;
        case TableRoutine::Hex:
            state.Family = GameFamily::Plain;
            state.LineSuffix = hexLineSuffix();
            state.Table = hexTable();
            break;
        case TableRoutine::Colour:
        case TableRoutine::Utf8Colour:
            state.Family = GameFamily::Colour;
            state.LineSuffix = colourLineSuffix();
            state.Table = routine == TableRoutine::Colour ? colourTable() : textTable();
            state.ColorPrefix = QByteArrayLiteral("^7");
            state.ColorWritten = false;
            break;
    }
    // After the framing, so the command-line box shows the new mode's empty line.
    startNewName(state);
}

}  // namespace vtl
