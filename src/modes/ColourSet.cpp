#include "modes/ColourSet.h"

namespace vtl {

std::optional<int> ColourSet::choiceOf(unsigned char character) const {
    const int wanted = indexOf(character);
    for (std::size_t row = 0; row < choices.size(); ++row) {
        if (choices[row].index == wanted) {
            return static_cast<int>(row);
        }
    }
    return std::nullopt;
}

std::optional<int> ColourSet::choiceWithCode(QByteArrayView code) const {
    for (std::size_t row = 0; row < choices.size(); ++row) {
        if (code == QByteArrayView(choices[row].code)) {
            return static_cast<int>(row);
        }
    }
    return std::nullopt;
}

}  // namespace vtl
