#include "tools/calculator_pictures.h"

#if VORELIN_CALC_QT_GUI
#include "core/settings.h"
#include "files/defaults_file.h"
#include "files/local_date_time.h"
#include "graphics/load_marks.h"
#include "graphics/results_scene.h"
#include "render/gui_for_fonts.h"
#include "render/page_pictures.h"
#include "render/report_pdf.h"
#include "render/vector_state.h"
#endif

namespace vorelin {

#if VORELIN_CALC_QT_GUI

namespace {

// Twice a 1200 x 900 window's pixels: crisp when scaled down or printed.
constexpr QSize kPicturePixels(2400, 1800);
constexpr Colour kWhite = 0xFFFFFF;

} // namespace

WriteResult WriteReportFile(const Entries& entries, int accuracyPercent, const std::string& path) {
    // The load marked as the results page marks it: in the nominal style once a region is shown.
    return WriteReportPdf(entries, path, CurrentDateTimeText(), accuracyPercent > 0 ? kNominalDot : kLoadMark,
                          accuracyPercent);
}

WriteResult WriteResultsPictures(const Entries& entries, int accuracyPercent, const std::string& pngPath,
                                 const std::string& svgPath) {
    Settings settings;
    ReadDefaults(settings);
    const GuiForFonts gui;
    ClearUpperVectorState(); // Qt's start-up ran before the sweep and the grid's arithmetic
    DisplayList page;
    DrawResultsPicture(page, entries, settings.AspectRatio, accuracyPercent);
    WriteResult result;
    if (!pngPath.empty()) result = WritePagePng(pngPath, page, kWindowPage, kPicturePixels, kWhite);
    if (!result.Failed() && !svgPath.empty())
        result = WritePageSvg(svgPath, page, kWindowPage, kPicturePixels, kWhite);
    return result;
}

#else

namespace {

WriteResult WithoutQtGui(const std::string& path) {
    WriteResult result;
    result.status = WriteResult::Status::Failed;
    result.fileName = path;
    result.message = "This vorelin-calc was built without Qt Gui and cannot write " + path + ".";
    return result;
}

} // namespace

WriteResult WriteReportFile(const Entries&, int, const std::string& path) { return WithoutQtGui(path); }

WriteResult WriteResultsPictures(const Entries&, int, const std::string& pngPath,
                                 const std::string& svgPath) {
    return WithoutQtGui(pngPath.empty() ? svgPath : pngPath);
}

#endif

} // namespace vorelin
