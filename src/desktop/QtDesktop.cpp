#include "desktop/QtDesktop.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QGridLayout>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QSplitter>
#include <QStandardPaths>
#include <QUrl>

#include "desktop/NameDialogs.h"

namespace vtl {

using namespace Qt::StringLiterals;
namespace {

// Shown over a save dialog when the typed name's folder does not exist.
const QString kPathMissingText = u"%1\nThe folder does not exist.\nCheck the path and try again."_s;

// Qt's file dialog, refusing a name whose folder does not exist where the
// request asks for that: the warning shows over the dialog, which stays open.
class FileDialog : public QFileDialog {
  public:
    FileDialog(QWidget* parent, const FileDialogRequest& request)
        : QFileDialog(parent, request.title, request.initialFolder), request_(request) {}

    // A line under the dialog's own rows that says what happens to the file
    // chosen, while it exists.
    void addExistingFileNote() {
        auto* grid = qobject_cast<QGridLayout*>(layout());
        auto* nameBox = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (request_.existingFileNote.isEmpty() || grid == nullptr || nameBox == nullptr) {
            return;
        }
        auto* note = new QLabel(this);
        note->setObjectName(QStringLiteral("existingFileNote"));
        note->setWordWrap(true);
        grid->addWidget(note, grid->rowCount(), 0, 1, grid->columnCount());
        const auto update = [this, note, nameBox] {
            note->setText(existingFileNoteFor(
                request_, chosenSavePath(request_, directory().absolutePath(), nameBox->text())));
        };
        connect(nameBox, &QLineEdit::textChanged, note, update);
        connect(this, &QFileDialog::directoryEntered, note, update);
        update();
    }

    void accept() override {
        const QStringList files = selectedFiles();
        if (!files.isEmpty() && !dialogAccepts(request_, files.constFirst())) {
            QMessageBox::warning(
                this, request_.title,
                kPathMissingText.arg(QDir::toNativeSeparators(files.constFirst())));
            return;
        }
        QFileDialog::accept();
    }

  private:
    const FileDialogRequest& request_;
};

}  // namespace

QWidget* QtDesktop::dialogParent() const {
    // The main window comes and goes; a box belongs over whichever window
    // the user is working in.
    QWidget* active = QApplication::activeWindow();
    return active ? active : owner_.data();
}

MessageAnswer QtDesktop::showMessage(const Message& message) {
    QMessageBox box(dialogParent());
    box.setWindowTitle(message.title.isEmpty() ? kAppTitle : message.title);
    QString text = message.text;
    text.replace(u'\r', u'\n');
    box.setText(text);
    switch (message.icon) {
        case MessageIcon::None:
            box.setIcon(QMessageBox::NoIcon);
            break;
        case MessageIcon::Question:
            box.setIcon(QMessageBox::Question);
            break;
        case MessageIcon::Warning:
            box.setIcon(QMessageBox::Warning);
            break;
    }
    if (message.buttons == MessageButtons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(message.defaultButton == MessageAnswer::Yes ? QMessageBox::Yes
                                                                         : QMessageBox::No);
        box.setEscapeButton(QMessageBox::No);
        return box.exec() == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return MessageAnswer::Ok;
}

std::optional<QString> QtDesktop::runFileDialog(const FileDialogRequest& request, bool save) {
    FileDialog dialog(dialogParent(), request);
    // Qt's own dialog: its name filters ignore letter case (a.bmp and B.BMP
    // both show under "*.Bmp"), and it honours the default suffix.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    const QStringList& filters = request.filters;
    dialog.setNameFilters(filters);
    if (request.selectedFilter >= 0 && request.selectedFilter < filters.size()) {
        dialog.selectNameFilter(filters[request.selectedFilter]);
    }
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(request.defaultSuffix);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
    if (!request.initialName.isEmpty()) {
        dialog.selectFile(request.initialName);
    }
    if (save) {
        dialog.addExistingFileNote();
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().constFirst();
}

std::optional<QString> QtDesktop::openFile(const FileDialogRequest& request) {
    return runFileDialog(request, false);
}

std::optional<QString> QtDesktop::saveFile(const FileDialogRequest& request) {
    return runFileDialog(request, true);
}

QString QtDesktop::chooseFolder(const QString& prompt, const QList<FolderShortcut>& shortcuts) {
    if (shortcuts.isEmpty()) {
        return QFileDialog::getExistingDirectory(dialogParent(), prompt);
    }
    // Qt's own dialog: only its sidebar takes folders of the program's choice.
    QFileDialog dialog(dialogParent(), prompt);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    QList<QUrl> urls = dialog.sidebarUrls();
    for (const FolderShortcut& shortcut : shortcuts) {
        urls << QUrl::fromLocalFile(shortcut.path);
    }
    dialog.setSidebarUrls(urls);
    // The sidebar would call every game folder by its own name (id1, id1,
    // baseq2...): it says whose folder it is instead, the path in the tip. The
    // sidebar renames its entries whenever the file system model reports, so
    // the labels are put back each time.
    if (auto* sidebar = dialog.findChild<QAbstractItemView*>(u"sidebar"_s)) {
        QAbstractItemModel* model = sidebar->model();
        const auto label = [model, shortcuts] {
            const int urlRole = Qt::UserRole + 1;
            for (int row = 0; row < model->rowCount(); ++row) {
                const QModelIndex index = model->index(row, 0);
                const QString path = QDir::cleanPath(index.data(urlRole).toUrl().toLocalFile());
                for (const FolderShortcut& shortcut : shortcuts) {
                    if (QDir::cleanPath(shortcut.path) == path &&
                        index.data(Qt::DisplayRole).toString() != shortcut.label) {
                        model->setData(index, shortcut.label, Qt::DisplayRole);
                        model->setData(index, QDir::toNativeSeparators(shortcut.path),
                                       Qt::ToolTipRole);
                    }
                }
            }
        };
        label();
        QObject::connect(model, &QAbstractItemModel::dataChanged, &dialog, label);
        QObject::connect(model, &QAbstractItemModel::rowsInserted, &dialog, label);
    }
    if (auto* splitter = dialog.findChild<QSplitter*>()) {
        splitter->setSizes({260, 520});
    }
    dialog.resize(860, 480);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().constFirst();
}

void QtDesktop::setClipboardText(const QString& text) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText(text, QClipboard::Clipboard);
    if (clipboard->supportsSelection()) {
        clipboard->setText(text, QClipboard::Selection);
    }
}

void QtDesktop::setClipboardImage(const QImage& image) {
    QGuiApplication::clipboard()->setImage(image, QClipboard::Clipboard);
}

QString QtDesktop::clipboardText() {
    return QGuiApplication::clipboard()->text(QClipboard::Clipboard);
}

std::optional<int> QtDesktop::chooseItem(const ItemChoice& choice) {
    ItemChoiceDialog dialog(choice, dialogParent());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedRow() < 0) {
        return std::nullopt;
    }
    return dialog.selectedRow();
}

std::optional<PictureOptions> QtDesktop::choosePictureOptions(const PictureOptions& initial) {
    PictureOptionsDialog dialog(initial, dialogParent());
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.options();
}

std::optional<QColor> QtDesktop::chooseColour(const QColor& initial, const QString& title) {
    const QColor chosen = QColorDialog::getColor(initial, dialogParent(), title);
    return chosen.isValid() ? std::optional<QColor>(chosen) : std::nullopt;
}

bool QtDesktop::openUrl(const QString& url) {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    // Qt hands addresses to xdg-open; without it, it only writes a line to
    // the terminal, which no one sees. The caller tells the person instead.
    if (QStandardPaths::findExecutable(u"xdg-open"_s).isEmpty()) {
        return false;
    }
#endif
    return QDesktopServices::openUrl(QUrl(url));
}

bool QtDesktop::startProgram(const QString& program, const QStringList& arguments) {
    return QProcess::startDetached(program, arguments);
}

QString QtDesktop::findProgram(const QString& name) {
    return QStandardPaths::findExecutable(name);
}

void QtDesktop::beep() {
    QApplication::beep();
}

}  // namespace vtl
