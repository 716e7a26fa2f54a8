#include "output/NamePicture.h"

#include <QBuffer>
#include <QPainter>

#include <algorithm>

#include "core/FileWrite.h"

namespace vtl {

using namespace Qt::StringLiterals;

namespace {

const QString kExportPngTitle = u"Export PNG..."_s;
const QString kExportPngFilter = u"PNG Pictures (*.png)"_s;
const QString kExportPngSuffix = u"png"_s;
const QString kExportedPngText = u"Exported picture to: "_s;
const QString kEmptyNameText = u"The name has no glyphs yet: there is nothing to export."_s;
const QString kCouldNotWriteText = u"Could not save the picture to %1: %2"_s;

int usedPositions(const WindowState& state) {
    for (int k = kNameLength; k > 0; --k) {
        if (!state.cells[k - 1].glyph.isNull()) {
            return k;
        }
    }
    return 0;
}

}  // namespace

QImage composeNamePicture(const WindowState& state, const PictureOptions& options) {
    const int used = usedPositions(state);
    if (used == 0) {
        return {};
    }
    const int scale = std::clamp(options.scale, 1, kMaxPictureScale);
    QImage strip(used * kGlyphPixels, kGlyphPixels, QImage::Format_ARGB32);
    strip.fill(Qt::black);
    {
        QPainter painter(&strip);
        for (int k = 0; k < used; ++k) {
            const QImage& glyph = state.cells[k].glyph;
            if (!glyph.isNull()) {
                painter.drawImage(QPoint(k * kGlyphPixels, 0), glyph);
            }
        }
    }
    if (options.transparent) {
        // The sheets draw on pure black; that black is the background.
        for (int y = 0; y < strip.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(strip.scanLine(y));
            std::replace(line, line + strip.width(), qRgb(0, 0, 0), qRgba(0, 0, 0, 0));
        }
    }
    // scaled() with FastTransformation repeats pixels, never blends them.
    return strip.scaled(strip.size() * scale, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

void exportNameAsPng(const WindowState& state, Desktop& desktop) {
    if (usedPositions(state) == 0) {
        showInfo(desktop, kEmptyNameText);
        return;
    }
    const std::optional<PictureOptions> options = desktop.choosePictureOptions(PictureOptions{});
    if (!options) {
        return;
    }
    FileDialogRequest request;
    request.title = kExportPngTitle;
    request.filters = QStringList{kExportPngFilter};
    request.initialFolder = dialogStartFolder();
    request.defaultSuffix = kExportPngSuffix;
    request.confirmOverwrite = true;
    const std::optional<QString> path = desktop.saveFile(request);
    if (!path) {
        return;
    }
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    composeNamePicture(state, *options).save(&buffer, "PNG");
    buffer.close();

    if (const auto error = replaceFileContent(*path, png)) {
        desktop.showMessage(
            Message{kCouldNotWriteText.arg(*path, error->reason) + u'\r' + kFileUnchangedText,
                    {},
                    MessageButtons::Ok,
                    MessageIcon::Warning,
                    MessageAnswer::Ok});
        return;
    }
    showInfo(desktop, kExportedPngText + *path);
}

void copyNameAsPicture(const WindowState& state, Desktop& desktop) {
    const QImage picture = composeNamePicture(state, kClipboardPicture);
    if (picture.isNull()) {
        showInfo(desktop, kEmptyNameText);
        return;
    }
    desktop.setClipboardImage(picture);
}

}  // namespace vtl
