#pragma once

#include <QPoint>
#include <QRect>

// The program's geometry in one place: the glyph grid of a sheet, the name
// strip's pitch, and the windows' layout in twips as it was drawn (left, top,
// width, height, relative to the control's container).
namespace vtl {

inline constexpr int kGlyphPixels = 16;   // a glyph is 16x16 pixels in every sheet
inline constexpr int kSheetColumns = 16;  // a sheet is 16x16 glyphs
inline constexpr int kSheetPixels = kGlyphPixels * kSheetColumns;

// Top-left pixel of code `code`'s glyph in a sheet: column code mod 16, row code div 16.
constexpr QPoint cellOrigin(int code) {
    return QPoint((code % kSheetColumns) * kGlyphPixels, (code / kSheetColumns) * kGlyphPixels);
}

// Twips are 1/1440 inch; 15 make one pixel at 96 dpi. This is the one place that converts.
inline constexpr int kTwipsPerPixel = 15;

constexpr int twipsToPixels(int twips) {
    return (2 * twips + kTwipsPerPixel) / (2 * kTwipsPerPixel);  // nearest, halves up
}

constexpr QRect twipsRect(int left, int top, int width, int height) {
    return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width),
                 twipsToPixels(height));
}

// The name strip: one slot per position at a pitch of 240 twips (one glyph).
inline constexpr int kSlotPitchTwips = 240;

}  // namespace vtl

namespace vtl::layout {

// Each control's objectName is noted beside its place.
struct Twips {
    int left, top, width, height;
    constexpr QRect px() const { return twipsRect(left, top, width, height); }
};

// Main window client area: 406 x 353 pixels.
inline constexpr Twips kClient{0, 0, 6090, 5295};

inline constexpr Twips kMapBackground{0, 0, 3950, 3950};  // CharMapBG
inline constexpr Twips kMap{0, 0, 3852, 3852};            // CharMap
inline constexpr int kCellTwips = 252;                    // a map cell and a name cell; pitch 240

inline constexpr Twips kSidePanel{3960, 0, 2100, 3950};            // Picture1
inline constexpr Twips kMenuHeading{240, 120, 1572, 372};          // Image4
inline constexpr Twips kPreviewFrame{70, 600, 1812, 1332};         // Frame4
inline constexpr Twips kRegularViewCaption{120, 240, 1335, 375};   // Label1
inline constexpr Twips kRegularView{1440, 240, 252, 252};          // RegViewChar
inline constexpr Twips kEnlargedViewCaption{120, 600, 1092, 252};  // Label2
inline constexpr Twips kEnlargedView{1200, 600, 492, 492};         // Picture2
inline constexpr Twips kPreviewCaption{120, 1080, 1692, 252};      // Label3
inline constexpr Twips kControlsFrame{70, 2040, 1812, 600};        // Frame6
inline constexpr Twips kDeleteButton{120, 240, 1572, 252};         // Command1
inline constexpr Twips kColourFrame{70, 2760, 1812, 975};          // Frame5
inline constexpr Twips kColourList{60, 240, 1704, 615};            // List1

inline constexpr Twips kNameStrip{0, 3960, 6075, 396};             // Picture3
inline constexpr Twips kRawNameCaption{0, 4440, 1575, 255};        // Label5
inline constexpr Twips kRawNameBox{1560, 4440, 4550, 288};         // Text2
inline constexpr Twips kCommandLineCaption{240, 4740, 1215, 255};  // Label6
inline constexpr Twips kCommandLineBox{1560, 4740, 4550, 288};     // Text3
inline constexpr Twips kStatusRow{0, 5040, 6090, 255};             // Picture7
inline constexpr Twips kModeLabel{0, 0, 6135, 375};                // Label7
inline constexpr Twips kCharsetNote{0, 0, 6060, 255};              // right of the mode label
// Over the right end of the status row, shown only while there is a notice.
inline constexpr Twips kNoticeLabel{3450, 0, 2610, 255};  // Notice

// Name strip.
inline constexpr int kSlotTopTwips = kSlotPitchTwips;
inline constexpr int kSlotHeightTwips = 132;

// Configure dialog.
inline constexpr Twips kConfigureClient{0, 0, 6435, 1980};
inline constexpr Twips kConfigureQuake3Frame{120, 0, 6132, 612};   // Frame1
inline constexpr Twips kConfigureQuakeFrame{120, 720, 6132, 612};  // Frame2
inline constexpr Twips kConfigureText{120, 240, 4812, 288};        // Text1, Text2
inline constexpr Twips kConfigureBrowse{5040, 240, 972, 252};      // Command1, Command4
inline constexpr Twips kConfigureNote{120, 1440, 6135, 255};       // Label1
inline constexpr Twips kConfigureSave{4320, 1680, 972, 252};       // Command2
inline constexpr Twips kConfigureCancel{5400, 1680, 972, 252};     // Command3

// About box.
inline constexpr Twips kAboutClient{0, 0, 5640, 3480};
inline constexpr Twips kAboutPanel{0, 0, 5655, 3495};               // Picture1
inline constexpr Twips kAboutTitle{120, 0, 3615, 375};              // Label1
inline constexpr Twips kAboutVersionLabel{3120, 360, 615, 375};     // Label2
inline constexpr Twips kAboutParagraphLabel{120, 720, 5415, 1575};  // Label3
inline constexpr int kAboutRuleTop = 2400;
inline constexpr int kAboutRuleRight = 5550;
inline constexpr Twips kAboutDisclaimer{120, 2505, 3870, 825};  // lblDisclaimer
inline constexpr Twips kAboutOk{4080, 2505, 1500, 345};         // cmdOK
inline constexpr Twips kAboutSysInfo{4080, 2955, 1485, 345};    // cmdSysInfo

}  // namespace vtl::layout
