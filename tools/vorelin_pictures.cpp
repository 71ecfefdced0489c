// vorelin-pictures FOLDER: renders the program's drawings to PNG files, so that anyone can look
// at them without opening a window: the results page's chart with a 5 % tolerance region (also
// zoomed in), the entries page's thumbnails, the opening page's illustrations and the printed
// report.
#include "core/entries.h"
#include "core/load_analysis.h"
#include "core/tolerance_sweep.h"
#include "graphics/display_list.h"
#include "graphics/opening_illustration.h"
#include "graphics/results_scene.h"
#include "graphics/schematic.h"
#include "print/report.h"
#include "render/gui_for_fonts.h"
#include "render/page_pictures.h"
#include "render/page_renderer.h"

#include <QDir>

#include <cstdio>
#include <string>

namespace vorelin {
namespace {

constexpr float kAspectRatio = 0.75f;

// A pi network on 20 m: the example of a typical run.
Entries ExampleEntries() {
    Entries e;
    e.Topology = 7;
    e.Frequency = 14.2e6f;
    e.Impedance = 50;
    e.C1 = 150e-12f;
    e.L2 = 2.2e-6f;
    e.C3 = 300e-12f;
    return e;
}

// The results page after the 5 % accuracy button, in a given view.
DisplayList ResultsWithRegion(const LoadAnalysis& analysis, const ChartView& view) {
    ResultsScratch scratch;
    ResultsView shown;
    shown.view = view;
    shown.aspectRatio = kAspectRatio;
    shown.drawing = ResultsDrawing::RegionChosen;
    shown.hintShown = true;
    DisplayList page;
    DrawResultsPage(page, analysis, shown, scratch);
    return page;
}

bool Save(const QImage& image, const QDir& folder, const char* name) {
    const QString path = folder.filePath(QString::fromLatin1(name));
    if (!image.save(path, "PNG")) {
        std::fprintf(stderr, "vorelin-pictures: cannot write %s\n", path.toLocal8Bit().constData());
        return false;
    }
    std::printf("%s\n", path.toLocal8Bit().constData());
    return true;
}

int WritePictures(const QDir& folder) {
    bool written = true;
    const LoadAnalysis analysis = AnalyseLoad(ExampleEntries(), AccuracyFraction(5));

    ChartView view;
    MoveCentreHome(view);
    EnsureScale(view);
    written &=
        Save(RenderPage(ResultsWithRegion(analysis, view), kWindowPage, kStandardWindowPixels, kPaperColour),
             folder, "results-chart.png");

    for (int press = 0; press < 17; ++press)
        ZoomLarger(view);
    Pan(view, PanDirection::Left);
    written &=
        Save(RenderPage(ResultsWithRegion(analysis, view), kWindowPage, kStandardWindowPixels, kPaperColour),
             folder, "results-chart-zoomed.png");

    DisplayList page;
    page.SetFont(kPageFont);
    DrawLibrary(page, ExampleEntries().Topology);
    written &=
        Save(RenderPage(page, kWindowPage, kStandardWindowPixels, kPaperColour), folder, "thumbnails.png");

    page.Clear();
    DrawOpeningSchematic(page);
    DrawOpeningChart(page, kAspectRatio);
    written &=
        Save(RenderPage(page, kWindowPage, kStandardWindowPixels, kOpeningBackground), folder, "opening.png");

    // The printed report as a sheet at about 280 dots per inch; its pens are counted in 600 dpi
    // pixels. The load is marked as the results page marks it when it opens.
    page.Clear();
    DrawReport(page, AnalyseLoad(ExampleEntries()), "06/12/2024 19:09", kLoadMark);
    const RenderOptions paperPens{280.0 / 600};
    written &= Save(RenderPage(page, kPrinterPage, QSize(2300, 3040), kPaperColour, paperPens), folder,
                    "printed.png");
    return written ? 0 : 1;
}

} // namespace
} // namespace vorelin

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: vorelin-pictures FOLDER\n");
        return 2;
    }
    // No window is opened, so no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    const vorelin::GuiForFonts gui;
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!QDir().mkpath(folder.path())) {
        std::fprintf(stderr, "vorelin-pictures: cannot create %s\n", argv[1]);
        return 1;
    }
    return vorelin::WritePictures(folder);
}
