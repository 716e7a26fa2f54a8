#include "desktop/NameDialogs.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QListWidget>
#include <QSpinBox>
#include <QVBoxLayout>

namespace vtl {

using namespace Qt::StringLiterals;
namespace {

const QString kPictureOptionsTitle = u"Export name as PNG"_s;
const QString kScaleLabel = u"&Size:"_s;
const QString kScaleSuffix = u"\u00D7"_s;
const QString kScaleHint = u"16 pixels a position at 1\u00D7, without smoothing"_s;
const QString kTransparentLabel = u"&Transparent background (instead of black)"_s;

QDialogButtonBox* okCancel(QDialog* dialog) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

}  // namespace

ItemChoiceDialog::ItemChoiceDialog(const ItemChoice& choice, QWidget* parent)
    : QDialog(parent), list_(new QListWidget(this)) {
    setObjectName(QStringLiteral("ItemChoice"));
    setWindowTitle(choice.title.isEmpty() ? kAppTitle : choice.title);
    list_->setObjectName(QStringLiteral("ItemList"));
    list_->addItems(choice.items);
    list_->setCurrentRow(choice.selected);
    list_->setMinimumWidth(420);
    connect(list_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(choice.label, this));
    layout->addWidget(list_);
    layout->addWidget(okCancel(this));
}

int ItemChoiceDialog::selectedRow() const {
    return list_->currentRow();
}

PictureOptionsDialog::PictureOptionsDialog(const PictureOptions& initial, QWidget* parent)
    : QDialog(parent), scale_(new QSpinBox(this)), transparent_(new QCheckBox(this)) {
    setObjectName(QStringLiteral("PictureOptions"));
    setWindowTitle(kPictureOptionsTitle);
    scale_->setObjectName(QStringLiteral("Scale"));
    scale_->setRange(1, kMaxPictureScale);
    scale_->setValue(initial.scale);
    scale_->setSuffix(kScaleSuffix);
    transparent_->setObjectName(QStringLiteral("Transparent"));
    transparent_->setText(kTransparentLabel);
    transparent_->setChecked(initial.transparent);
    auto* form = new QFormLayout;
    form->addRow(kScaleLabel, scale_);
    form->addRow(new QLabel(kScaleHint, this));
    form->addRow(transparent_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(okCancel(this));
    setFixedSize(sizeHint());
}

PictureOptions PictureOptionsDialog::options() const {
    return PictureOptions{scale_->value(), transparent_->isChecked()};
}

}  // namespace vtl
