#include "models/MainWindowModel.h"
#include "modes/NameColours.h"

namespace vtl {

std::optional<colour::GradientForm> MainWindowModel::gradientForm() const {
    return gradientFormFor(state_);
}

void MainWindowModel::previewGradient(const colour::GradientForm& form) {
    if (beforePreview_) {
        beforePreview_->restoreInto(state_);
    } else {
        beforePreview_ = NameSnapshot::of(state_);
    }
    applyGradientTo(state_, form);
}

void MainWindowModel::endGradientPreview() {
    if (beforePreview_) {
        beforePreview_->restoreInto(state_);
        beforePreview_.reset();
    }
}

void MainWindowModel::applyGradient(const colour::GradientForm& form) {
    endGradientPreview();
    changeName(kColourGradientChange, [&](WindowState& s) { applyGradientTo(s, form); });
}

}  // namespace vtl
