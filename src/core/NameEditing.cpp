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

void rebuildNameBoxes(WindowState& state) {
    const QByteArray nameText = composeNameText(state);
    state.commandLineBox = decodeCp1252(framed(state, nameText));
    state.rawNameBox = decodeCp1252(nameText);
}

}  // namespace

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

void AddChar(WindowState& state, Desktop& desktop) {
    if (state.CursorPos >= kNameLength) {
        state.CursorPos = kNameLength;
    }
    NameCell& cell = cellAtCursor(state);
    cell.glyph = glyphFromSheet(state.sheetSource, QPoint(state.GlyphSrcX, state.GlyphSrcY));

    if (state.Family == GameFamily::Colour) {
        cell.fragment =
            state.ColorWritten ? state.PickedFragment : state.ColorPrefix + state.PickedFragment;
    } else if (state.Family == GameFamily::Plain) {
        cell.fragment = state.PickedFragment;
    } else {
        showInfo(desktop, QString::fromUtf16(kUnknownGameMessage));
    }

    state.markerLeftTwips = kSlotPitchTwips * (state.CursorPos - 1) + kSlotPitchTwips;
    state.CursorPos += 1;
    rebuildNameBoxes(state);
    if (state.markerLeftTwips == kMarkerFullTwips + kSlotPitchTwips) {
        state.markerLeftTwips = kMarkerFullTwips;
    }
    state.ColorWritten = true;
}

void pickGlyph(WindowState& state, Desktop& desktop, int code) {
    const QPoint origin = cellOrigin(code);
    state.GlyphSrcX = origin.x();
    state.GlyphSrcY = origin.y();
    state.PickedFragment = state.Table[code];
    AddChar(state, desktop);
}

void previewGlyph(WindowState& state, int code) {
    state.previewCaption = QStringLiteral("Char Number: ") + QString::number(code + 1);
    state.frameCode = code;
    const QPoint origin = cellOrigin(code);
    state.HoverSrcX = origin.x();
    state.HoverSrcY = origin.y();
    state.regularView = glyphFromSheet(state.sheetSource, QPoint(state.HoverSrcX, state.HoverSrcY));
    state.enlargedView = enlargedGlyph(state.regularView);
}

void clearPreview(WindowState& state) {
    state.frameCode.reset();
    state.regularView = QImage();
    state.enlargedView = QImage();
    state.previewCaption = QStringLiteral("Char Number:");
}

void deleteAtCursor(WindowState& state) {
    NameCell& cell = cellAtCursor(state);
    cell.fragment = QByteArray(" ", 1);
    cell.glyph = QImage();
}

void startNewName(WindowState& state) {
    state.rawNameBox.clear();
    state.commandLineBox = decodeCp1252(framed(state, {}));
    state.markerLeftTwips = 0;
    state.CursorPos = 1;
    state.cells.fill(NameCell{});
}

void moveCursorTo(WindowState& state, int slot) {
    state.CursorPos = slot;
    state.markerLeftTwips = kSlotPitchTwips * (slot - 1);
}

}  // namespace vtl
