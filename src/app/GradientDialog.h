#pragma once

#include <QDialog>

#include "colour/GradientForm.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;

namespace vtl {

// Edit -> Colour Gradient…: start, optional middle and end colour, the
// positions it spans and every how many glyphs it changes, with the name's
// length against the game's limits. It edits the form and says when it
// changed, so the main window can show the gradient in the name row.
class GradientDialog : public QDialog {
    Q_OBJECT
  public:
    GradientDialog(colour::GradientForm& form, QWidget* parent);

  signals:
    void formChanged();

  private:
    void pickColour(colour::Rgb& colour, QPushButton* swatch);
    void update();

    colour::GradientForm& form_;
    QPushButton* start_ = nullptr;
    QCheckBox* useMiddle_ = nullptr;
    QPushButton* middle_ = nullptr;
    QPushButton* end_ = nullptr;
    QSpinBox* first_ = nullptr;
    QSpinBox* last_ = nullptr;
    QComboBox* step_ = nullptr;
    QLabel* limits_ = nullptr;
    QPushButton* offer_ = nullptr;
    colour::Rgb middleColour_{255, 255, 255};
};

}  // namespace vtl
