#pragma once

#include <QColor>
#include <QDir>
#include <QFileInfo>
#include <QString>
#include <QStringList>

#include <optional>

class QImage;

namespace vtl {

// The application title that a message box without a title of its own bears.
inline const QString kAppTitle = QStringLiteral("Vantorel G2");

enum class MessageButtons { Ok, YesNo };
enum class MessageIcon { None, Question, Warning };
enum class MessageAnswer { Ok, Yes, No };

struct Message {
    // Lines are joined by a single CR; the desktop shows it as a line break.
    QString text;
    // Empty: the application title.
    QString title;
    MessageButtons buttons = MessageButtons::Ok;
    MessageIcon icon = MessageIcon::None;
    // For YesNo boxes: which button Enter presses.
    MessageAnswer defaultButton = MessageAnswer::Ok;
};

struct FileDialogRequest {
    QString title;
    // Qt-style filters such as "Bitmaps (*.Bmp)"; matched without regard to case.
    QStringList filters;
    // Index into filters of the one selected when the dialog opens.
    int selectedFilter = 0;
    QString initialFolder;
    // Appended with a dot when the typed name has no extension ("CFG").
    QString defaultSuffix;
    // Save dialogs: ask before an existing file is chosen.
    bool confirmOverwrite = false;
    // Save dialogs: a name whose folder does not exist is refused and the
    // dialog stays open.
    bool pathMustExist = false;
    // What the file name box holds when the dialog opens.
    QString initialName;
    // Save dialogs: a line the dialog shows while the chosen name is a file
    // that exists (Save Name adds to such a file rather than replacing it).
    QString existingFileNote;
};

// A choice of one line out of several, in a small list.
struct ItemChoice {
    QString title;
    QString label;
    QStringList items;
    int selected = 0;  // the row selected when the list opens
};

// A folder a folder dialog offers in its sidebar: the games found installed.
struct FolderShortcut {
    QString label;  // what the sidebar shows
    QString path;
    friend bool operator==(const FolderShortcut&, const FolderShortcut&) = default;
};

inline constexpr int kMaxPictureScale = 8;

// How a name is drawn as a picture.
struct PictureOptions {
    int scale = 1;             // 1..8, each pixel a scale x scale square
    bool transparent = false;  // else the black of the name strip
};

// Whether a save dialog may return `path` for `request`.
inline bool dialogAccepts(const FileDialogRequest& request, const QString& path) {
    return !request.pathMustExist || QFileInfo(path).absoluteDir().exists();
}

// The file a save dialog would give for `typed` in `folder`: the default
// suffix added to a name without one, as the dialog does.
inline QString chosenSavePath(const FileDialogRequest& request, const QString& folder,
                              const QString& typed) {
    QString path = QDir(folder).absoluteFilePath(typed);
    if (!typed.isEmpty() && !request.defaultSuffix.isEmpty() &&
        QFileInfo(typed).suffix().isEmpty()) {
        path += u'.' + request.defaultSuffix;
    }
    return path;
}

// The line a save dialog shows for `path`: the request's note while it names
// an existing file, else nothing.
inline QString existingFileNoteFor(const FileDialogRequest& request, const QString& path) {
    const QFileInfo file(path);
    return file.exists() && file.isFile() ? request.existingFileNote : QString();
}

// Everything that needs a person or the desktop goes through here, so that
// the program's behaviour can run headless with a scripted fake.
class Desktop {
  public:
    virtual ~Desktop() = default;

    virtual MessageAnswer showMessage(const Message& message) = 0;
    // The chosen path, or nothing when the user cancelled.
    virtual std::optional<QString> openFile(const FileDialogRequest& request) = 0;
    virtual std::optional<QString> saveFile(const FileDialogRequest& request) = 0;
    // The chosen folder's full path, or the empty text on cancel. The
    // shortcuts join the dialog's sidebar.
    virtual QString chooseFolder(const QString& prompt, const QList<FolderShortcut>& shortcuts) = 0;
    virtual void setClipboardText(const QString& text) = 0;
    virtual void setClipboardImage(const QImage& image) = 0;
    // The clipboard's plain text; empty when it holds none.
    virtual QString clipboardText() = 0;
    // The chosen row, or nothing on cancel.
    virtual std::optional<int> chooseItem(const ItemChoice& choice) = 0;
    // The options the person settled on, starting from `initial`; nothing on cancel.
    virtual std::optional<PictureOptions> choosePictureOptions(const PictureOptions& initial) = 0;
    // The desktop's standard colour dialog, opened on `initial`; nothing on cancel.
    virtual std::optional<QColor> chooseColour(const QColor& initial, const QString& title) = 0;
    virtual bool openUrl(const QString& url) = 0;
    // Starts a program without waiting for it; false when it could not start.
    virtual bool startProgram(const QString& program, const QStringList& arguments) = 0;
    // Searches the PATH; empty when not found.
    virtual QString findProgram(const QString& name) = 0;
    // The desktop's warning sound, for a key that can't do anything.
    virtual void beep() {}
};

// The folder the file dialogs open in: the Windows folder where WinDir names
// one, else the user's home.
inline QString dialogStartFolder() {
    const QString winDir = qEnvironmentVariable("WinDir");
    return winDir.isEmpty() ? QDir::homePath() : winDir;
}

// Convenience for the plain OK boxes most commands show.
inline void showInfo(Desktop& desktop, const QString& text, const QString& title = {}) {
    desktop.showMessage(
        Message{text, title, MessageButtons::Ok, MessageIcon::None, MessageAnswer::Ok});
}

// The same with the warning sign, for failures.
inline void showWarning(Desktop& desktop, const QString& text, const QString& title = {}) {
    desktop.showMessage(
        Message{text, title, MessageButtons::Ok, MessageIcon::Warning, MessageAnswer::Ok});
}

}  // namespace vtl
