#include "app/GradientDialog.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace vtl {

using namespace Qt::StringLiterals;

namespace {

const QString kTitle = u"Colour Gradient"_s;
const QString kStartCaption = u"&Start colour:"_s;
const QString kMiddleCaption = u"&Middle colour:"_s;
const QString kEndCaption = u"&End colour:"_s;
const QString kFromCaption = u"&From position:"_s;
const QString kToCaption = u"&To position:"_s;
const QString kStepCaption = u"&Change colour:"_s;
const QStringList kSteps = {u"at every glyph"_s, u"every second glyph"_s, u"every third glyph"_s};

QColor qColour(colour::Rgb rgb) {
    return QColor(rgb.r, rgb.g, rgb.b);
}

void paintSwatch(QPushButton* swatch, colour::Rgb rgb) {
    swatch->setText(qColour(rgb).name(QColor::HexRgb).toUpper());
    swatch->setStyleSheet(u"background-color: %1; color: %2;"_s.arg(
        qColour(rgb).name(), (rgb.r + rgb.g + rgb.b) > 384 ? u"black"_s : u"white"_s));
}

}  // namespace

GradientDialog::GradientDialog(colour::GradientForm& form, QWidget* parent)
    : QDialog(parent), form_(form) {
    setObjectName(u"ColourGradientDialog"_s);
    setWindowTitle(kTitle);
    auto* fields = new QFormLayout;

    start_ = new QPushButton(this);
    start_->setObjectName(u"GradientStart"_s);
    fields->addRow(kStartCaption, start_);

    useMiddle_ = new QCheckBox(this);
    useMiddle_->setObjectName(u"GradientUseMiddle"_s);
    middle_ = new QPushButton(this);
    middle_->setObjectName(u"GradientMiddle"_s);
    auto* middleRow = new QHBoxLayout;
    middleRow->addWidget(useMiddle_);
    middleRow->addWidget(middle_, 1);
    // A layout can't take a mnemonic's focus: the caption's buddy is the box.
    auto* middleCaption = new QLabel(kMiddleCaption, this);
    middleCaption->setBuddy(useMiddle_);
    fields->addRow(middleCaption, middleRow);

    end_ = new QPushButton(this);
    end_->setObjectName(u"GradientEnd"_s);
    fields->addRow(kEndCaption, end_);

    first_ = new QSpinBox(this);
    first_->setObjectName(u"GradientFrom"_s);
    last_ = new QSpinBox(this);
    last_->setObjectName(u"GradientTo"_s);
    for (QSpinBox* box : {first_, last_}) {
        box->setRange(1, form.positionCount());
    }
    first_->setValue(form.firstPosition);
    last_->setValue(form.lastPosition);
    fields->addRow(kFromCaption, first_);
    fields->addRow(kToCaption, last_);

    step_ = new QComboBox(this);
    step_->setObjectName(u"GradientStep"_s);
    step_->addItems(kSteps);
    fields->addRow(kStepCaption, step_);

    limits_ = new QLabel(this);
    limits_->setObjectName(u"GradientLimits"_s);
    limits_->setWordWrap(true);
    offer_ = new QPushButton(this);
    offer_->setObjectName(u"GradientOffer"_s);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(limits_);
    layout->addWidget(offer_);
    layout->addWidget(buttons);

    if (form.stops.middle) {
        middleColour_ = *form.stops.middle;
        useMiddle_->setChecked(true);
    }
    paintSwatch(start_, form.stops.start);
    paintSwatch(middle_, middleColour_);
    paintSwatch(end_, form.stops.end);
    step_->setCurrentIndex(form.step - 1);

    connect(start_, &QPushButton::clicked, this, [this] { pickColour(form_.stops.start, start_); });
    connect(end_, &QPushButton::clicked, this, [this] { pickColour(form_.stops.end, end_); });
    connect(middle_, &QPushButton::clicked, this, [this] {
        useMiddle_->setChecked(true);
        pickColour(middleColour_, middle_);
    });
    connect(useMiddle_, &QCheckBox::toggled, this, [this] { update(); });
    connect(first_, &QSpinBox::valueChanged, this, [this] { update(); });
    connect(last_, &QSpinBox::valueChanged, this, [this] { update(); });
    connect(step_, &QComboBox::currentIndexChanged, this, [this] { update(); });
    connect(offer_, &QPushButton::clicked, this, [this] {
        if (const std::optional<int> offered = form_.offeredStep()) {
            step_->setCurrentIndex(*offered - 1);
        }
    });
    update();
}

void GradientDialog::pickColour(colour::Rgb& colour, QPushButton* swatch) {
    const QColor chosen = QColorDialog::getColor(qColour(colour), this, kTitle);
    if (chosen.isValid()) {
        colour = colour::Rgb{static_cast<std::uint8_t>(chosen.red()),
                             static_cast<std::uint8_t>(chosen.green()),
                             static_cast<std::uint8_t>(chosen.blue())};
        paintSwatch(swatch, colour);
        update();
    }
}

void GradientDialog::update() {
    form_.stops.middle =
        useMiddle_->isChecked() ? std::optional<colour::Rgb>(middleColour_) : std::nullopt;
    form_.firstPosition = std::min(first_->value(), last_->value());
    form_.lastPosition = std::max(first_->value(), last_->value());
    form_.step = step_->currentIndex() + 1;
    limits_->setText(form_.limitLines().join(u'\n'));
    const QString offer = form_.offerText();
    offer_->setText(offer);
    offer_->setVisible(!offer.isEmpty());
    emit formChanged();
}

}  // namespace vtl
