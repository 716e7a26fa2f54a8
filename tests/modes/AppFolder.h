#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QString>
#include <QTemporaryDir>

#include <map>

#include "modes/ColourList.h"
#include "modes/GameModes.h"

namespace vtl::test {

// A temporary application folder with every built-in sheet, each filled with
// its own colour so a test can tell which file became the sheet. Qt can't
// write GIF, so the files hold BMP data under the .gif names; the loader goes
// by content, not by name.
class AppFolder {
  public:
    AppFolder() {
        int n = 0;
        for (const char16_t* sheet :
             {kQuakeWorldSheet, kQuake2Sheet, kHexen2Sheet, kJumpGateSheet}) {
            add(QString::fromUtf16(sheet), n++);
        }
        for (const Colour& colour : kColours) {
            add(QString::fromUtf16(colour.sheet), n++);
        }
    }

    QString path() const { return dir_.path(); }

    // The fill colour of the sheet at `relative` ("/q2/quake2.gif").
    QRgb colourOf(const QString& relative) const { return colours_.at(relative); }

    // The sheet the picture came from, by its fill colour; empty when none.
    QString sheetOf(const QImage& picture) const {
        for (const auto& [relative, colour] : colours_) {
            if (!picture.isNull() && picture.pixel(0, 0) == colour) {
                return relative;
            }
        }
        return {};
    }

  private:
    void add(const QString& relative, int n) {
        const QString file = dir_.path() + relative;
        QDir().mkpath(QFileInfo(file).path());
        QImage sheet(256, 256, QImage::Format_RGB32);
        const QRgb colour = qRgb(10 + 15 * n, 200 - 10 * n, 40 + 12 * n);
        sheet.fill(colour);
        sheet.save(file, "BMP");
        colours_[relative] = colour;
    }

    QTemporaryDir dir_;
    std::map<QString, QRgb> colours_;
};

}  // namespace vtl::test
