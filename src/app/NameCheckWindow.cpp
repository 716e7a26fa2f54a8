#include "app/NameCheckWindow.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QVBoxLayout>

#include "app/WindowPlacement.h"
#include "core/Geometry.h"

namespace vtl {

using namespace Qt::StringLiterals;
namespace {

const QString kWindowTitle = u"Name Check"_s;
const QString kIntroText =
    u"What each game makes of the name: the name other players see, and why."_s;
const QString kNoProblemText = u"No problem found."_s;
const QString kCloseCaption = u"&Close"_s;
constexpr int kScale = 2;

QLabel* wrapped(const QString& text, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    l->setWordWrap(true);
    l->setTextFormat(Qt::PlainText);
    return l;
}

}  // namespace

SeenNameView::SeenNameView(std::vector<SeenGlyph> glyphs, const QImage& sheet,
                           const ColourSet* colours, QWidget* parent)
    : QWidget(parent), glyphs_(std::move(glyphs)), sheet_(sheet), colours_(colours) {
    setFixedSize(sizeHint());
}

QSize SeenNameView::sizeHint() const {
    const int cells = std::max<int>(1, static_cast<int>(glyphs_.size()));
    return QSize(cells * kGlyphPixels * kScale + 4, kGlyphPixels * kScale + 4);
}

void SeenNameView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor(24, 24, 24));
    for (size_t i = 0; i < glyphs_.size(); ++i) {
        const SeenGlyph& g = glyphs_[i];
        // Glyphs with alpha (the tinted games') are laid on black first.
        QImage glyph(kGlyphPixels, kGlyphPixels, QImage::Format_RGB32);
        glyph.fill(Qt::black);
        if (!sheet_.isNull()) {
            QPainter copy(&glyph);
            copy.drawImage(QPoint(0, 0), sheet_,
                           QRect(cellOrigin(g.code & 0xFF), QSize(kGlyphPixels, kGlyphPixels)));
        }
        if (colours_ && g.colour >= 0 && g.colour != colours_->white &&
            g.colour < static_cast<int>(colours_->colours.size())) {
            // The sheet is drawn white; the game tints it.
            QPainter tint(&glyph);
            tint.setCompositionMode(QPainter::CompositionMode_Multiply);
            tint.fillRect(glyph.rect(), QColor(colours_->colours[static_cast<size_t>(g.colour)]));
        }
        const QRect target(2 + static_cast<int>(i) * kGlyphPixels * kScale, 2,
                           kGlyphPixels * kScale, kGlyphPixels * kScale);
        p.drawImage(target, glyph);
    }
}

NameCheckWindow::NameCheckWindow(QWidget* parent) : QWidget(parent, Qt::Window | Qt::Tool) {
    setObjectName(QStringLiteral("NameCheck"));
    setWindowTitle(kWindowTitle);
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(wrapped(kIntroText, this));
    scroll_ = new QScrollArea(this);
    scroll_->setWidgetResizable(true);
    scroll_->setFrameShape(QFrame::NoFrame);
    outer->addWidget(scroll_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* close = new QPushButton(kCloseCaption, this);
    close->setObjectName(QStringLiteral("CloseCheck"));
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    buttons->addWidget(close);
    outer->addLayout(buttons);
    // Esc and Ctrl+W close it, as the Close button does.
    QList<QKeySequence> closeKeys{QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)};
    for (const QKeySequence& keys : QKeySequence::keyBindings(QKeySequence::Close)) {
        if (!closeKeys.contains(keys)) {
            closeKeys << keys;  // the desktop's own, such as Ctrl+F4
        }
    }
    for (const QKeySequence& keys : closeKeys) {
        auto* shortcut = new QShortcut(keys, this);
        connect(shortcut, &QShortcut::activated, this, &QWidget::close);
    }
    resize(640, 420);
}

void NameCheckWindow::placeBeside(const QWidget& owner) {
    const QScreen* screen = owner.screen() ? owner.screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return;
    }
    // The frame is not known before the window shows: the owner's stands in.
    const QRect ownerFrame = owner.frameGeometry();
    const QMargins frame(owner.geometry().left() - ownerFrame.left(),
                         owner.geometry().top() - ownerFrame.top(),
                         ownerFrame.right() - owner.geometry().right(),
                         ownerFrame.bottom() - owner.geometry().bottom());
    const QRect outer =
        besideWindow(ownerFrame, size().grownBy(frame), screen->availableGeometry());
    resize(outer.size().shrunkBy(frame));
    move(outer.topLeft());
}

void NameCheckWindow::showReport(const CheckReport& report, const QImage& sheet) {
    // The window refreshes with the main window, also on pointer moves.
    QString shown = QString::number(sheet.cacheKey()) + u'|' + QString::number(report.checked);
    for (const EngineReport& engine : report.engines) {
        shown += engine.engine + u'|' + QString::fromLatin1(engine.seenBytes().toHex()) + u'|' +
                 engine.noName;
        for (const SeenGlyph& g : engine.seen) {
            shown += QString::number(g.colour);
        }
        for (const Finding& f : engine.findings) {
            shown += f.text;
        }
    }
    if (shown == shown_) {
        return;
    }
    shown_ = shown;

    // Rebuilt whole: a handful of rows, and the engines differ per game.
    auto* rows = new QWidget;
    auto* rowsLayout = new QVBoxLayout(rows);
    rowsLayout->setAlignment(Qt::AlignTop);
    const int scrollValue = scroll_->verticalScrollBar()->value();

    if (!report.checked) {
        QString text = kNoCheckText;
        text[0] = text[0].toUpper();
        rowsLayout->addWidget(wrapped(text + u'.', rows));
        scroll_->setWidget(rows);
        return;
    }
    for (const EngineReport& engine : report.engines) {
        auto* row = new QWidget(rows);
        row->setObjectName(QStringLiteral("engine:") + engine.engine);
        auto* v = new QVBoxLayout(row);
        v->setContentsMargins(0, 6, 0, 6);
        auto* name = new QLabel(engine.engine, row);
        QFont bold = name->font();
        bold.setBold(true);
        name->setFont(bold);
        v->addWidget(name);
        if (engine.closed) {
            QString text = kNoClientCheckText;
            text[0] = text[0].toUpper();
            v->addWidget(wrapped(text + u'.', row));
        } else if (engine.noName.isEmpty()) {
            v->addWidget(new SeenNameView(engine.seen, sheet, gameRow(report.mode).colours, row));
        } else {
            QString why = engine.noName;
            why[0] = why[0].toUpper();
            v->addWidget(wrapped(why + u'.', row));
        }
        if (engine.findings.isEmpty() && !engine.closed) {
            v->addWidget(wrapped(kNoProblemText, row));
        }
        for (const Finding& f : engine.findings) {
            v->addWidget(wrapped(
                QStringLiteral("\u2022 [%1] %2").arg(severityText(f.severity), f.text), row));
        }
        if (!engine.caveat.isEmpty()) {
            QLabel* c = wrapped(engine.caveat, row);
            c->setEnabled(false);
            v->addWidget(c);
        }
        rowsLayout->addWidget(row);
    }
    scroll_->setWidget(rows);  // deletes the old rows
    scroll_->verticalScrollBar()->setValue(scrollValue);
}

void NameCheckWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    emit visibilityChanged();
}

void NameCheckWindow::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    emit visibilityChanged();
}

}  // namespace vtl
