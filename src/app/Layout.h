#pragma once

#include <QRect>

#include "name/Twips.h"

// The windows' geometry, in twips as the layout was drawn: left, top, width,
// height, relative to the control's container. The one table of it.
namespace vtl::layout {

struct Twips {
    int left, top, width, height;
    constexpr QRect px() const { return twipsRect(left, top, width, height); }
};

// Main window client area: 406 x 353 pixels.
inline constexpr Twips kClient{0, 0, 6090, 5295};

inline constexpr Twips kCharMapBG{0, 0, 3950, 3950};
inline constexpr Twips kCharMap{0, 0, 3852, 3852};
inline constexpr int kCellTwips = 252;  // a map cell and a name cell; pitch 240

inline constexpr Twips kPicture1{3960, 0, 2100, 3950};
inline constexpr Twips kImage4{240, 120, 1572, 372};
inline constexpr Twips kFrame4{70, 600, 1812, 1332};
inline constexpr Twips kLabel1{120, 240, 1335, 375};
inline constexpr Twips kRegViewChar{1440, 240, 252, 252};
inline constexpr Twips kLabel2{120, 600, 1092, 252};
inline constexpr Twips kPicture2{1200, 600, 492, 492};
inline constexpr Twips kLabel3{120, 1080, 1692, 252};
inline constexpr Twips kFrame6{70, 2040, 1812, 600};
inline constexpr Twips kCommand1{120, 240, 1572, 252};
inline constexpr Twips kFrame5{70, 2760, 1812, 975};
inline constexpr Twips kList1{60, 240, 1704, 615};

inline constexpr Twips kPicture3{0, 3960, 6075, 396};
inline constexpr Twips kLabel5{0, 4440, 1575, 255};
inline constexpr Twips kText2{1560, 4440, 4550, 288};
inline constexpr Twips kLabel6{240, 4740, 1215, 255};
inline constexpr Twips kText3{1560, 4740, 4550, 288};
inline constexpr Twips kPicture7{0, 5040, 6090, 255};
inline constexpr Twips kLabel7{0, 0, 6135, 375};

// Name strip, inside Picture3.
inline constexpr int kSlotTopTwips = 240;
inline constexpr int kSlotHeightTwips = 132;

// Configure dialog.
inline constexpr Twips kConfigureClient{0, 0, 6435, 1980};
inline constexpr Twips kConfigureFrame1{120, 0, 6132, 612};
inline constexpr Twips kConfigureFrame2{120, 720, 6132, 612};
inline constexpr Twips kConfigureText{120, 240, 4812, 288};
inline constexpr Twips kConfigureBrowse{5040, 240, 972, 252};
inline constexpr Twips kConfigureNote{120, 1440, 6135, 255};
inline constexpr Twips kConfigureSave{4320, 1680, 972, 252};
inline constexpr Twips kConfigureCancel{5400, 1680, 972, 252};

// About box.
inline constexpr Twips kAboutClient{0, 0, 5640, 3480};
inline constexpr Twips kAboutPicture1{0, 0, 5655, 3495};
inline constexpr Twips kAboutLabel1{120, 0, 3615, 375};
inline constexpr Twips kAboutLabel2{3120, 360, 615, 375};
inline constexpr Twips kAboutLabel3{120, 720, 5415, 1575};
inline constexpr int kAboutRuleTop = 2400;
inline constexpr int kAboutRuleRight = 5550;
inline constexpr Twips kAboutDisclaimer{120, 2505, 3870, 825};
inline constexpr Twips kAboutOk{4080, 2505, 1500, 345};
inline constexpr Twips kAboutSysInfo{4080, 2955, 1485, 345};

}  // namespace vtl::layout
