#pragma once

#include <QImage>
#include <QString>

#include <functional>

#include "core/FileOpen.h"
#include "core/WindowState.h"
#include "desktop/Desktop.h"

namespace vtl {

// The export surface (a hidden picture of the main window): 6495 x 375 twips.
inline constexpr int kExportSurfaceWidthTwips = 6495;
inline constexpr int kExportSurfaceHeightTwips = 375;
inline constexpr int kExportStripHeight = 14;

// The game folder stored under a settings key (kQ3FolderKey, kQ1FolderKey)
// of the settings section; empty when none is set.
using FolderLookup = std::function<RememberedFolder(const QString& key)>;

// Save Name: asks for a file and appends the name line with the tag.
void saveName(const WindowState& state, Desktop& desktop);

// Quick save: appends the name line to the configured game's default config.
// Asked with the config's path and the size it would have after the append;
// false stops Quick save before anything is written.
using AppendApproval = std::function<bool(const QString& path, qint64 sizeAfter)>;
void quickSave(WindowState& state, Desktop& desktop, const FolderLookup& readFolder,
               const AppendApproval& approveAppend = {});

// 15.3 pixels per cursor position, rounded half to even.
int exportWidth(int cursorPos);

// The picture that Export saves: black, with the top-left ExportWidth x 14
// pixels of the name strip.
QImage composeExportSurface(const WindowState& state);

// Export name as Bitmap: asks for a file and saves the export surface as BMP.
void exportNameAsBitmap(const WindowState& state, Desktop& desktop);

// The clipboard copies take the boxes as they are, not recomposed.
void copyCommandLine(const WindowState& state, Desktop& desktop);
void copyRawName(const WindowState& state, Desktop& desktop);

}  // namespace vtl
