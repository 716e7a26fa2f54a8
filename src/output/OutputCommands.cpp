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
namespace {

constexpr char16_t kSaveNameTitle[] = u"Save As...";
constexpr char16_t kSaveNameFilter[] = u"Configuration File (*.Cfg)";
constexpr char16_t kSaveNameSuffix[] = u"CFG";
// The file name box starts with the pattern, so the folder shows its configs.
constexpr char16_t kSaveNameInitialName[] = u"*.cfg";
constexpr char16_t kSaveNameDoneText[] = u"File Saved!";
constexpr char16_t kSaveNameHowToText[] =
    u"To use this file go to the console and execute the file: ";

constexpr char16_t kQ3ConfigFile[] = u"/q3config.cfg";
constexpr char16_t kQ1ConfigFile[] = u"/config.cfg";
constexpr char16_t kNotConfiguredText[] =
    u"You have not configured Vantorel to utilize this feature.";
constexpr char16_t kSavedToDefaultConfigText[] = u"File Saved to Default Config: ";
constexpr char16_t kSavedToText[] = u"File saved to: ";
constexpr char16_t kExecuteManuallyText[] = u"You will need to manually execute this script.";

constexpr char16_t kExportTitle[] = u"Export Bitmap...";
constexpr char16_t kExportFilter[] = u"Bitmaps (*.Bmp)";
constexpr char16_t kExportSuffix[] = u"BMP";
constexpr char16_t kExportedText[] = u"Exported bitmap to: ";
constexpr char16_t kExportErrorTitle[] = u"mnuFileSaveAsDialog_Click";
constexpr char16_t kExportErrorText[] = u"Error: ";

QString text(const char16_t* constant) {
    return QString::fromUtf16(constant);
}

FileDialogRequest saveRequest(const char16_t* title, const char16_t* filter, const char16_t* suffix,
                              const char16_t* initialName = u"") {
    FileDialogRequest request;
    request.title = text(title);
    request.filters = QStringList{text(filter)};
    request.initialFolder = dialogStartFolder();
    request.defaultSuffix = text(suffix);
    request.confirmOverwrite = true;
    request.pathMustExist = true;
    request.initialName = text(initialName);
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
    showInfo(desktop, text(kSaveNameDoneText) + u'\r' + text(kSaveNameHowToText) +
                          QFileInfo(*path).fileName());
}

void quickSave(WindowState& state, Desktop& desktop, const FolderLookup& readFolder,
               const AppendApproval& approveAppend) {
    const bool quake3 = state.Config == ConfigKind::Q3Config;
    const QString folder = readFolder(text(quake3 ? kQ3FolderKey : kQ1FolderKey));
    if (folder.isEmpty()) {
        showInfo(desktop, text(kNotConfiguredText));
        return;
    }
    // Plain concatenation: the folder is used exactly as configured.
    state.QuickSaveFile = folder + text(quake3 ? kQ3ConfigFile : kQ1ConfigFile);

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
        showInfo(desktop, text(kSavedToDefaultConfigText) + state.QuickSaveFile);
    }
    if (!quake3) {
        showInfo(desktop,
                 text(kSavedToText) + state.QuickSaveFile + u'\r' + text(kExecuteManuallyText));
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
                 text(kExportErrorText) + QString::number(error->number) + u' ' + error->reason +
                     QStringLiteral(": ") + *path,
                 text(kExportErrorTitle));
        return;
    }
    showInfo(desktop, text(kExportedText) + *path);
}

void copyCommandLine(const WindowState& state, Desktop& desktop) {
    desktop.setClipboardText(state.commandLineBox);
}

void copyRawName(const WindowState& state, Desktop& desktop) {
    desktop.setClipboardText(state.rawNameBox);
}

}  // namespace vtl
