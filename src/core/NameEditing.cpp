#include "core/NameEditing.h"

#include <algorithm>

#include "core/Cp1252.h"
#include "core/Glyphs.h"

namespace vtl {
namespace {

// Position p (1..25) of the name; the cursor value 26 means "full" and acts on 25.
NameCell& cellAtCursor(WindowState& state) {
    return state.cells[std::min(state.CursorPos, kNameLength) - 1];
}

// The console line around `nameText`.
QByteArray framed(const WindowState& state, const QByteArray& nameText) {
    return state.LinePrefix + nameText + state.LineSuffix;
}

}  // namespace

QString decodeNameBytes(const WindowState& state, const QByteArray& bytes) {
    return state.utf8Names ? QString::fromUtf8(bytes) : decodeCp1252(bytes);
}

void rebuildNameBoxes(WindowState& state) {
    const QByteArray nameText = composeNameText(state);
    state.commandLineBox = decodeNameBytes(state, framed(state, nameText));
    state.rawNameBox = decodeNameBytes(state, nameText);
}

QByteArray composeNameText(const WindowState& state) {
    QByteArray text;
    for (const NameCell& cell : state.cells) {
        text += cell.fragment;
    }
    qsizetype end = text.size();
    while (end > 0 && text[end - 1] == ' ') {
        --end;
    }
    text.truncate(end);
    return text;
}

QByteArray composeCommandLine(const WindowState& state) {
    return framed(state, composeNameText(state));
}

void AddChar(WindowState& state, Desktop& desktop, QPoint glyphSource,
             const QByteArray& pickedFragment) {
    if (state.CursorPos >= kNameLength) {
        state.CursorPos = kNameLength;
    }
    NameCell& cell = cellAtCursor(state);
    cell.glyph = glyphFromSheet(state.sheetSource, glyphSource);
    // Kept so the glyph can be drawn again from another sheet or colour.
    cell.code = glyphSource.y() / kGlyphPixels * kSheetColumns + glyphSource.x() / kGlyphPixels;

    if (state.Family == GameFamily::Colour) {
        cell.fragment = state.ColorWritten ? pickedFragment : state.ColorPrefix + pickedFragment;
    } else if (state.Family == GameFamily::Plain) {
        cell.fragment = pickedFragment;
    } else {
        showInfo(desktop, kUnknownGameMessage);
    }

    state.CursorPos += 1;
    rebuildNameBoxes(state);
    state.ColorWritten = true;
}

void pickGlyph(WindowState& state, Desktop& desktop, int code) {
    AddChar(state, desktop, cellOrigin(code), state.Table[code]);
}

void previewGlyph(WindowState& state, int code) {
    state.previewCaption = QStringLiteral("Char Number: ") + QString::number(code + 1);
    state.frameCode = code;
    state.regularView = glyphFromSheet(state.sheetSource, cellOrigin(code));
    state.enlargedView = enlargedGlyph(state.regularView);
}

void clearPreview(WindowState& state) {
    state.frameCode.reset();
    state.regularView = QImage();
    state.enlargedView = QImage();
    state.previewCaption = QStringLiteral("Char Number:");
}

void deleteAtCursor(WindowState& state) {
    if (state.insertMode) {
        closeGapAt(state, std::min(state.CursorPos, kNameLength));
    } else {
        cellAtCursor(state) = NameCell{};
    }
    // The boxes follow, or Copy Name would copy a glyph no longer on screen.
    rebuildNameBoxes(state);
}

bool eraseBeforeCursor(WindowState& state) {
    if (state.CursorPos <= 1) {
        return false;
    }
    const int position = state.CursorPos - 1;
    if (state.insertMode) {
        closeGapAt(state, position);
    } else {
        state.cells[position - 1] = NameCell{};
    }
    moveCursorTo(state, position);
    rebuildNameBoxes(state);
    return true;
}

bool placeGlyph(WindowState& state, Desktop& desktop, int code) {
    if (state.insertMode && !openGapAtCursor(state)) {
        return false;
    }
    pickGlyph(state, desktop, code);
    return true;
}

bool holdsNothing(const NameCell& cell) {
    return cell.glyph.isNull() && cell.fragment == " ";
}

int endPosition(const WindowState& state) {
    for (int k = kNameLength; k >= 1; --k) {
        if (!holdsNothing(state.cells[k - 1])) {
            return k + 1;
        }
    }
    return 1;
}

bool openGapAtCursor(WindowState& state) {
    if (!holdsNothing(state.cells.back())) {
        return false;
    }
    const auto at = state.cells.begin() + (std::min(state.CursorPos, kNameLength) - 1);
    std::rotate(at, state.cells.end() - 1, state.cells.end());
    return true;
}

void closeGapAt(WindowState& state, int position) {
    const auto at = state.cells.begin() + (position - 1);
    std::rotate(at, at + 1, state.cells.end());
    state.cells.back() = NameCell{};
}

void startNewName(WindowState& state) {
    state.rawNameBox.clear();
    state.commandLineBox = decodeNameBytes(state, framed(state, {}));
    state.CursorPos = 1;
    state.cells.fill(NameCell{});
}

void moveCursorTo(WindowState& state, int position) {
    state.CursorPos = std::clamp(position, 1, kNameLength + 1);
}

int markerLeftTwips(const WindowState& state) {
    return kSlotPitchTwips * (std::min(state.CursorPos, kNameLength) - 1);
}

}  // namespace vtl
