#include "desktop/NameDialogs.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QListWidget>
#include <QSpinBox>
#include <QVBoxLayout>

namespace vtl {
namespace {

constexpr char16_t kPictureOptionsTitle[] = u"Export name as PNG";
constexpr char16_t kScaleLabel[] = u"&Size:";
constexpr char16_t kScaleSuffix[] = u"\u00D7";
constexpr char16_t kScaleHint[] = u"16 pixels a position at 1\u00D7, without smoothing";
constexpr char16_t kTransparentLabel[] = u"&Transparent background (instead of black)";

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
    setWindowTitle(choice.title.isEmpty() ? QString::fromUtf16(kAppTitle) : choice.title);
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
    setWindowTitle(QString::fromUtf16(kPictureOptionsTitle));
    scale_->setObjectName(QStringLiteral("Scale"));
    scale_->setRange(1, kMaxPictureScale);
    scale_->setValue(initial.scale);
    scale_->setSuffix(QString::fromUtf16(kScaleSuffix));
    transparent_->setObjectName(QStringLiteral("Transparent"));
    transparent_->setText(QString::fromUtf16(kTransparentLabel));
    transparent_->setChecked(initial.transparent);
    auto* form = new QFormLayout;
    form->addRow(QString::fromUtf16(kScaleLabel), scale_);
    form->addRow(new QLabel(QString::fromUtf16(kScaleHint), this));
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
