#include "modes/TableRoutines.h"

#include "core/NameEditing.h"
#include "modes/CharTables.h"
#include "modes/TextGames.h"
#include "modes/XonoticText.h"

namespace vtl {

void applyEncoding(WindowState& state, Encoding encoding, const ColourSet* colours) {
    state.LinePrefix = linePrefix();
    state.utf8Names = encoding == Encoding::Utf8ColourTable || encoding == Encoding::XonoticText;
    switch (encoding) {
        case Encoding::ByteTable:
            state.Family = GameFamily::Plain;
            state.LineSuffix = byteLineSuffix();
            state.Table = byteTable();
            break;
        case Encoding::HexPairs:
            state.Family = GameFamily::Plain;
            state.LineSuffix = hexLineSuffix();
            state.Table = hexTable();
            break;
        case Encoding::ColourTable:
        case Encoding::Utf8ColourTable:
            state.Family = GameFamily::Colour;
            state.LineSuffix = colourLineSuffix();
            state.Table = encoding == Encoding::ColourTable ? colourTable() : textTable();
            break;
        case Encoding::XonoticText:
            state.Family = GameFamily::Colour;
            state.LineSuffix = colourLineSuffix();
            state.Table = xonoticTable();
            break;
    }
    if (colours) {
        state.ColorPrefix = QByteArray(colours->startCode);
        state.ColorWritten = false;
    }
    // After the framing, so the command-line box shows the new mode's empty line.
    startNewName(state);
}

}  // namespace vtl
