#pragma once

#include <QPointer>
#include <QWidget>

#include "desktop/Desktop.h"

namespace vtl {

// The real desktop: Qt's message boxes, file dialogs, clipboard and services.
class QtDesktop : public Desktop {
  public:
    // Dialogs are parented to the active window, or else to the one set here.
    void setOwner(QWidget* owner) { owner_ = owner; }

    MessageAnswer showMessage(const Message& message) override;
    std::optional<QString> openFile(const FileDialogRequest& request) override;
    std::optional<QString> saveFile(const FileDialogRequest& request) override;
    QString chooseFolder(const QString& prompt, const QList<FolderShortcut>& shortcuts) override;
    void setClipboardText(const QString& text) override;
    void setClipboardImage(const QImage& image) override;
    QString clipboardText() override;
    std::optional<int> chooseItem(const ItemChoice& choice) override;
    std::optional<PictureOptions> choosePictureOptions(const PictureOptions& initial) override;
    std::optional<QColor> chooseColour(const QColor& initial, const QString& title) override;
    bool openUrl(const QString& url) override;
    bool startProgram(const QString& program, const QStringList& arguments) override;
    QString findProgram(const QString& name) override;
    void beep() override;

  private:
    std::optional<QString> runFileDialog(const FileDialogRequest& request, bool save);
    QWidget* dialogParent() const;
    QPointer<QWidget> owner_;
};

}  // namespace vtl
