#include "core/NameHistory.h"

#include "core/NameEditing.h"

namespace vtl {

NameSnapshot NameSnapshot::of(const WindowState& state) {
    return NameSnapshot{state.cells, state.CursorPos, state.ColorWritten};
}

void NameSnapshot::restoreInto(WindowState& state) const {
    state.cells = cells;
    state.CursorPos = CursorPos;
    state.ColorWritten = ColorWritten;
    rebuildNameBoxes(state);
}

bool NameSnapshot::operator==(const NameSnapshot& other) const {
    if (CursorPos != other.CursorPos || ColorWritten != other.ColorWritten) {
        return false;
    }
    for (int k = 0; k < kNameLength; ++k) {
        const NameCell& a = cells[k];
        const NameCell& b = other.cells[k];
        // Glyphs are shared copies: the same picture keeps its cache key, and
        // a fresh copy of any glyph is a change even if its pixels match.
        if (a.fragment != b.fragment || a.glyph.isNull() != b.glyph.isNull() ||
            (!a.glyph.isNull() && a.glyph.cacheKey() != b.glyph.cacheKey())) {
            return false;
        }
    }
    return true;
}

NameChangeCommand::NameChangeCommand(WindowState& state, const QString& label, NameSnapshot before,
                                     NameSnapshot after)
    : QUndoCommand(label), state_(state), before_(std::move(before)), after_(std::move(after)) {}

void NameChangeCommand::undo() {
    before_.restoreInto(state_);
    done_ = false;
}

void NameChangeCommand::redo() {
    if (!done_) {
        after_.restoreInto(state_);
        done_ = true;
    }
}

}  // namespace vtl
