#pragma once

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QString>
#include <QTemporaryDir>

#include <map>

#include "sheets/SheetList.h"

namespace vtl::test {

// A temporary application folder with every built-in sheet, each filled with
// its own colour so a test can tell which file became the sheet. Qt can't
// write GIF, so the files hold BMP data under the .gif names; the loader goes
// by content, not by name.
class AppFolder {
  public:
    AppFolder() {
        for (const char16_t* name : kBuiltInSheetFiles) {
            const QString relative = u'/' + QString::fromUtf16(name);
            const QString file = dir_.path() + relative;
            QDir().mkpath(QFileInfo(file).path());
            const int n = static_cast<int>(colours_.size());
            QImage sheet(256, 256, QImage::Format_RGB32);
            sheet.fill(qRgb(10 + 15 * n, 200 - 10 * n, 40 + 12 * n));
            sheet.save(file, "BMP");
            colours_[relative] = sheet.pixel(0, 0);
        }
    }

    QString path() const { return dir_.path(); }

    // The fill colour of the sheet at `relative` ("/q2/quake2.gif").
    QRgb colourOf(const char16_t* relative) const {
        return colours_.at(QString::fromUtf16(relative));
    }

    QRgb colourOf(BuiltInSheet sheet) const {
        return colours_.at(u'/' + QString::fromUtf16(sheetFile(sheet)));
    }
    QString pathOf(BuiltInSheet sheet) const {
        return path() + u'/' + QString::fromUtf16(sheetFile(sheet));
    }

  private:
    QTemporaryDir dir_;
    std::map<QString, QRgb> colours_;
};

}  // namespace vtl::test
