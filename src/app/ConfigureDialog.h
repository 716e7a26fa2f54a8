#pragma once

#include <QDialog>

#include "app/Form2.h"

class QLineEdit;

namespace vtl {

// The Configure dialog (Form2): draws the two folder boxes and forwards the
// buttons. Its close box just closes it.
class ConfigureDialog : public QDialog {
    Q_OBJECT
  public:
    ConfigureDialog(Desktop& desktop, const QString& settingsFile, QWidget* parent = nullptr);

    Form2& form() { return form_; }
    // Reads the saved folders into the boxes.
    void load();

  signals:
    // "Save..." wrote the folders, or "Cancel" was pressed.
    void left();

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void showForm();
    void cancel();

    Form2 form_;
    QLineEdit* text1_ = nullptr;
    QLineEdit* text2_ = nullptr;
};

}  // namespace vtl
