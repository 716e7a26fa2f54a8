#pragma once

#include <QIcon>
#include <QPixmap>

namespace vtl {

// The pixel sizes the build draws the icon in (set in its CMakeLists.txt); the
// desktop's menus and the window frames pick the nearest.
inline constexpr int kIconSizes[] = {VTL_ICON_SIZES};

// The program's icon, drawn sizes read when first shown; each window of the
// program carries it.
QIcon programIcon();

// A PNG built into the program, read by Qt's own PNG reader. Given a PNG by
// name, Qt would first offer it to every image plugin installed, loading each.
QPixmap builtInPng(const QString& resource);

// The program's name on the desktop: its desktop entry's and its icon's.
QString appId();

}  // namespace vtl
