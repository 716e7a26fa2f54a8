#include "output/OutputCommands.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QPainter>

#include <algorithm>
#include <cmath>

#include "core/FileWrite.h"
#include "core/Geometry.h"
#include "core/Glyphs.h"
#include "ini/Settings.h"
#include "output/ClientStartup.h"
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

const QString kSaveNameAddsNote =
    u"This file exists: the name will be added at its end, and what it holds now is kept."_s;
// The question when other files decide the name the clients start with.
const QString kTargetTitle = u"Quick Save"_s;
const QString kTargetIntro =
    u"At the next start not every client takes the name from config.cfg:"_s;
const QString kRunsAfter = u"%2 runs after config.cfg in %1 and sets the name."_s;
const QString kRunsInstead = u"%2 runs instead of config.cfg in %1."_s;
const QString kTargetAsk = u"Append the name to:"_s;
const QString kAllTargets = u"%1 and %2 (every client starts with the new name)"_s;
const QString kTargetFile = u"%1 only (wins for %2)"_s;
const QString kConfigOnly = u"config.cfg only (the clients above keep their old name)"_s;

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

// Which files Quick save appends to when config.cfg is not what every
// client takes the name from: the files that win as well as config.cfg (so
// every client starts with the name), one of them alone, or config.cfg
// alone. Nothing when the user cancels.
std::optional<QStringList> chooseTargets(Desktop& desktop, const QString& folder,
                                         const QList<NameOverride>& overrides) {
    const QString config = QString::fromUtf16(kQuakeConfig);
    QStringList lines{kTargetIntro};
    QStringList files;
    QStringList single;
    for (const NameOverride& o : overrides) {
        const QString clients = o.clients.join(u", "_s);
        lines << (o.insteadOfConfig ? kRunsInstead : kRunsAfter).arg(clients, o.file);
        single << kTargetFile.arg(o.file, clients);
        files << o.file;
    }
    lines << kTargetAsk;
    ItemChoice choice;
    choice.title = kTargetTitle;
    choice.label = lines.join(u'\n');
    choice.items << kAllTargets.arg(files.join(u", "_s), config) << single << kConfigOnly;
    choice.selected = 0;

    const std::optional<int> row = desktop.chooseItem(choice);
    if (!row || *row < 0 || *row >= choice.items.size()) {
        return std::nullopt;
    }
    QStringList chosen;
    if (*row == 0) {
        // config.cfg last, so the closing message names it as always.
        chosen = files;
        chosen << config;
    } else if (*row <= files.size()) {
        chosen << files[*row - 1];
    } else {
        chosen << config;
    }
    QStringList paths;
    for (const QString& file : chosen) {
        paths << folder + QDir::separator() + file;  // as config.cfg's path is made
    }
    return paths;
}

}  // namespace

void saveName(const WindowState& state, Desktop& desktop) {
    // The line goes at the end of an existing file: the dialog says so
    // instead of asking whether to replace it.
    FileDialogRequest request =
        saveRequest(kSaveNameTitle, kSaveNameFilter, kSaveNameSuffix, kSaveNameInitialName);
    request.confirmOverwrite = false;
    request.existingFileNote = kSaveNameAddsNote;
    const std::optional<QString> path = desktop.saveFile(request);
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
    const RememberedFolder remembered = readFolder(quake3 ? kQ3FolderKey : kQ1FolderKey);
    if (!remembered.unusable.isEmpty()) {
        showWarning(desktop, kUnusableFolderText.arg(remembered.unusable));
        return;
    }
    const QString folder = remembered.folder;
    if (folder.isEmpty()) {
        showInfo(desktop, kNotConfiguredText);
        return;
    }
    // Plain concatenation: the folder is used exactly as configured, joined
    // by the system's own separator (C:\Games\Quake3\baseq3\q3config.cfg).
    state.QuickSaveFile = folder + QDir::separator() + configFileName(state.Config);
    QStringList targets{state.QuickSaveFile};

    // A client that runs a file of its own after config.cfg (or instead of
    // it) would start with the name that file sets: the user picks where
    // the line goes. Nothing else is ever written to.
    if (!quake3) {
        const QList<NameOverride> overrides =
            configOverrides(readFolderConfigs(folder), ComposeScriptLine(state, QByteArray()));
        if (!overrides.isEmpty()) {
            const std::optional<QStringList> chosen = chooseTargets(desktop, folder, overrides);
            if (!chosen) {
                return;
            }
            targets = *chosen;
        }
    }

    // A config that exists gets the bare line; the game's own files carry no tag.
    if (approveAppend) {
        for (const QString& target : targets) {
            const qint64 after = sizeAfterAppend(target, QByteArray(), scriptTrailer(), state);
            if (!approveAppend(target, after)) {
                return;
            }
        }
    }
    for (const QString& target : targets) {
        state.QuickSaveFile = target;
        const AppendResult result =
            AppendScriptLine(state.QuickSaveFile, QByteArray(), scriptTrailer(), state);
        if (!result.succeeded()) {
            showWriteFailure(desktop, state.QuickSaveFile, result);
            return;
        }
        if (result.kind == AppendResult::Kind::Appended) {
            showInfo(desktop, kSavedToDefaultConfigText + state.QuickSaveFile);
        }
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
