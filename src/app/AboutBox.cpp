#include "app/AboutBox.h"

#include <QLabel>
#include <QPushButton>

#include "app/WindowFont.h"
#include "app/WindowPlacement.h"
#include "core/Geometry.h"
#include "icon/ProgramIcon.h"
#include "models/SystemInfo.h"

namespace vtl {
namespace {

constexpr char kAboutStyle[] =
    "QWidget#Picture1 { background: black; }"
    "QLabel { color: yellow; background: transparent; }"
    "QLabel#Label1 { font-family: 'DejaVu Sans'; font-size: 18pt; font-weight: bold; }"
    "QLabel#Label2 { font-family: 'DejaVu Sans'; font-size: 13.5pt; }"
    "QWidget#Line1_0 { background: silver; }"
    "QWidget#Line1_1 { background: olive; }";

QLabel* label(QWidget* parent, const char* name, const layout::Twips& where, const QString& text) {
    auto* l = place<QLabel>(parent, name, where);
    l->setText(text);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    l->setWordWrap(true);
    return l;
}

// A one-pixel horizontal rule from the left edge to the given right.
void rule(QWidget* parent, const char* name, int topTwips, int rightTwips) {
    auto* line = new QWidget(parent);
    line->setObjectName(QString::fromLatin1(name));
    line->setAttribute(Qt::WA_StyledBackground);
    line->setGeometry(0, twipsToPixels(topTwips), twipsToPixels(rightTwips), 1);
}

}  // namespace

AboutBox::AboutBox(Desktop& desktop, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About Vantorel G2"));
    setWindowIcon(programIcon());
    // A tool window: window managers keep it out of the task bar.
    setWindowFlags(fixedSizeWindow(Qt::Tool));
    // Qt leaves tool windows out when it decides whether the last window has
    // closed; this one counts, so closing the main window or Configure while it
    // is open does not end the program under it.
    setAttribute(Qt::WA_QuitOnClose, true);
    setFixedSize(layout::kAboutClient.px().size());

    auto* picture = place<QWidget>(this, "Picture1", layout::kAboutPanel);
    // On the picture, not the box: message boxes over the box keep their looks.
    picture->setStyleSheet(windowFontStyle() + QString::fromLatin1(kAboutStyle));
    picture->setAttribute(Qt::WA_StyledBackground);
    label(picture, "Label1", layout::kAboutTitle, QStringLiteral("Vantorel"))->setWordWrap(false);
    label(picture, "Label2", layout::kAboutVersionLabel, kAboutVersion)->setWordWrap(false);
    label(picture, "Label3", layout::kAboutParagraphLabel, kAboutParagraph);
    // Two rules a pixel apart make one engraved line.
    rule(picture, "Line1_0", layout::kAboutRuleTop, layout::kAboutRuleRight);
    rule(picture, "Line1_1", layout::kAboutRuleTop + kTwipsPerPixel, layout::kAboutRuleRight);
    label(picture, "lblDisclaimer", layout::kAboutDisclaimer, kAboutDisclaimer);

    auto* ok = place<QPushButton>(picture, "cmdOK", layout::kAboutOk);
    ok->setText(QStringLiteral("OK"));
    ok->setDefault(true);
    auto* sysInfo = place<QPushButton>(picture, "cmdSysInfo", layout::kAboutSysInfo);
    sysInfo->setText(QStringLiteral("&System Info..."));
    sysInfo->setAutoDefault(false);
    ok->setFocus();

    // Escape closes the box through QDialog's reject, which makes OK the
    // cancel button as well.
    connect(ok, &QPushButton::clicked, this, &QDialog::close);
    connect(sysInfo, &QPushButton::clicked, this, [&desktop] { startSystemInfo(desktop); });
}

}  // namespace vtl
