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

#include <QPageLayout>
#endif

namespace vorelin {

namespace {

WriteResult NotMade(const std::string& kind, const std::string& path, const std::string& reason) {
    return {WriteResult::Status::Failed, path, NotWrittenMessage(kind, path, reason), reason};
}

} // namespace

#if VORELIN_CALC_QT_GUI

namespace {

std::string Bytes(const QByteArray& bytes) { return bytes.toStdString(); }

} // namespace

std::optional<WriteResult> AddReportFile(OutputPlan& plan, const LoadAnalysis& analysis,
                                         const std::string& path, std::span<const std::string> systemLines) {
    // The load marked as the results page marks it: in the nominal style once a region is shown.
    const GuiForFonts gui;
    const QByteArray pdf =
        ReportPdf(DrawnReport(analysis, CurrentDateTimeText(), analysis.accuracy ? kNominalDot : kLoadMark,
                              systemLines),
                  LocalPaper(), kReportPdfDotsPerInch);
    if (pdf.isEmpty()) return NotMade("report file", path, "the PDF document could not be made");
    plan.Add(path, Bytes(pdf), "report file");
    return std::nullopt;
}

std::optional<WriteResult> AddResultsPictures(OutputPlan& plan, const LoadAnalysis& analysis,
                                              const std::string& pngPath, const std::string& svgPath) {
    Settings settings;
    ReadDefaults(settings);
    const GuiForFonts gui;
    ClearUpperVectorState(); // Qt's start-up ran before the grid's arithmetic
    DisplayList page;
    DrawResultsPicture(page, analysis, settings.AspectRatio);
    const QSize pixels = PicturePixels(kStandardWindowPixels);
    if (!pngPath.empty()) {
        const QByteArray png = PagePng(page, kWindowPage, pixels, kPaperColour);
        if (png.isEmpty()) return NotMade("picture file", pngPath, "the PNG picture could not be made");
        plan.Add(pngPath, Bytes(png), "picture file");
    }
    if (!svgPath.empty()) {
        const QByteArray svg = PageSvg(page, kWindowPage, pixels, kPaperColour);
        if (svg.isEmpty()) return NotMade("picture file", svgPath, "the SVG picture could not be made");
        plan.Add(svgPath, Bytes(svg), "picture file");
    }
    return std::nullopt;
}

#else

namespace {

WriteResult WithoutQtGui(const std::string& path) {
    WriteResult result = NotMade({}, path, "this vorelin-calc was built without Qt Gui");
    result.message = "This vorelin-calc was built without Qt Gui and cannot write " + path + ".";
    return result;
}

} // namespace

std::optional<WriteResult> AddReportFile(OutputPlan&, const LoadAnalysis&, const std::string& path,
                                         std::span<const std::string>) {
    return WithoutQtGui(path);
}

std::optional<WriteResult> AddResultsPictures(OutputPlan&, const LoadAnalysis&, const std::string& pngPath,
                                              const std::string& svgPath) {
    if (pngPath.empty() && svgPath.empty()) return std::nullopt;
    return WithoutQtGui(pngPath.empty() ? svgPath : pngPath);
}

#endif

} // namespace vorelin
