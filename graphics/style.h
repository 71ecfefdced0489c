#pragma once

#include "graphics/surface.h"

#include <array>

namespace vorelin {

// The program's looks by role, declared once: every drawing and page asks here for the page it
// draws on, the font of a kind of text and the colour of a kind of thing, never for a literal of
// its own. Roles that look alike today stay apart, so that one can change without the other.
// Colours are 0x00BBGGRR.

// ---- Pages (page units) ----

struct PageSize {
    double width;
    double height;
};
// A window's page, scaled uniformly to the window; the printed report's sheet.
inline constexpr PageSize kWindowPage{12000, 9000};
inline constexpr PageSize kPrinterPage{11500, 15200};

constexpr PageRect WholePage(PageSize page) {
    return {0, 0, static_cast<float>(page.width), static_cast<float>(page.height)};
}

// ---- Fonts ----

// The pages' own type: chart labels, the generator's texts, scene texts, controls that are not
// buttons.
inline constexpr Font kPageFont{"Arial", ScreenFontSize(0.0008), false};
// Headings within a scene (a table's, a cell's).
inline constexpr Font kHeadingFont{"Arial", ScreenFontSize(0.0008), true};
// Every page's buttons that lead on or out.
inline constexpr Font kPageButtonFont{"Arial", ScreenFontSize(0.0008), true};
// Every page's title.
inline constexpr Font kPageTitleFont{"Times New Roman", ScreenFontSize(0.002), true};
// The entries page's labels and boxes, and boxes that take the same values elsewhere.
inline constexpr Font kEntryBoxFont{"MS Sans Serif", ScreenFontSize(0.0008), true};
// The entries page's plain texts (hints, readouts) and the thumbnails' part names.
inline constexpr Font kEntryTextFont{"MS Sans Serif", ScreenFontSize(0.0008), false};
// The results page: the load's readout and the headings, the part labels, the hint.
inline constexpr Font kReadoutFont{"Arial", PointFontSize(12), false};
inline constexpr Font kPartLabelFont{"MS Sans Serif", PointFontSize(12), false};
inline constexpr Font kHintFont{"Arial", PointFontSize(9.75), false};
// The opening page's title and labels.
inline constexpr Font kOpeningTitleFont{"Times New Roman", ScreenFontSize(0.006), true};
inline constexpr Font kOpeningLabelFont{"Times New Roman", ScreenFontSize(0.0008), true};
// The System page's stage names and the powers on its arrows.
inline constexpr Font kSystemStageFont{"Arial", ScreenFontSize(0.001), true};
inline constexpr Font kSystemPowerFont{"Arial", ScreenFontSize(0.001), false};
// The printed report's title, body and footer.
inline constexpr Font kReportTitleFont{"Arial", PointFontSize(18), false};
inline constexpr Font kReportBodyFont{"Arial", PointFontSize(12), false};
inline constexpr Font kReportFooterFont{"Arial", PointFontSize(8), false};
inline constexpr Font kReportSystemFont{"Arial", PointFontSize(9), false}; // the antenna system's lines

// ---- Colours: what every page shares ----

inline constexpr Colour kInkColour = 0x000000;        // texts and strokes
inline constexpr Colour kPaperColour = 0xFFFFFF;      // pages, pictures, blanked areas, plain boxes
inline constexpr Colour kPageTitleColour = 0xFF0000;  // page titles (blue)
inline constexpr Colour kPageButtonColour = 0xFFFFDD; // the buttons that lead on or out
inline constexpr Colour kLabelBoxColour = 0xE0E0E0;   // the grey box of a label or a heading
inline constexpr Colour kCaptionBoxColour = 0xEEEEFF; // the band of the chart's caption
inline constexpr Colour kProblemColour = 0x0000CC;    // a row's problem and its note (red)
inline constexpr Colour kWarningColour = 0x0030C0;    // a value read in part, a value refused (warm red)
inline constexpr Colour kEditBoxColour = 0xFFFFC0;    // a box the program fills in (the aspect ratio's)

// ---- Colours: the chart and what is marked on it ----

inline constexpr Colour kGridLightColour = 0xAAAAFF;
inline constexpr Colour kGridEmphasisColour = 0x0000FF; // also the axis, the outer circle and the labels
inline constexpr Colour kLoadMarkColour = 0xFF0000;     // the load as the results page opens (blue)
inline constexpr Colour kRegionColour = 0x66CC00;       // the tolerance region, its loads and area (green)
inline constexpr Colour kNominalMarkColour = 0x111188;  // the nominal load over a region (dark red)
inline constexpr Colour kFinalMarkColour = 0x0000FF;    // the final mark, a selected row (red)
inline constexpr Colour kLoadTextColour = 0x0000FF;     // the results page's load line (red)
inline constexpr Colour kTraceColour = 0xFF0000;        // the band's trace and its rows' marks (blue)

// ---- Colours: schematics ----

inline constexpr Colour kShuntInductorColour = 15; // a thumbnail's shunt coil, as first drawn
inline constexpr Colour kOpeningStrokeColour = 0xFF0000;
inline constexpr Colour kThumbnailHighlightColour = 0xFFFFDD; // the chosen network's box
inline constexpr Colour kPortMarkColour = 0xFFCC11;
inline constexpr Colour kGeneratorTextPointColour = 0xFFFFC0; // the generator texts' anchors

// ---- Colours: the band page ----

inline constexpr Colour kOtherAreaColour = 0xAAEEAA;     // the areas of the rows not selected
inline constexpr Colour kPredictedColour = 0xC040A0;     // predicted rows' marks (purple)
inline constexpr Colour kMisreadColour = 0x0080FF;       // misread rows' rings (orange)
inline constexpr Colour kBandNameColour = 0x3070A0;      // the amateur bands' names
inline constexpr Colour kPredictedBackground = 0xFAECF4; // pale purple, as the predicted marks
inline constexpr Colour kMisreadBackground = 0xB8E0FF;   // pale orange, as the misread rings
inline constexpr Colour kAmateurBandShade = 0xE6F4FF;    // pale amber
inline constexpr Colour kResultCellColour = 0xF4F4F4;    // the grid's computed cells
inline constexpr Colour kProblemCellColour = 0xDDDDFF;   // light red: the cell a row's problem names
inline constexpr Colour kHoverBoxColour = 0xE1FFFF;      // the box that tells of a mark
// The measured sweeps' thin traces, one each in turn: none of the page's own colours.
inline constexpr std::array<Colour, 6> kMeasuredTraceColours{0x209020, 0x909000, 0x2060A0,
                                                             0x808080, 0x008080, 0x604020};

// ---- Colours: the design page ----

inline constexpr Colour kReasonColour = 0x000080; // why a network has no solution (dark red)
inline constexpr Colour kCellOutlineColour = 0xD0D0D0;
inline constexpr Colour kDefaultFillColour = 0xDDF5DD; // the default solution's column (pale green)

// ---- Colours: the entries and opening pages, the icon ----

inline constexpr Colour kEntryLabelColour = 0xFFFFEE;
inline constexpr Colour kOpeningBackground = 0xFFFFF4;
inline constexpr Colour kOpeningTitlePointColour = 0xFFFF00;
// The opening illustration's panels: transmitter, tuner and antenna, each a fill and an outline.
inline constexpr Colour kTransmitterPanelColour = 0xF0F0F0, kTransmitterEdgeColour = 0xD0D0D0;
inline constexpr Colour kTunerPanelColour = 0xFFFFDD, kTunerEdgeColour = 0xDDDDBB;
inline constexpr Colour kAntennaPanelColour = 0xF8F8FF, kAntennaEdgeColour = 0xC8C8EE;
inline constexpr Colour kIconSheetColour = 0xDDFFFF, kIconSheetEdgeColour = 0xBBDDDD;
inline constexpr Colour kIconChartColour = 0xCC3300, kIconChartLightColour = 0xEEAA88;
inline constexpr Colour kIconLoadColour = 0x0000DD;
// The System page: its stages, the arrows between them, the part table's rules, and the largest
// figure of each of its columns.
inline constexpr Colour kSystemStageOutlineColour = 0x404040, kSystemStageFillColour = 0xF4F0EC;
inline constexpr Colour kSystemArrowColour = 0x806020, kSystemRuleColour = 0xC0C0C0;
inline constexpr Colour kSystemMostColour = 0x0000C0;

// Every colour above: what a drawing may use.
inline constexpr std::array kRoleColours{
    kInkColour,
    kPaperColour,
    kPageTitleColour,
    kPageButtonColour,
    kLabelBoxColour,
    kCaptionBoxColour,
    kProblemColour,
    kWarningColour,
    kEditBoxColour,
    kGridLightColour,
    kGridEmphasisColour,
    kLoadMarkColour,
    kRegionColour,
    kNominalMarkColour,
    kFinalMarkColour,
    kLoadTextColour,
    kTraceColour,
    kShuntInductorColour,
    kOpeningStrokeColour,
    kThumbnailHighlightColour,
    kPortMarkColour,
    kGeneratorTextPointColour,
    kOtherAreaColour,
    kPredictedColour,
    kMisreadColour,
    kBandNameColour,
    kPredictedBackground,
    kMisreadBackground,
    kAmateurBandShade,
    kResultCellColour,
    kProblemCellColour,
    kHoverBoxColour,
    kReasonColour,
    kCellOutlineColour,
    kDefaultFillColour,
    kEntryLabelColour,
    kOpeningBackground,
    kOpeningTitlePointColour,
    kTransmitterPanelColour,
    kTransmitterEdgeColour,
    kTunerPanelColour,
    kTunerEdgeColour,
    kAntennaPanelColour,
    kAntennaEdgeColour,
    kIconSheetColour,
    kIconSheetEdgeColour,
    kIconChartColour,
    kIconChartLightColour,
    kIconLoadColour,
    kSystemStageOutlineColour,
    kSystemStageFillColour,
    kSystemArrowColour,
    kSystemRuleColour,
    kSystemMostColour,
    kMeasuredTraceColours[0],
    kMeasuredTraceColours[1],
    kMeasuredTraceColours[2],
    kMeasuredTraceColours[3],
    kMeasuredTraceColours[4],
    kMeasuredTraceColours[5],
};

} // namespace vorelin
