#pragma once

#include <QString>
#include <QUndoCommand>
#include <QUndoStack>

#include <array>

#include "core/WindowState.h"

namespace vtl {

// What one change to the name may alter and what undo puts back: the 25
// positions (pixels and fragments), the cursor (the marker follows it), and whether
// the pending colour code has been written. The colour, mode and sheet are
// not part of it: they stay as they are on undo.
struct NameSnapshot {
    std::array<NameCell, kNameLength> cells;
    int CursorPos = 1;
    bool ColorWritten = false;

    static NameSnapshot of(const WindowState& state);
    // Puts the snapshot back and rebuilds both name boxes from the name.
    void restoreInto(WindowState& state) const;
    bool operator==(const NameSnapshot& other) const;
};

// One recorded change: undo restores `before`, redo `after`.
class NameChangeCommand : public QUndoCommand {
  public:
    NameChangeCommand(WindowState& state, const QString& label, NameSnapshot before,
                      NameSnapshot after);
    void undo() override;
    void redo() override;

  private:
    WindowState& state_;
    NameSnapshot before_;
    NameSnapshot after_;
    // The edit has already run when the command is pushed, so the push's
    // own redo() has nothing to do.
    bool done_ = true;
};

// Runs `edit` on `state` and records it on `stack` as one change labelled
// `label` ("Undo <label>"). An edit that leaves the name, cursor and colour
// flag as they were records nothing. Returns whether a change was recorded.
template <typename Edit>
bool recordNameChange(QUndoStack& stack, WindowState& state, const QString& label, Edit&& edit) {
    NameSnapshot before = NameSnapshot::of(state);
    edit();
    NameSnapshot after = NameSnapshot::of(state);
    if (after == before) {
        return false;
    }
    stack.push(new NameChangeCommand(state, label, std::move(before), std::move(after)));
    return true;
}

}  // namespace vtl
