#include "app/ConfigureDialog.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

#include "app/WindowFont.h"
#include "app/WindowPlacement.h"
#include "icon/ProgramIcon.h"

namespace vtl {
namespace {

constexpr char kDialogStyle[] =
    "QGroupBox { border: 1px solid #a0a0a0; margin-top: 5px; }"
    "QGroupBox::title { subcontrol-origin: margin; left: 6px; padding: 0 2px; }"
    "QPushButton { padding: 0; }";

QPushButton* button(QWidget* parent, const char* name, const layout::Twips& where,
                    const QString& text) {
    auto* b = place<QPushButton>(parent, name, where);
    b->setText(text);
    return b;
}

}  // namespace

ConfigureDialog::ConfigureDialog(Desktop& desktop, const QString& settingsFile, QWidget* parent)
    : QDialog(parent), model_(desktop, settingsFile) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Configure"));
    setWindowIcon(programIcon());
    setWindowFlags(fixedSizeWindow(Qt::Dialog));
    setFixedSize(layout::kConfigureClient.px().size());
    // The controls sit on a client widget that carries the style, so that
    // the folder picker and message boxes over the dialog keep their looks.
    auto* client = place<QWidget>(this, "client", layout::kConfigureClient);
    client->setStyleSheet(windowFontStyle() + QString::fromLatin1(kDialogStyle));

    auto* frame1 = place<QGroupBox>(client, "Frame1", layout::kConfigureQuake3Frame);
    frame1->setTitle(QStringLiteral("Path to Quake3/baseq3 Folder "));
    quake3Box_ = place<QLineEdit>(frame1, "Text1", layout::kConfigureText);
    QPushButton* browse1 =
        button(frame1, "Command1", layout::kConfigureBrowse, QStringLiteral("Browse..."));

    auto* frame2 = place<QGroupBox>(client, "Frame2", layout::kConfigureQuakeFrame);
    frame2->setTitle(QStringLiteral("Path to Quake/Id1 Folder"));
    quakeBox_ = place<QLineEdit>(frame2, "Text2", layout::kConfigureText);
    QPushButton* browse2 =
        button(frame2, "Command4", layout::kConfigureBrowse, QStringLiteral("Browse..."));

    auto* note = place<QLabel>(client, "Label1", layout::kConfigureNote);
    note->setText(
        QStringLiteral("NOTE: If you don't have one of these games, just leave that field blank."));
    note->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QPushButton* save =
        button(client, "Command2", layout::kConfigureSave, QStringLiteral("Save..."));
    QPushButton* cancelButton =
        button(client, "Command3", layout::kConfigureCancel, QStringLiteral("Cancel"));

    // Tab goes down the dialog as it reads; Enter saves from anywhere but a
    // button that has the keyboard, which Enter presses.
    setTabOrder(quake3Box_, browse1);
    setTabOrder(browse1, quakeBox_);
    setTabOrder(quakeBox_, browse2);
    setTabOrder(browse2, save);
    setTabOrder(save, cancelButton);
    save->setDefault(true);
    quake3Box_->setFocus();

    connect(quake3Box_, &QLineEdit::textEdited, this,
            [this](const QString& t) { edited(quake3Box_, model_.quake3Folder, t); });
    connect(quakeBox_, &QLineEdit::textEdited, this,
            [this](const QString& t) { edited(quakeBox_, model_.quakeFolder, t); });
    connect(browse1, &QPushButton::clicked, this, [this] {
        model_.browseQuake3Folder();
        showForm();
    });
    connect(browse2, &QPushButton::clicked, this, [this] {
        model_.browseQuakeFolder();
        showForm();
    });
    connect(save, &QPushButton::clicked, this, [this] {
        if (model_.save()) {
            emit left();
        }
    });
    connect(cancelButton, &QPushButton::clicked, this, &ConfigureDialog::cancel);
}

void ConfigureDialog::load() {
    model_.load();
    showForm();
}

void ConfigureDialog::edited(QLineEdit* box, QString& folder, const QString& text) {
    folder = ConfigureForm::folderBoxText(text);
    if (folder != text) {
        const int cursor = box->cursorPosition() - static_cast<int>(text.size() - folder.size());
        box->setText(folder);
        box->setCursorPosition(std::max(cursor, 0));
    }
}

void ConfigureDialog::showForm() {
    quake3Box_->setText(model_.quake3Folder);
    quakeBox_->setText(model_.quakeFolder);
}

void ConfigureDialog::cancel() {
    emit left();
}

void ConfigureDialog::keyPressEvent(QKeyEvent* event) {
    // QDialog would close on Escape and, with the main window gone, end the
    // program; Escape here means what it says on the Cancel button.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        cancel();
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace vtl
