#pragma once

#include "desktop/Desktop.h"

namespace vtl::bench {

// A desktop for the benchmarks: every dialog is cancelled, every message
// answered with OK and counted (a benchmark that met one measured a failure).
class NullDesktop : public Desktop {
  public:
    MessageAnswer showMessage(const Message&) override {
        ++messages;
        return MessageAnswer::Ok;
    }
    std::optional<QString> openFile(const FileDialogRequest&) override { return {}; }
    std::optional<QString> saveFile(const FileDialogRequest&) override { return {}; }
    QString chooseFolder(const QString&, const QList<FolderShortcut>&) override { return {}; }
    void setClipboardText(const QString&) override {}
    void setClipboardImage(const QImage&) override {}
    QString clipboardText() override { return {}; }
    std::optional<int> chooseItem(const ItemChoice&) override { return {}; }
    std::optional<PictureOptions> choosePictureOptions(const PictureOptions&) override {
        return {};
    }
    std::optional<QColor> chooseColour(const QColor&, const QString&) override { return {}; }
    bool openUrl(const QString&) override { return false; }
    bool startProgram(const QString&, const QStringList&) override { return false; }
    QString findProgram(const QString&) override { return {}; }

    int messages = 0;
};

}  // namespace vtl::bench
