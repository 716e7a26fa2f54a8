#include "output/OutputCommands.h"

#include <QBuffer>
#include <QFileInfo>
#include <QPainter>

#include <algorithm>
#include <cmath>

#include "core/Geometry.h"
#include "core/Glyphs.h"
#include "ini/Settings.h"
#include "output/FileWrite.h"
#include "output/ScriptWriter.h"

namespace vtl {

using namespace Qt::StringLiterals;

namespace {

const QString kSaveNameTitle = u"Save As..."_s;
const QString kSaveNameFilter = u"Configuration File (*.Cfg)"_s;
const QString kSaveNameSuffix = u"CFG"_s;
// The file name box starts with the pattern, so the folder shows its configs.
const QString kSaveNameInitialName = u"*.cfg"_s;
const QString kSaveNameDoneText = u"File Saved!"_s;
const QString kSaveNameHowToText = u"To use this file go to the console and execute the file: "_s;

const QString kNotConfiguredText = u"You have not configured Vantorel to utilize this feature."_s;
const QString kSavedToDefaultConfigText = u"File Saved to Default Config: "_s;
const QString kSavedToText = u"File saved to: "_s;
const QString kExecuteManuallyText = u"You will need to manually execute this script."_s;

const QString kExportTitle = u"Export Bitmap..."_s;
const QString kExportFilter = u"Bitmaps (*.Bmp)"_s;
const QString kExportSuffix = u"BMP"_s;
const QString kExportedText = u"Exported bitmap to: "_s;
const QString kExportErrorTitle = u"mnuFileSaveAsDialog_Click"_s;
const QString kExportErrorText = u"Error: "_s;

FileDialogRequest saveRequest(const QString& title, const QString& filter, const QString& suffix,
                              const QString& initialName = {}) {
    FileDialogRequest request;
    request.title = title;
    request.filters = QStringList{filter};
    request.initialFolder = dialogStartFolder();
    request.defaultSuffix = suffix;
    request.confirmOverwrite = true;
    request.pathMustExist = true;
    request.initialName = initialName;
    return request;
}

void showWriteFailure(Desktop& desktop, const QString& path, const AppendResult& result) {
    showWarning(desktop, appendFailureText(path, result));
}

}  // namespace

void saveName(const WindowState& state, Desktop& desktop) {
    const std::optional<QString> path = desktop.saveFile(
        saveRequest(kSaveNameTitle, kSaveNameFilter, kSaveNameSuffix, kSaveNameInitialName));
    if (!path) {
        return;
    }
    const QByteArray tag = scriptTrailer();
    const AppendResult result = AppendScriptLine(*path, tag, tag, state);
    if (!result.succeeded()) {
        showWriteFailure(desktop, *path, result);
        return;
    }
    showInfo(desktop, kSaveNameDoneText + u'\r' + kSaveNameHowToText + QFileInfo(*path).fileName());
}

void quickSave(WindowState& state, Desktop& desktop, const FolderLookup& readFolder,
               const AppendApproval& approveAppend) {
    const bool quake3 = state.Config == ConfigKind::Q3Config;
    const QString folder = readFolder(quake3 ? kQ3FolderKey : kQ1FolderKey);
    if (folder.isEmpty()) {
        showInfo(desktop, kNotConfiguredText);
        return;
    }
    // Plain concatenation: the folder is used exactly as configured.
    state.QuickSaveFile = folder + u'/' + configFileName(state.Config);

    // A config that exists gets the bare line; the game's own files carry no tag.
    if (approveAppend) {
        const qint64 after =
            sizeAfterAppend(state.QuickSaveFile, QByteArray(), scriptTrailer(), state);
        if (!approveAppend(state.QuickSaveFile, after)) {
            return;
        }
    }
    const AppendResult result =
        AppendScriptLine(state.QuickSaveFile, QByteArray(), scriptTrailer(), state);
    if (!result.succeeded()) {
        showWriteFailure(desktop, state.QuickSaveFile, result);
        return;
    }
    if (result.kind == AppendResult::Kind::Appended) {
        showInfo(desktop, kSavedToDefaultConfigText + state.QuickSaveFile);
    }
    if (!quake3) {
        showInfo(desktop, kSavedToText + state.QuickSaveFile + u'\r' + kExecuteManuallyText);
    }
}

int exportWidth(int cursorPos) {
    // Half to even by hand, so the result never depends on the FPU's mode.
    const double exact = 15.3 * cursorPos;
    const double below = std::floor(exact);
    const double fraction = exact - below;
    int width = static_cast<int>(below);
    if (fraction > 0.5 || (fraction == 0.5 && width % 2 != 0)) {
        ++width;
    }
    return width;
}

QImage composeExportSurface(const WindowState& state) {
    QImage surface(twipsToPixels(kExportSurfaceWidthTwips),
                   twipsToPixels(kExportSurfaceHeightTwips), QImage::Format_RGB32);
    surface.fill(Qt::black);
    const int width = std::clamp(exportWidth(state.CursorPos), 0, surface.width());
    // The strip's top 14 rows hold only the glyph cells, so the slot colour
    // never reaches the picture.
    const QImage strip = renderNameStrip(state, Qt::black);
    QPainter painter(&surface);
    painter.drawImage(QPoint(0, 0), strip, QRect(0, 0, width, kExportStripHeight));
    return surface;
}

void exportNameAsBitmap(const WindowState& state, Desktop& desktop) {
    const QImage surface = composeExportSurface(state);
    const std::optional<QString> path =
        desktop.saveFile(saveRequest(kExportTitle, kExportFilter, kExportSuffix));
    if (!path) {
        return;
    }
    QByteArray bmp;
    QBuffer buffer(&bmp);
    buffer.open(QIODevice::WriteOnly);
    surface.save(&buffer, "BMP");
    buffer.close();

    if (const auto error = replaceFileContent(*path, bmp)) {
        showInfo(desktop,
                 kExportErrorText + QString::number(error->number) + u' ' + error->reason +
                     QStringLiteral(": ") + *path,
                 kExportErrorTitle);
        return;
    }
    showInfo(desktop, kExportedText + *path);
}

void copyCommandLine(const WindowState& state, Desktop& desktop) {
    desktop.setClipboardText(state.commandLineBox);
}

void copyRawName(const WindowState& state, Desktop& desktop) {
    desktop.setClipboardText(state.rawNameBox);
}

}  // namespace vtl
