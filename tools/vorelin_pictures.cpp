// vorelin-pictures FOLDER: renders the program's drawings to PNG files, so that anyone can look
// at them without opening a window: the results page's chart with a 5 % tolerance region (also
// zoomed in), the entries page's thumbnails, the opening page's illustrations and the printed
// report.
#include "core/networks.h"
#include "core/session.h"
#include "core/tolerance_sweep.h"
#include "graphics/chart_grid.h"
#include "graphics/chart_view.h"
#include "graphics/display_list.h"
#include "graphics/load_marks.h"
#include "graphics/opening_illustration.h"
#include "graphics/schematic.h"
#include "pages/page_renderer.h"
#include "print/report.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>
#include <string>

namespace vorelin {
namespace {

// The pictures stand for a 1200 x 900 pixel window, 15 twips (page units) to the pixel.
constexpr QSize kWindowPixels(1200, 900);
constexpr double kScreenHeightTwips = 900 * 15;
constexpr Colour kWhite = 0xFFFFFF;
constexpr Colour kOpeningBackground = 0xFFFFF4;

// A pi network on 20 m: the example of a typical run.
Session ExampleSession() {
    Session s;
    InitConstants(s);
    s.AspectRatio = 0.75f;
    s.Topology = 7;
    s.Frequency = 14.2e6f;
    s.Impedance = 50;
    s.C1 = 150e-12f;
    s.L2 = 2.2e-6f;
    s.C3 = 300e-12f;
    s.Accuracy = 0.05f;
    return s;
}

Font PageFont(double factor) {
    return Font{"Arial",
                static_cast<float>(factor * kScreenHeightTwips * static_cast<double>(kPageUnitsPerPoint)),
                false};
}

// The results page after an accuracy button: region circles, the nominal circle, the readout's
// schematic and the grid over them, the final mark last.
void DrawResultsWithRegion(DisplayList& page, Session& session, const ChartView& view) {
    page.Clear();
    page.SetFont(PageFont(0.0008));
    session.DotColor = 0x66CC00;
    session.DotRadius = 20;
    SweepTolerance(session, [&](const SweepPoint& point) {
        if (point.nominal) {
            session.DotColor = 0x111188;
            session.DotRadius = 50;
        }
        PlotDot(page, session, view);
    });
    DrawResultsSchematic(page, session);
    DrawGrid(page, session, view);
    PlotDot2(page, session, view);
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
    DisplayList page;

    Session session = ExampleSession();
    ChartView view;
    MoveCentreHome(view);
    EnsureScale(view);
    RunNetwork(session);
    DrawGrid(page, session, view); // as the page's first drawing: the chart radius is known from here on
    DrawResultsWithRegion(page, session, view);
    written &= Save(RenderPage(page, kWindowPage, kWindowPixels, kWhite), folder, "results-chart.png");

    for (int press = 0; press < 17; ++press)
        ZoomLarger(view);
    Pan(view, PanDirection::Left);
    DrawResultsWithRegion(page, session, view);
    written &= Save(RenderPage(page, kWindowPage, kWindowPixels, kWhite), folder, "results-chart-zoomed.png");

    page.Clear();
    page.SetFont(PageFont(0.0008));
    DrawLibrary(page, session);
    written &= Save(RenderPage(page, kWindowPage, kWindowPixels, kWhite), folder, "thumbnails.png");

    page.Clear();
    DrawOpeningSchematic(page, session);
    DrawOpeningChart(page, session);
    written &= Save(RenderPage(page, kWindowPage, kWindowPixels, kOpeningBackground), folder, "opening.png");

    // The printed report as a sheet at about 280 dots per inch; its pens are counted in 600 dpi
    // pixels. The load is marked as the results page marks it when it opens.
    page.Clear();
    session.DotColor = kLoadMarkBlue;
    session.DotRadius = 50;
    DrawReport(page, session, "06/12/2024 19:09");
    const RenderOptions paperPens{280.0 / 600};
    written &=
        Save(RenderPage(page, kPrinterPage, QSize(2300, 3040), kWhite, paperPens), folder, "printed.png");
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
    QGuiApplication app(argc, argv);
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!QDir().mkpath(folder.path())) {
        std::fprintf(stderr, "vorelin-pictures: cannot create %s\n", argv[1]);
        return 1;
    }
    return vorelin::WritePictures(folder);
}
