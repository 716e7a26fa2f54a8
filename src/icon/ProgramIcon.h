#pragma once

#include <QIcon>

namespace vtl {

// The pixel sizes the build draws the icon in (set in its CMakeLists.txt); the
// desktop's menus and the window frames pick the nearest.
inline constexpr int kIconSizes[] = {VTL_ICON_SIZES};

// The program's icon with every drawn size; each window of the program carries it.
QIcon programIcon();

// The program's name on the desktop: its desktop entry's and its icon's.
QString appId();

}  // namespace vtl
