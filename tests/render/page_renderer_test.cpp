#include "render/page_renderer.h"

#include "core/tolerance_sweep.h"
#include "graphics/chart_grid.h"
#include "graphics/display_list.h"
#include "graphics/results_scene.h"
#include "graphics/text_metrics.h"
#include "render/font_substitutes.h"
#include "render/page_pictures.h"
#include "tests/support/entries.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>

#include <QColor>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <QSvgRenderer>

#include <cmath>
#include <limits>
#include <memory>

namespace vorelin {
namespace {

constexpr Colour kWhite = 0xFFFFFF;
constexpr Colour kRed = 0x0000FF;
constexpr Colour kBlue = 0xFF0000;

class PageRenderer : public ::testing::Test {
protected:
    // Fonts need a running application; the offscreen platform needs no display. It goes with
    // the suite, before the program's static objects, so that it hands its fonts back.
    static void SetUpTestSuite() {
        static int argc = 1;
        static char name[] = "page_renderer_test";
        static char* argv[] = {name, nullptr};
        s_application = std::make_unique<QGuiApplication>(argc, argv);
        SubstituteClassicFonts();
    }
    static void TearDownTestSuite() { s_application.reset(); }

private:
    static inline std::unique_ptr<QGuiApplication> s_application;
};

bool IsColour(QRgb pixel, Colour colour, int tolerance = 0) {
    const QColor expected = ToQColor(colour);
    return std::abs(qRed(pixel) - expected.red()) <= tolerance &&
           std::abs(qGreen(pixel) - expected.green()) <= tolerance &&
           std::abs(qBlue(pixel) - expected.blue()) <= tolerance;
}

TEST_F(PageRenderer, PageIsFittedUniformlyAndCentred) {
    const struct {
        const char* name;
        PageSize page;
        QRectF device;
        double scale, left, top;
    } kCases[] = {
        {"window page, same shape", kWindowPage, {0, 0, 1200, 900}, 0.1, 0, 0},
        {"window page, wide window", kWindowPage, {0, 0, 1600, 900}, 0.1, 200, 0},
        {"window page, tall window", kWindowPage, {0, 0, 1200, 1200}, 0.1, 0, 150},
        {"window page, offset rectangle", kWindowPage, {10, 20, 600, 450}, 0.05, 10, 20},
        {"printer page", kPrinterPage, {0, 0, 2300, 3040}, 0.2, 0, 0},
        {"printer page, landscape device", kPrinterPage, {0, 0, 3040, 1520}, 0.1, 945, 0},
        {"empty device", kWindowPage, {0, 0, 0, 0}, 0, 0, 0},
    };
    for (const auto& c : kCases) {
        const PageToDevice mapping(c.page, c.device);
        EXPECT_DOUBLE_EQ(mapping.Scale(), c.scale) << c.name;
        EXPECT_DOUBLE_EQ(mapping.Point(0, 0).x(), c.left) << c.name;
        EXPECT_DOUBLE_EQ(mapping.Point(0, 0).y(), c.top) << c.name;
        const QPointF corner =
            mapping.Point(static_cast<float>(c.page.width), static_cast<float>(c.page.height));
        EXPECT_DOUBLE_EQ(corner.x(), c.left + c.scale * c.page.width) << c.name;
        EXPECT_DOUBLE_EQ(corner.y(), c.top + c.scale * c.page.height) << c.name;
        EXPECT_EQ(mapping.PageRect().center(), c.device.center()) << c.name;
        EXPECT_DOUBLE_EQ(mapping.Length(500), 500 * c.scale) << c.name;
    }
}

// The grid at 1200 x 900 pixels, shifted by half a pixel so that page points on whole tens
// fall on pixel centres and one-pixel lines cover whole pixels.
QImage ChartImage(const ChartGridStyle& style) {
    DisplayList list;
    list.SetFont(Font{"Arial", 216, false});
    DrawChartGrid(list, ChartFrame{9000, 5000, 3000, 1, 0.75f}, style);
    QImage image(1200, 900, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    RenderDisplayList(painter, list, PageToDevice(kWindowPage, QRectF(0.5, 0.5, 1200, 900)));
    return image;
}

TEST_F(PageRenderer, ChartPixels) {
    ChartGridStyle unlabelled = ResultsGridStyle();
    unlabelled.labels = {};
    const QImage bare = ChartImage(unlabelled);
    const QImage labelled = ChartImage(ResultsGridStyle());

    // The centre, where the axis crosses the r = 1 circle, and the top of the outer circle.
    EXPECT_TRUE(IsColour(bare.pixel(900, 500), kRed, 8)) << std::hex << bare.pixel(900, 500);
    EXPECT_TRUE(IsColour(labelled.pixel(900, 200), kRed, 8)) << std::hex << labelled.pixel(900, 200);
    EXPECT_TRUE(IsColour(labelled.pixel(900, 150), kWhite)) << "outside the chart";

    // The rectangle of the label "2" clears the axis left of its text (page x 9675 ... 9720).
    EXPECT_TRUE(IsColour(bare.pixel(969, 500), kRed, 8)) << std::hex << bare.pixel(969, 500);
    EXPECT_TRUE(IsColour(labelled.pixel(969, 500), kWhite)) << std::hex << labelled.pixel(969, 500);
    EXPECT_TRUE(IsColour(labelled.pixel(969, 508), kWhite)) << std::hex << labelled.pixel(969, 508);
}

TEST_F(PageRenderer, PrimitivesOfEveryKind) {
    DisplayList list;
    list.SetPenWidth(3);
    list.Arc(6000, 4500, 1000, kBlue, 0, std::acos(-1.0)); // the upper half
    list.Circle(3000, 3000, 500, kRed);
    list.FilledBox(8000, 1000, 9000, 2000, kBlue);
    list.BoxOutline(8000, 6000, 9000, 7000, kRed);
    list.Point(1005, 8005, kRed);
    list.SetPenWidth(5);
    list.Line(1000, 7000, 5000, 7000, kBlue);
    const QImage image = RenderPage(list, kWindowPage, QSize(1200, 900), kWhite);

    EXPECT_TRUE(IsColour(image.pixel(600, 350), kBlue, 8)) << "top of the arc";
    EXPECT_TRUE(IsColour(image.pixel(700, 450), kBlue, 80)) << "right end of the arc";
    EXPECT_TRUE(IsColour(image.pixel(600, 550), kWhite)) << "no lower half";
    EXPECT_TRUE(IsColour(image.pixel(300, 250), kRed, 8)) << "top of the circle";
    EXPECT_TRUE(IsColour(image.pixel(300, 300), kWhite)) << "circles are not filled";
    EXPECT_TRUE(IsColour(image.pixel(850, 150), kBlue));
    EXPECT_TRUE(IsColour(image.pixel(800, 650), kRed, 8));
    EXPECT_TRUE(IsColour(image.pixel(850, 650), kWhite)) << "outlines are not filled";
    EXPECT_TRUE(IsColour(image.pixel(100, 800), kRed)) << "the point is one pixel";
    EXPECT_TRUE(IsColour(image.pixel(101, 800), kWhite));
    EXPECT_TRUE(IsColour(image.pixel(100, 801), kWhite));

    // Pen widths are device pixels at every scale: five rows of the line are covered.
    for (const int scale : {1, 2}) {
        const QImage scaled = RenderPage(list, kWindowPage, QSize(1200 * scale, 900 * scale), kWhite);
        int rows = 0;
        for (int y = 700 * scale - 6; y <= 700 * scale + 6; ++y)
            rows += IsColour(scaled.pixel(300 * scale, y), kBlue);
        EXPECT_EQ(rows, 4) << scale; // four whole rows and two half-covered ones
    }
}

TEST_F(PageRenderer, TextStandsBelowAndRightOfItsPoint) {
    DisplayList list;
    list.SetFont(Font{"Arial", 40 * kPageUnitsPerPoint, true});
    list.SetTextColour(kBlue);
    list.MoveTo(6000, 4500);
    list.Print("HHH");
    const QImage image = RenderPage(list, kWindowPage, QSize(1200, 900), kWhite);
    int left = 1200, top = 900, bottom = 0;
    for (int y = 0; y < 900; ++y) {
        for (int x = 0; x < 1200; ++x) {
            if (IsColour(image.pixel(x, y), kWhite)) continue;
            left = std::min(left, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    // 40 points at 0.1 pixel per page unit: a cell 80 pixels high, capitals about 57.
    EXPECT_GE(left, 600);
    EXPECT_LE(left, 610);
    EXPECT_GE(top, 450);
    EXPECT_LE(top, 470);
    EXPECT_NEAR(bottom - top, 57, 4);
}

TEST_F(PageRenderer, CoordinatesThatCannotBeDrawnAreSkipped) {
    constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
    constexpr float kInf = std::numeric_limits<float>::infinity();
    DisplayList plain;
    plain.Line(1000, 1000, 5000, 1000, kRed);
    DisplayList spoiled;
    spoiled.Circle(kNaN, 3000, 50, kRed);
    spoiled.Line(0, 0, kInf, 100, kRed);
    spoiled.Line(1000, 1000, 5000, 1000, kRed);
    spoiled.Arc(1000, 1000, kInf, kRed, 0, 1);
    spoiled.Point(kNaN, kNaN, kRed);
    spoiled.Print("x");
    const QImage expected = RenderPage(plain, kWindowPage, QSize(600, 450), kWhite);
    EXPECT_EQ(RenderPage(spoiled, kWindowPage, QSize(600, 450), kWhite), expected);

    // Far away but finite: nothing of it shows, and nothing hangs.
    DisplayList far;
    far.Line(1000, 1000, 5000, 1000, kRed);
    far.Circle(1e30f, 1e30f, 50, kRed);
    far.Circle(-3e9f, 4000, 50, kRed);
    EXPECT_EQ(RenderPage(far, kWindowPage, QSize(600, 450), kWhite), expected);
}

TEST_F(PageRenderer, CachedImageIsKeptUntilTheListOrTheSizeChanges) {
    DisplayList list;
    list.Line(1000, 1000, 5000, 1000, kRed);
    PageImageCache cache;
    const qint64 first = cache.Image(list, kWindowPage, QSize(600, 450), kWhite).cacheKey();
    EXPECT_EQ(cache.Image(list, kWindowPage, QSize(600, 450), kWhite).cacheKey(), first);

    list.SetPenWidth(3);
    list.Circle(3000, 3000, 100, kBlue);
    const QImage& changed = cache.Image(list, kWindowPage, QSize(600, 450), kWhite);
    EXPECT_NE(changed.cacheKey(), first);
    EXPECT_TRUE(IsColour(changed.pixel(150, 145), kBlue, 8)); // the top of the new circle

    list.Clear(); // painted over in place: nothing of the last drawing stays
    list.Circle(3000, 3000, 100, kBlue);
    EXPECT_TRUE(IsColour(cache.Image(list, kWindowPage, QSize(600, 450), kWhite).pixel(300, 50), kWhite));

    const QImage& resized = cache.Image(list, kWindowPage, QSize(800, 600), kWhite);
    EXPECT_EQ(resized.size(), QSize(800, 600));
    const qint64 third = resized.cacheKey();
    EXPECT_NE(cache.Image(list, kWindowPage, QSize(800, 600), 0xFFFFF4).cacheKey(), third);
}

// How many pixels two renderings of the same list differ in, at all and clearly (by more than
// a quarter of the full scale in some channel).
struct Difference {
    double any;
    double clear;
};

Difference Compare(const QImage& a, const QImage& b) {
    long any = 0, clear = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            if (p == q) continue;
            ++any;
            const int most = std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                                       std::abs(qBlue(p) - qBlue(q))});
            if (most > 64) ++clear;
        }
    }
    const double pixels = static_cast<double>(a.width()) * a.height();
    return {static_cast<double>(any) / pixels, static_cast<double>(clear) / pixels};
}

constexpr RenderOptions kOneByOne{1, false, false};

TEST_F(PageRenderer, StampedCirclesLookLikePaintedOnes) {
    // A dense pile of small circles over a red line, and a sparse row running off the page.
    DisplayList list;
    list.Line(0, 4100, 12000, 4100, kRed);
    list.SetPenWidth(1);
    for (int i = 0; i < 3000; ++i) {
        const float x = 5000 + 7.3f * static_cast<float>(i % 61) - 0.37f * static_cast<float>(i / 61);
        list.Circle(x, 4000 + 4.7f * static_cast<float>(i / 61), 20, 0x66CC00);
    }
    for (int i = 0; i < 100; ++i)
        list.Circle(11000 + 37.3f * static_cast<float>(i), 7000, 20, 0x66CC00);
    const QImage stamped = RenderPage(list, kWindowPage, QSize(1200, 900), kWhite);
    const QImage painted = RenderPage(list, kWindowPage, QSize(1200, 900), kWhite, kOneByOne);
    const Difference d = Compare(stamped, painted);
    EXPECT_LT(d.any, 0.002);
    EXPECT_LT(d.clear, 0.0001);
    // Where the circles pile up the pixel takes their colour, line or no line.
    EXPECT_TRUE(IsColour(stamped.pixel(522, 410), 0x66CC00, 4));
    EXPECT_TRUE(IsColour(painted.pixel(522, 410), 0x66CC00, 4));
}

TEST_F(PageRenderer, DenseFanPaintsWhatItsLinesPaint) {
    // The chart's blanked r = 5 disc: 1800 white spokes of pen 3 over the grid.
    DisplayList list;
    DrawGrid(list, ChartView{9000, 5000, 1, 1}, 0.75f);
    const QImage filled = RenderPage(list, kWindowPage, QSize(1200, 900), kWhite);
    const QImage stroked = RenderPage(list, kWindowPage, QSize(1200, 900), kWhite, kOneByOne);
    const Difference d = Compare(filled, stroked);
    EXPECT_LT(d.any, 0.001);
    EXPECT_LT(d.clear, 0.0002);
    // Inside the disc only the axis and the emphasised arcs remain: its centre right of the axis is white.
    EXPECT_TRUE(IsColour(filled.pixel(1087, 494), kWhite));
}

// A clip keeps everything but its area's free part untouched, set once or again after clearing,
// and the stamped circles of a region honour it as the painted ones do.
TEST_F(PageRenderer, ClipsHoldForLinesTextsAndStampedCircles) {
    const PageRect hole{5000, 3000, 7000, 6000};
    DisplayList list;
    list.SetFont(Font{"Arial", 400, false});
    for (int pass = 0; pass < 2; ++pass) {
        list.SetClip({0, 850, 12000, 9000}, std::span<const PageRect>(&hole, 1));
        list.SetPenWidth(3);
        list.Line(0, 500, 12000, 500, kRed);   // above the area
        list.Line(0, 4500, 12000, 4500, kRed); // through the hole
        list.SetPenWidth(1);
        list.MoveTo(8000, 100);
        list.Print("above the area");
        for (int i = 0; i < 200; ++i) // a run long enough to be stamped, across the hole's edge
            list.Circle(4000 + 15 * static_cast<float>(i), 5000, 20, 0x66CC00);
        list.ClearClip();
    }
    const PageRect all{0, 0, 12000, 9000}; // a clip with nothing left to draw in
    list.SetClip(all, std::span<const PageRect>(&all, 1));
    for (int i = 0; i < 100; ++i)
        list.Circle(1000 + 15 * static_cast<float>(i), 8000, 20, 0x66CC00);
    list.ClearClip();
    for (const RenderOptions& options : {RenderOptions{}, kOneByOne}) {
        const QImage image = RenderPage(list, kWindowPage, QSize(1200, 900), kWhite, options);
        EXPECT_TRUE(IsColour(image.pixel(300, 50), kWhite)) << "the line above the area";
        EXPECT_TRUE(IsColour(image.pixel(600, 450), kWhite)) << "the line in the hole";
        EXPECT_TRUE(IsColour(image.pixel(300, 450), kRed, 8)) << "the line outside the hole";
        int textPixels = 0;
        for (int x = 800; x < 1200; ++x)
            textPixels += IsColour(image.pixel(x, 25), kWhite) ? 0 : 1;
        EXPECT_EQ(textPixels, 0) << "the text above the area";
        EXPECT_TRUE(IsColour(image.pixel(450, 498), 0x66CC00, 60)) << "circles outside the hole";
        EXPECT_TRUE(IsColour(image.pixel(650, 498), kWhite)) << "circles under the hole";
        EXPECT_TRUE(IsColour(image.pixel(150, 798), kWhite)) << "circles under an empty clip";
    }
}

// Qt's SVG writer drops clips, so the renderer keeps to them itself: nothing outside the area or
// in its hole, and of what crosses their edges the part inside.
TEST_F(PageRenderer, SvgKeepsToTheClip) {
    const PageRect hole{5000, 4000, 7000, 6000};
    DisplayList list;
    list.SetClip({0, 3000, 12000, 9000}, std::span<const PageRect>(&hole, 1));
    list.SetPenWidth(5);
    list.Line(0, 1000, 12000, 1000, kRed); // above the area
    list.Line(0, 5000, 12000, 5000, kRed); // through the hole
    list.Circle(3000, 3000, 500, kBlue);   // across the area's top edge
    list.SetFont(Font{"Arial", 600, true});
    list.MoveTo(4500, 4500);
    list.Print("MMMMMMMM"); // into the hole
    QSvgRenderer svg(PageSvg(list, kWindowPage, QSize(1200, 900), kWhite));
    QImage image(1200, 900, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        svg.render(&painter);
    }
    int outside = 0, inHole = 0, text = 0;
    for (int y = 0; y < 900; ++y) {
        for (int x = 0; x < 1200; ++x) {
            const int drawn = IsColour(image.pixel(x, y), kWhite) ? 0 : 1;
            outside += y < 299 ? drawn : 0;
            inHole += x > 500 && x < 699 && y > 400 && y < 599 ? drawn : 0;
            text += x < 499 && y > 450 && y < 490 ? drawn : 0;
        }
    }
    EXPECT_EQ(outside, 0);
    EXPECT_EQ(inHole, 0);
    EXPECT_GT(text, 100) << "the text left of the hole";
    EXPECT_TRUE(IsColour(image.pixel(300, 500), kRed, 8)) << "the line left of the hole";
    EXPECT_TRUE(IsColour(image.pixel(300, 350), kBlue, 8)) << "the circle's lower half";
}

// An area of rings fills what its outer ring holds but its hole (which runs the other way round),
// in a picture and in an SVG drawing cut to a clip alike.
TEST_F(PageRenderer, RingsFillTheirAreaButItsHoles) {
    const std::array<PagePoint, 8> points{{{2000, 2000},
                                           {2000, 7000},
                                           {8000, 7000},
                                           {8000, 2000}, // outer
                                           {4000, 4000},
                                           {6000, 4000},
                                           {6000, 5000},
                                           {4000, 5000}}}; // hole
    const std::array<std::uint32_t, 2> ends{4, 8};
    DisplayList list;
    list.SetClip({0, 0, 7000, 9000}, {});
    list.FilledRings(points, ends, kBlue);
    list.ClearClip();
    QSvgRenderer svg(PageSvg(list, kWindowPage, QSize(1200, 900), kWhite));
    QImage fromSvg(1200, 900, QImage::Format_RGB32);
    fromSvg.fill(Qt::white);
    {
        QPainter painter(&fromSvg);
        svg.render(&painter);
    }
    for (const QImage& image : {RenderPage(list, kWindowPage, QSize(1200, 900), kWhite), fromSvg}) {
        EXPECT_TRUE(IsColour(image.pixel(300, 300), kBlue, 8));
        EXPECT_TRUE(IsColour(image.pixel(500, 450), kWhite, 8)) << "in the hole";
        EXPECT_TRUE(IsColour(image.pixel(750, 450), kWhite, 8)) << "beyond the clip";
        EXPECT_TRUE(IsColour(image.pixel(100, 100), kWhite, 8));
    }
}

// The page's text widths, worked out without Qt for its layouts, agree with what Qt draws.
TEST_F(PageRenderer, TextMetricsAgreeWithTheDrawnFaces) {
    const char* texts[] = {"Network:",
                           "L1: 1000 nH",
                           "+j47.01322  ( 526.929 nH )",
                           "Vorelin - Results Page",
                           "SWR 3, return loss 6.021 dB",
                           "|Γ| 0.5 ∠ -90°, |Z| 50 Ω"};
    for (const Font& font :
         {Font{"Arial", 240, false}, Font{"MS Sans Serif", 240, true}, Font{"Times New Roman", 360, true}}) {
        QFont qfont(QString::fromUtf8(font.family.data(), static_cast<qsizetype>(font.family.size())));
        qfont.setBold(font.bold);
        qfont.setPixelSize(static_cast<int>(font.size));
        const QFontMetricsF metrics(qfont);
        for (const char* text : texts) {
            EXPECT_NEAR(TextWidth(font, text), metrics.horizontalAdvance(QString::fromUtf8(text)),
                        0.02 * TextWidth(font, text) + 2)
                << font.family << " " << text;
        }
        EXPECT_NEAR(TextHeight(font), metrics.ascent() + metrics.descent(),
                    0.05 * static_cast<double>(font.size));
    }
}

// Region loads beyond r = 5 leave their green where they map, over the blanked disc.
TEST_F(PageRenderer, RegionStaysVisibleInsideTheFiveDisc) {
    const Entries entries = test::MakeEntries(8, 14.2e6f, 50, {.c2 = 100e-12f, .l1 = 2.2e-6f, .l3 = 1.5e-6f});
    DisplayList page;
    DrawResultsPicture(page, AnalyseLoad(entries, 0.2f), 0.75f);
    const QImage image = RenderPage(page, kWindowPage, QSize(1200, 900), kWhite);
    const ChartFrame frame = ResultsFrame({9000, 5000, 1, 1}, 0.75f);
    int beyond = 0, green = 0;
    SweepTolerance(entries, 0.2f, [&](const SweepPoint& p) {
        if (p.nominal || p.loadR <= 250 || (++beyond % 97) != 0) return;
        const PagePoint at = MapLoad(p.loadR, p.loadX, 50, frame);
        // Somewhere on the ring of radius 20 around the point (2 pixels) the green shows.
        bool seen = false;
        for (int dx = -3; dx <= 3 && !seen; ++dx) {
            for (int dy = -3; dy <= 3 && !seen; ++dy)
                seen =
                    IsColour(image.pixel(static_cast<int>(at.x / 10) + dx, static_cast<int>(at.y / 10) + dy),
                             0x66CC00, 90);
        }
        // What the final mark and the label "5" (with its white box) cover is not asked for.
        const PagePoint nominal = MapLoad(251.709808f, 46.8894043f, 50, frame);
        const bool underMark = std::hypot(at.x - nominal.x, at.y - nominal.y) < 80;
        const bool underLabel = at.x > 10440 && at.x < 10600 && at.y > 4920 && at.y < 5120;
        green += seen || underMark || underLabel ? 1 : 0;
    });
    EXPECT_GT(beyond, 30000);
    EXPECT_EQ(green, beyond / 97);
}

// However it is zoomed, panned or stretched, the results page's chart changes no pixel outside its
// area (so the window may paint that area alone, to the same pixels); panned wholly out of it, the
// chart leaves there only the words that bring it back.
TEST_F(PageRenderer, AViewChangeChangesNothingOutsideTheChartsArea) {
    const Entries entries =
        test::MakeEntries(8, 14.2e6f, 50, {.c2 = 67.48e-12f, .l1 = 328.6e-9f, .l3 = 1.522e-6f});
    ResultsScratch scratch;
    const LoadAnalysis model = AnalyseLoad(entries, 0.2f);
    DisplayList page;
    PageImageCache window; // paints only the chart's area again at a view change, as the page's window does
    const auto render = [&](const ChartView& view, float aspect, bool* away = nullptr) {
        page.Clear();
        DrawResultsPage(page, model, {view, aspect, kNominalDot, ResultsDrawing::RegionChosen, true},
                        scratch);
        if (away != nullptr)
            *away = std::ranges::any_of(page.Primitives(), [&](const Primitive& p) {
                return p.op == Op::Text && page.TextOf(p) == kChartAwayText;
            });
        return RenderPage(page, kWindowPage, QSize(1200, 900), kWhite);
    };
    bool away = true;
    const QImage home = render({9000, 5000, 1, 1}, 0.75f, &away);
    EXPECT_FALSE(away);
    window.Image(page, kWindowPage, QSize(1200, 900), kWhite);
    // The area's pixels at a tenth of a pixel a page unit.
    const QRect area(static_cast<int>(kResultsChartArea.left / 10),
                     static_cast<int>(kResultsChartArea.top / 10), 1200, 900);
    const struct {
        const char* name;
        ChartView view;
        float aspect;
    } kViews[] = {
        {"larger three times, left five times", {6500, 5000, 1.331f, 1.331f}, 0.75f},
        {"larger three times, down six times", {9000, 8000, 1.331f, 1.331f}, 0.75f},
        {"largest, over the schematic", {2000, 2000, 5, 5}, 0.75f},
        {"smallest, widest", {9000, 5000, 0.6f, 0.6f}, 1.5f},
        {"panned away", {30000, 5000, 1, 1}, 0.75f},
    };
    for (const auto& v : kViews) {
        const QImage moved = render(v.view, v.aspect, &away);
        int changed = 0, inkInArea = 0, redInArea = 0;
        for (int y = 0; y < home.height(); ++y) {
            for (int x = 0; x < home.width(); ++x) {
                if (area.contains(x, y)) {
                    inkInArea += qGray(moved.pixel(x, y)) < 128 ? 1 : 0;
                    redInArea += IsColour(moved.pixel(x, y), kGridEmphasisColour, 60) ? 1 : 0;
                } else {
                    changed += moved.pixel(x, y) != home.pixel(x, y) ? 1 : 0;
                }
            }
        }
        EXPECT_EQ(changed, 0) << v.name;
        EXPECT_EQ(
            Compare(window.Image(page, kWindowPage, QSize(1200, 900), kWhite, kResultsChartArea), moved).any,
            0)
            << v.name;
        const bool far = std::string_view(v.name) == "panned away";
        EXPECT_EQ(away, far) << v.name;
        if (far) {
            EXPECT_EQ(redInArea, 0);
            EXPECT_GT(inkInArea, 50); // the words
        }
    }
}

} // namespace
} // namespace vorelin
