#pragma once

#include <QDialog>

#include "models/ConfigureForm.h"

class QLineEdit;

namespace vtl {

// The Configure dialog (objectName Form2): draws the two folder boxes and forwards the
// buttons. Its close box just closes it.
class ConfigureDialog : public QDialog {
    Q_OBJECT
  public:
    ConfigureDialog(Desktop& desktop, const QString& settingsFile, QWidget* parent = nullptr);

    ConfigureForm& model() { return model_; }
    // Reads the saved folders into the boxes.
    void load();

  signals:
    // "Save..." wrote the folders, or "Cancel" was pressed.
    void left();

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void showForm();
    // A box's text as the user left it, less what can't be in a folder name.
    void edited(QLineEdit* box, QString& folder, const QString& text);
    void cancel();

    ConfigureForm model_;
    QLineEdit* quake3Box_ = nullptr;
    QLineEdit* quakeBox_ = nullptr;
};

}  // namespace vtl
