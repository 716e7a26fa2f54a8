#pragma once

#include <QDialog>

#include "desktop/Desktop.h"

class QCheckBox;
class QListWidget;
class QSpinBox;

namespace vtl {

// The list of name lines a file holds, to pick the one to load.
class ItemChoiceDialog : public QDialog {
    Q_OBJECT
  public:
    ItemChoiceDialog(const ItemChoice& choice, QWidget* parent = nullptr);
    // The selected row; -1 when none.
    int selectedRow() const;

  private:
    QListWidget* list_;
};

// The options step of Export name as PNG: the scale and the background.
class PictureOptionsDialog : public QDialog {
    Q_OBJECT
  public:
    PictureOptionsDialog(const PictureOptions& initial, QWidget* parent = nullptr);
    PictureOptions options() const;

  private:
    QSpinBox* scale_;
    QCheckBox* transparent_;
};

}  // namespace vtl
