#pragma once

#include <QString>

#include <QDialog>

#include "desktop/Desktop.h"

namespace vtl {

using namespace Qt::StringLiterals;

// The About box's own fixed caption, not the program's version (kVersion):
// it reads "v6.1" whatever the build.
inline const QString kAboutVersion = u"v6.1"_s;
inline const QString kAboutParagraph =
    u"Vantorel G2 builds player names for Quake-engine games from the whole console character "
    u"set, glyphs your keyboard cannot type included. Pick them from the character map, colour "
    u"them for Quake III: Arena, and take the name away as a console line, a picture or plain "
    u"text. Made with care by Quenmoor Software for everyone who wants a name that stands out "
    u"on the scoreboard."_s;
inline const QString kAboutDisclaimer = QStringLiteral(
    "This program is provided as is, without warranty of any kind. Game names and trademarks "
    "belong to their respective owners.");

// The About box (frmAbout): fixed texts on black, "OK" and "System Info...".
class AboutBox : public QDialog {
    Q_OBJECT
  public:
    explicit AboutBox(Desktop& desktop, QWidget* parent = nullptr);
};

}  // namespace vtl
