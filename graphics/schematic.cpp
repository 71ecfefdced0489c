#include "graphics/schematic.h"

#include "core/engineering_value.h"
#include "core/number_text.h"
#include "core/readout.h"
#include "core/topology.h"
#include "graphics/page_layout.h"
#include "graphics/whole_number.h"

#include <array>
#include <numbers>
#include <span>
#include <string_view>

namespace vorelin {

namespace {

float Offset(float base, double by) { return static_cast<float>(static_cast<double>(base) + by); }

struct LabelOffset {
    float dx, dy;
};

// How one part of a network is labelled: its name on a thumbnail and its value on paper, each at
// an offset from the anchor before its symbol; on the results page at a fixed place.
struct PartLabels {
    LabelOffset thumbnail;
    LabelOffset printed;
    LabelPlace results;
};

// The drawing of a network: an optional Wire before and after its parts (whose symbols follow
// from their placement and kind), the width of its thumbnail's box, and its labels in position
// order. Together with the topology table of the core this is everything a page draws of it.
struct NetworkDrawing {
    bool wireBefore;
    bool wireAfter;
    std::array<PartLabels, 3> labels;
};

constexpr std::array<NetworkDrawing, kTopologyCount> kNetworks{{
    {false, true, {{{{400, 100}, {200, -400}, {2200, 1600}}, {{-100, 400}, {-200, 1200}, {2600, 3200}}}}},
    {false, true, {{{{600, 400}, {-100, 1200}, {2200, 3200}}, {{400, 100}, {200, -400}, {2800, 1600}}}}},
    {false, true, {{{{500, 600}, {-200, 1200}, {2200, 3200}}, {{100, 200}, {200, -400}, {2100, 1600}}}}},
    {true, false, {{{{100, 200}, {200, -400}, {2100, 1600}}, {{0, 600}, {-100, 1200}, {2300, 3200}}}}},
    {false,
     true,
     {{{{400, 100}, {200, -400}, {2200, 1600}},
       {{-100, 400}, {-200, 1200}, {2800, 3200}},
       {{400, 100}, {200, -400}, {3700, 1600}}}}},
    {true,
     true,
     {{{{100, 200}, {100, -400}, {2100, 1600}},
       {{0, 600}, {-200, 1200}, {2300, 3200}},
       {{100, 200}, {100, -400}, {3000, 1600}}}}},
    {true,
     true,
     {{{{600, 400}, {-100, 1200}, {2200, 3200}},
       {{400, 100}, {200, -400}, {2900, 1600}},
       {{-100, 400}, {-100, 1200}, {3400, 3200}}}}},
    {true,
     true,
     {{{{500, 600}, {-200, 1200}, {2100, 3200}},
       {{100, 200}, {100, -400}, {2600, 1600}},
       {{0, 600}, {-200, 1200}, {3100, 3200}}}}},
}};

// The thumbnails: anchor, box width and click area. The click areas lie a little inside the
// drawn boxes (a box spans y - 200 to y + 1200); the middle row's is only 1000 high.
constexpr std::array<Thumbnail, kTopologyCount> kThumbnails{{
    {4500, 2500, 1750, 4500, 2500, 6250, 3600},
    {6500, 2500, 1750, 6500, 2500, 8200, 3600},
    {8500, 2500, 1150, 8500, 2500, 9600, 3600},
    {9900, 2500, 1150, 9900, 2500, 11000, 3600},
    {4500, 4000, 2700, 4500, 4000, 7200, 5000},
    {8000, 4000, 1700, 8000, 4000, 9600, 5000},
    {4500, 5500, 2550, 4500, 5500, 7000, 6600},
    {7700, 5500, 2000, 7700, 5500, 9700, 6600},
}};

const NetworkDrawing& DrawingOf(int topology) { return kNetworks[static_cast<std::size_t>(topology - 1)]; }

struct Vertex {
    float dx, dy;
};

// The source resistance drawn as a zigzag in the signal rail, ending at the generator's right end.
constexpr std::array<Vertex, 8> kScreenSourceResistor{
    {{350, -60}, {410, 60}, {470, -60}, {530, 60}, {590, -60}, {650, 60}, {680, 0}, {1050, 0}}};
constexpr std::array<Vertex, 8> kPrintedSourceResistor{
    {{950, -60}, {1010, 60}, {1070, -60}, {1130, 60}, {1190, -60}, {1250, 60}, {1290, 0}, {1650, 0}}};
// The load resistor from the signal rail down to ground; the steps are 30, 60, 60, 70, 50, 60, 30.
constexpr std::array<Vertex, 8> kLoadResistor{
    {{60, 350}, {-60, 410}, {60, 470}, {-60, 540}, {60, 590}, {-60, 650}, {0, 680}, {0, 1040}}};

constexpr Colour kGenTextPoint = 0xFFFFC0;
constexpr Colour kGenHeadingPoint = 0xFFFFFF;
constexpr int kPrintedPen = 10;

} // namespace

Colour Schematic::Stroke() const { return m_page == SchematicPage::Opening ? kOpeningStroke : 0; }

void Schematic::Line(const Anchor& at, float dx1, float dy1, float dx2, float dy2, Colour colour) {
    m_surface.Line(Offset(at.X, static_cast<double>(dx1)), Offset(at.Y, static_cast<double>(dy1)),
                   Offset(at.X, static_cast<double>(dx2)), Offset(at.Y, static_cast<double>(dy2)), colour);
}

void Schematic::ContinueTo(const Anchor& at, float dx, float dy, Colour colour) {
    m_surface.ContinueTo(Offset(at.X, static_cast<double>(dx)), Offset(at.Y, static_cast<double>(dy)),
                         colour);
}

void Schematic::Arc(const Anchor& at, float dx, float dy, float radius, double start, double end,
                    Colour colour) {
    m_surface.Arc(Offset(at.X, static_cast<double>(dx)), Offset(at.Y, static_cast<double>(dy)), radius,
                  colour, start, end);
}

void Schematic::Wires(Anchor& at, int count) {
    for (int i = 0; i < count; ++i)
        Wire(at);
}

void Schematic::Wire(Anchor& at) {
    Line(at, 0, 0, 160, 0, Stroke());
    Line(at, 0, kGroundRail, 160, kGroundRail, Stroke());
    at.X = Offset(at.X, 160);
}

void Schematic::LongWire(Anchor& at) {
    Line(at, 0, 0, 360, 0, Stroke());
    Line(at, 0, kGroundRail, 360, kGroundRail, Stroke());
    at.X = Offset(at.X, 360);
}

void Schematic::SeriesL(Anchor& at) {
    const int wires = m_page == SchematicPage::Printer ? 2 : 1;
    Wires(at, wires);
    // Only the start of the ground rail under the coil is a whole number.
    const float groundStart = RoundHalfEven(at.X);
    Line(at, 0, 0, 80, 0, Stroke());
    for (int turn = 1; turn <= 3; ++turn)
        Arc(at, static_cast<float>(160 * turn), 0, 80, 0, std::numbers::pi, Stroke());
    at.X = Offset(at.X, 560);
    Line(at, 0, 0, 80, 0, Stroke());
    at.X = Offset(at.X, 80);
    const float rail = Offset(at.Y, static_cast<double>(kGroundRail));
    m_surface.Line(groundStart, rail, at.X, rail, Stroke());
    Wires(at, wires);
}

void Schematic::ShuntL(Anchor& at) {
    const Colour coil = m_page == SchematicPage::Opening ? Stroke() : kShuntInductorColour;
    Wires(at, 2);
    Line(at, 0, 0, 0, 280, coil);
    const double pi = std::numbers::pi;
    for (int turn = 1; turn <= 3; ++turn)
        Arc(at, 0, static_cast<float>(200 + 160 * turn), 80, 3 * pi / 2, pi / 2, coil);
    Line(at, 0, 760, 0, kGroundRail, coil);
    Wires(at, 2);
}

void Schematic::SeriesC(Anchor& at) {
    const int wires = m_page == SchematicPage::Printer ? 2 : 0;
    Wires(at, wires);
    Line(at, 0, 0, 160, 0, Stroke());
    Line(at, 160, -120, 160, 120, Stroke());
    Line(at, 224, -120, 224, 120, Stroke());
    Line(at, 224, 0, 360, 0, Stroke());
    Line(at, 0, kGroundRail, 360, kGroundRail, Stroke());
    at.X = Offset(at.X, 360);
    Wires(at, wires);
}

void Schematic::ShuntC(Anchor& at) {
    if (m_page == SchematicPage::Printer) m_surface.SetPenWidth(kPrintedPen);
    Wires(at, 2);
    Line(at, 0, 0, 0, 480, Stroke());
    Line(at, -120, 480, 120, 480, Stroke());
    Line(at, -120, 540, 120, 540, Stroke());
    Line(at, 0, 540, 0, kGroundRail, Stroke());
    Wires(at, 2);
}

void Schematic::Gen(Anchor& at) {
    if (m_page == SchematicPage::Printer) {
        PrintedGen(at);
    } else {
        ScreenGen(at);
    }
}

void Schematic::ScreenGen(Anchor& at) {
    const Colour stroke = Stroke();
    // The circle stays open by a sliver at the right (it ends at 6.2, not 2 pi).
    Arc(at, 230, 480, 190, 0, 6.2, stroke);
    Line(at, 240, 685, 240, kGroundRail, stroke);
    ContinueTo(at, 640, kGroundRail, stroke);
    Line(at, 240, 280, 240, 0, stroke);
    ContinueTo(at, 320, 0, stroke);
    for (const Vertex& v : kScreenSourceResistor)
        ContinueTo(at, v.dx, v.dy, stroke);
    Line(at, 240, kGroundRail, 1050, kGroundRail, stroke);
    // Two half waves make the S-shaped sine inside the circle.
    Arc(at, 170, 480, 60, 0, 3.2, stroke);
    Arc(at, 290, 480, 60, 3.1, 6.2, stroke);
    at.X = Offset(at.X, 1050);

    if (m_page == SchematicPage::Results) {
        // At fixed places of the page, left of the schematic.
        m_surface.Point(1000, 3900, kGenTextPoint);
        m_surface.Print("System impedance: " + PlainText(m_entries.Impedance) + " ohms");
        m_surface.Point(1000, 3200, kGenHeadingPoint);
        m_surface.Print("Test freq:");
        m_surface.Point(1000, 3400, kGenTextPoint);
        m_surface.Print(FormatValue(m_entries.Frequency));
    }
}

void Schematic::PrintedGen(Anchor& at) {
    const Colour stroke = Stroke();
    m_surface.SetPenWidth(kPrintedPen);
    Arc(at, 230, 480, 190, 0, 6.2, stroke);
    Arc(at, 170, 480, 60, 0, 3.2, stroke);
    Arc(at, 290, 480, 60, 3.1, 6.2, stroke);
    Line(at, 240, 685, 240, kGroundRail, stroke);
    ContinueTo(at, 870, kGroundRail, stroke);
    Line(at, 240, 280, 240, 0, stroke);
    ContinueTo(at, 920, 0, stroke);
    for (const Vertex& v : kPrintedSourceResistor)
        ContinueTo(at, v.dx, v.dy, stroke);
    Line(at, 340, kGroundRail, 1650, kGroundRail, stroke);
    // The frequency stands below the generator at a fixed x, the impedance above the resistance.
    m_surface.MoveTo(1600, Offset(at.Y, 1200));
    m_surface.Print("Test freq:");
    m_surface.MoveTo(1600, Offset(at.Y, 1500));
    m_surface.Print(FormatFrequency(m_entries.Frequency));
    m_surface.MoveTo(Offset(at.X, 920), Offset(at.Y, -400));
    m_surface.Print(PrintText(m_entries.Impedance));
    at.X = Offset(at.X, 1650);
    Wire(at);
}

void Schematic::Resistor(const Anchor& at) {
    Line(at, 0, 0, 0, 320, Stroke());
    for (const Vertex& v : kLoadResistor)
        ContinueTo(at, v.dx, v.dy, Stroke());
}

void Schematic::Load(Anchor& at) {
    const float reactance = m_loadX;
    switch (m_page) {
    case SchematicPage::Opening:
        Wire(at);
        break;
    case SchematicPage::Printer:
        m_surface.SetPenWidth(kPrintedPen);
        if (reactance > 0) {
            SeriesL(at);
        } else if (reactance < 0) {
            SeriesC(at);
        } else {
            LongWire(at);
        }
        Wires(at, 2);
        break;
    case SchematicPage::Entries:
    case SchematicPage::Results:
        if (reactance > 0) {
            SeriesL(at);
        } else if (reactance < 0) {
            SeriesC(at);
        } else {
            Wire(at);
        }
        Wire(at);
        break;
    }
    Resistor(at);
}

void Schematic::DrawNetwork(int topology, Anchor& at) {
    if (!IsKnownTopology(topology)) return;
    const NetworkDrawing& drawing = DrawingOf(topology);
    if (m_page == SchematicPage::Entries) {
        const Colour box = m_entries.Topology == topology ? kThumbnailHighlight : kThumbnailBackground;
        m_surface.FilledBox(at.X, Offset(at.Y, -200),
                            Offset(at.X, static_cast<double>(ThumbnailOf(topology).boxWidth)),
                            Offset(at.Y, 1200), box);
    }
    if (drawing.wireBefore) Wire(at);
    const auto parts = PartsOf(topology);
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const PartSlot& part = parts[i];
        const PartLabels& label = drawing.labels[i];
        if (m_page == SchematicPage::Entries) {
            m_surface.Point(Offset(at.X, static_cast<double>(label.thumbnail.dx)),
                            Offset(at.Y, static_cast<double>(label.thumbnail.dy)), kThumbnailHighlight);
            m_surface.Print(part.name);
        } else if (m_page == SchematicPage::Printer) {
            const std::string text = PartValueText(m_entries.*part.value, part.kind);
            const PagePoint wanted{Offset(at.X, static_cast<double>(label.printed.dx)),
                                   Offset(at.Y, static_cast<double>(label.printed.dy))};
            const std::optional<PagePoint> place =
                m_placer != nullptr ? m_placer->Place(wanted, text, m_surface.CurrentFont()) : wanted;
            if (place) {
                m_surface.MoveTo(place->x, place->y);
                m_surface.Print(text);
            }
        }
        const bool series = part.placement == Placement::Series;
        if (part.kind == PartKind::Inductor) {
            series ? SeriesL(at) : ShuntL(at);
        } else {
            series ? SeriesC(at) : ShuntC(at);
        }
    }
    if (drawing.wireAfter) Wire(at);
}

const Thumbnail& ThumbnailOf(int topology) { return kThumbnails[static_cast<std::size_t>(topology - 1)]; }

int ThumbnailAt(double x, double y) {
    for (int topology = kFirstTopology; topology <= kLastTopology; ++topology) {
        const Thumbnail& t = ThumbnailOf(topology);
        if (x > t.clickLeft && x < t.clickRight && y > t.clickTop && y < t.clickBottom) return topology;
    }
    return 0;
}

void DrawLibrary(Surface& surface, int chosen) {
    Entries highlight;
    highlight.Topology = static_cast<std::int16_t>(chosen);
    Schematic thumbnails(surface, highlight, 0, SchematicPage::Entries);
    surface.SetPenWidth(2);
    surface.SetFont(kThumbnailFont);
    surface.SetTextColour(0);
    for (int topology = kFirstTopology; topology <= kLastTopology; ++topology) {
        Anchor at{ThumbnailOf(topology).x, ThumbnailOf(topology).y};
        thumbnails.DrawNetwork(topology, at);
    }
}

ResultsSchematicEnds DrawResultsSchematic(Surface& surface, const Entries& entries, float loadX) {
    Schematic schematic(surface, entries, loadX, SchematicPage::Results);
    surface.SetPenWidth(2);
    Anchor at{kResultsSchematicX, kResultsSchematicY};
    schematic.Gen(at);
    surface.Line(Offset(at.X, -30), Offset(at.Y, -500), Offset(at.X, -30), Offset(at.Y, 1500), kPortMark);
    schematic.DrawNetwork(entries.Topology, at);
    surface.Line(at.X, Offset(at.Y, -500), at.X, Offset(at.Y, 1500), kPortMark);
    const float networkEnd = at.X;
    schematic.Wire(at);
    schematic.Load(at);
    return {networkEnd, at.X};
}

ResultsSchematicEnds ResultsSchematicExtent(int topology, float loadX) {
    // The screen's symbol widths: Wire 160, SeriesL 960, SeriesC 360, ShuntL and ShuntC 640.
    constexpr float kWire = 160, kSeriesL = 960, kSeriesC = 360, kShunt = 640, kGen = 1050;
    float x = kResultsSchematicX + kGen;
    if (IsKnownTopology(topology)) {
        const NetworkDrawing& drawing = DrawingOf(topology);
        if (drawing.wireBefore) x += kWire;
        for (const PartSlot& part : PartsOf(topology)) {
            if (part.placement == Placement::Shunt) {
                x += kShunt;
            } else {
                x += part.kind == PartKind::Inductor ? kSeriesL : kSeriesC;
            }
        }
        if (drawing.wireAfter) x += kWire;
    }
    const float networkEnd = x;
    x += kWire;
    x += loadX > 0 ? kSeriesL : loadX < 0 ? kSeriesC : kWire;
    x += kWire;
    return {networkEnd, x};
}

namespace {

// A symbol's body from its anchor, on the results page: a series coil's turns, a capacitor's
// plates, a shunt coil's turns.
PageRect BodyOf(const PartSlot& part, float x, float y) {
    const bool series = part.placement == Placement::Series;
    const auto at = [x, y](double left, double top, double right, double bottom) {
        return PageRect{Offset(x, left), Offset(y, top), Offset(x, right), Offset(y, bottom)};
    };
    if (part.kind == PartKind::Inductor) return series ? at(240, -80, 720, 0) : at(320, 280, 400, 760);
    return series ? at(160, -120, 224, 120) : at(200, 480, 440, 540);
}

} // namespace

ResultsSymbolBodies ResultsSymbols(int topology, float loadX) {
    constexpr double kWire = 160, kSeriesL = 960, kSeriesC = 360, kShunt = 640, kGen = 1050;
    const float y = kResultsSchematicY;
    float x = kResultsSchematicX;
    ResultsSymbolBodies bodies;
    bodies.others.push_back({Offset(x, 40), Offset(y, 290), Offset(x, 420), Offset(y, 670)});
    bodies.others.push_back({Offset(x, 320), Offset(y, -60), Offset(x, 680), Offset(y, 60)});
    x = Offset(x, kGen);
    if (IsKnownTopology(topology)) {
        const NetworkDrawing& drawing = DrawingOf(topology);
        if (drawing.wireBefore) x = Offset(x, kWire);
        for (const PartSlot& part : PartsOf(topology)) {
            bodies.parts.push_back(BodyOf(part, x, y));
            const bool inductor = part.kind == PartKind::Inductor;
            x = Offset(x, part.placement == Placement::Shunt ? kShunt : inductor ? kSeriesL : kSeriesC);
        }
        if (drawing.wireAfter) x = Offset(x, kWire);
    }
    x = Offset(x, kWire);
    if (loadX != 0) {
        const PartSlot leadIn{"", nullptr, loadX > 0 ? PartKind::Inductor : PartKind::Capacitor,
                              Placement::Series};
        bodies.leadIn = BodyOf(leadIn, x, y);
        bodies.others.push_back(bodies.leadIn);
        x = Offset(x, loadX > 0 ? kSeriesL : kSeriesC);
    } else {
        x = Offset(x, kWire);
    }
    x = Offset(x, kWire);
    bodies.resistor = {Offset(x, -60), Offset(y, 320), Offset(x, 60), Offset(y, 680)};
    bodies.others.push_back(bodies.resistor);
    return bodies;
}

LabelPlace ResultsLabelPlace(int topology, std::size_t position) {
    return DrawingOf(topology).labels[position].results;
}

} // namespace vorelin
