#pragma once

#include <QImage>
#include <QString>

#include <functional>

#include "desktop/Desktop.h"
#include "name/WindowState.h"

namespace vtl {

// The export surface (a hidden picture of the main window): 6495 x 375 twips.
inline constexpr int kExportSurfaceWidthTwips = 6495;
inline constexpr int kExportSurfaceHeightTwips = 375;
inline constexpr int kExportStripHeight = 14;

// The game folder stored under a settings key (kQ3FolderKey, kQ1FolderKey)
// of the settings section; empty when none is set.
using FolderLookup = std::function<QString(const QString& key)>;

// Save Name: asks for a file and appends the name line with the tag.
void SaveName(const WindowState& state, Desktop& desktop);

// Quick save: appends the name line to the configured game's default config.
void QuickSave(WindowState& state, Desktop& desktop, const FolderLookup& readFolder);

// 15.3 pixels per cursor position, rounded half to even.
int ExportWidth(int cursorPos);

// The picture that Export saves: black, with the top-left ExportWidth x 14
// pixels of the name strip.
QImage composeExportSurface(const WindowState& state);

// Export name as Bitmap: asks for a file and saves the export surface as BMP.
void ExportNameAsBitmap(const WindowState& state, Desktop& desktop);

// The clipboard copies take the boxes as they are, not recomposed.
void CopyCommandLine(const WindowState& state, Desktop& desktop);
void CopyRawName(const WindowState& state, Desktop& desktop);

}  // namespace vtl
