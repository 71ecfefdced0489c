#include "graphics/schematic.h"

#include "core/engineering_value.h"
#include "core/number_text.h"
#include "core/readout.h"
#include "core/topology.h"
#include "graphics/whole_number.h"

#include <array>
#include <span>
#include <string_view>

namespace vorelin {

namespace {

float Offset(float base, double by) { return static_cast<float>(static_cast<double>(base) + by); }

using Symbol = void (Schematic::*)(Anchor&);

struct LabelOffset {
    float dx, dy;
};

// One symbol of a network drawing. A part symbol is preceded by its label: the part's name on
// a thumbnail, its value (from the network routine's copy) on paper.
struct NetworkStep {
    Symbol symbol;
    std::string_view name = {}; // empty for a bare Wire
    float Session::*copy = nullptr;
    LabelOffset thumbnail = {};
    LabelOffset printed = {};
};

struct NetworkDrawing {
    float boxWidth; // of the thumbnail's background box
    std::array<NetworkStep, 5> steps;
    std::size_t count;
};

constexpr NetworkStep kWire{&Schematic::Wire};

constexpr std::array<NetworkDrawing, 8> kNetworks{{
    {1750,
     {{{&Schematic::SeriesL, "L1", &Session::Net15L1, {400, 100}, {200, -400}},
       {&Schematic::ShuntC, "C2", &Session::Net15C2, {-100, 400}, {-200, 1200}},
       kWire}},
     3},
    {1750,
     {{{&Schematic::ShuntC, "C1", &Session::Net27C1, {600, 400}, {-100, 1200}},
       {&Schematic::SeriesL, "L2", &Session::Net27L2, {400, 100}, {200, -400}},
       kWire}},
     3},
    {1150,
     {{{&Schematic::ShuntL, "L1", &Session::Net38L1, {500, 600}, {-200, 1200}},
       {&Schematic::SeriesC, "C2", &Session::Net38C2, {100, 200}, {200, -400}},
       kWire}},
     3},
    {1150,
     {{kWire,
       {&Schematic::SeriesC, "C1", &Session::Net46C1, {100, 200}, {200, -400}},
       {&Schematic::ShuntL, "L2", &Session::Net46L2, {0, 600}, {-100, 1200}}}},
     3},
    {2700,
     {{{&Schematic::SeriesL, "L1", &Session::Net15L1, {400, 100}, {200, -400}},
       {&Schematic::ShuntC, "C2", &Session::Net15C2, {-100, 400}, {-200, 1200}},
       {&Schematic::SeriesL, "L3", &Session::Net15L3, {400, 100}, {200, -400}},
       kWire}},
     4},
    {1700,
     {{kWire,
       {&Schematic::SeriesC, "C1", &Session::Net46C1, {100, 200}, {100, -400}},
       {&Schematic::ShuntL, "L2", &Session::Net46L2, {0, 600}, {-200, 1200}},
       {&Schematic::SeriesC, "C3", &Session::Net46C3, {100, 200}, {100, -400}},
       kWire}},
     5},
    {2550,
     {{kWire,
       {&Schematic::ShuntC, "C1", &Session::Net27C1, {600, 400}, {-100, 1200}},
       {&Schematic::SeriesL, "L2", &Session::Net27L2, {400, 100}, {200, -400}},
       {&Schematic::ShuntC, "C3", &Session::Net27C3, {-100, 400}, {-100, 1200}},
       kWire}},
     5},
    {2000,
     {{kWire,
       {&Schematic::ShuntL, "L1", &Session::Net38L1, {500, 600}, {-200, 1200}},
       {&Schematic::SeriesC, "C2", &Session::Net38C2, {100, 200}, {100, -400}},
       {&Schematic::ShuntL, "L3", &Session::Net38L3, {0, 600}, {-200, 1200}},
       kWire}},
     5},
}};

struct LibraryPlace {
    float x, y;
};
constexpr std::array<LibraryPlace, 8> kLibraryPlaces{{{4500, 2500},
                                                      {6500, 2500},
                                                      {8500, 2500},
                                                      {9900, 2500},
                                                      {4500, 4000},
                                                      {8000, 4000},
                                                      {4500, 5500},
                                                      {7700, 5500}}};

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

PartKind KindOf(std::string_view name) {
    return name.front() == 'C' ? PartKind::Capacitor : PartKind::Inductor;
}

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
        Arc(at, static_cast<float>(160 * turn), 0, 80, 0, m_session.Pi, Stroke());
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
    const double pi = m_session.Pi;
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
        m_surface.Print("System impedance: " + PlainText(m_session.Impedance) + " ohms");
        m_surface.Point(1000, 3200, kGenHeadingPoint);
        m_surface.Print("Test freq:");
        m_surface.Point(1000, 3400, kGenTextPoint);
        m_surface.Print(FormatValue(m_session.Frequency));
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
    m_surface.Print(FormatFrequency(m_session.Frequency));
    m_surface.MoveTo(Offset(at.X, 920), Offset(at.Y, -400));
    m_surface.Print(PrintText(m_session.Impedance));
    at.X = Offset(at.X, 1650);
    Wire(at);
}

void Schematic::Resistor(const Anchor& at) {
    Line(at, 0, 0, 0, 320, Stroke());
    for (const Vertex& v : kLoadResistor)
        ContinueTo(at, v.dx, v.dy, Stroke());
}

void Schematic::Load(Anchor& at) {
    const float reactance = m_session.LoadX;
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
    const NetworkDrawing& drawing = kNetworks[static_cast<std::size_t>(topology - 1)];
    if (m_page == SchematicPage::Entries) {
        const Colour box = m_session.Topology == topology ? kThumbnailHighlight : kThumbnailBackground;
        m_surface.FilledBox(at.X, Offset(at.Y, -200), Offset(at.X, static_cast<double>(drawing.boxWidth)),
                            Offset(at.Y, 1200), box);
    }
    for (const NetworkStep& step : std::span(drawing.steps).first(drawing.count)) {
        if (!step.name.empty() && m_page == SchematicPage::Entries) {
            m_surface.Point(Offset(at.X, static_cast<double>(step.thumbnail.dx)),
                            Offset(at.Y, static_cast<double>(step.thumbnail.dy)), kThumbnailHighlight);
            m_surface.Print(step.name);
        } else if (!step.name.empty() && m_page == SchematicPage::Printer) {
            m_surface.MoveTo(Offset(at.X, static_cast<double>(step.printed.dx)),
                             Offset(at.Y, static_cast<double>(step.printed.dy)));
            m_surface.Print(PartValueText(m_session.*step.copy, KindOf(step.name)));
        }
        (this->*step.symbol)(at);
    }
}

void DrawLibrary(Surface& surface, const Session& session) {
    Schematic thumbnails(surface, session, SchematicPage::Entries);
    surface.SetPenWidth(2);
    for (int topology = kFirstTopology; topology <= kLastTopology; ++topology) {
        const LibraryPlace& place = kLibraryPlaces[static_cast<std::size_t>(topology - 1)];
        Anchor at{place.x, place.y};
        thumbnails.DrawNetwork(topology, at);
    }
}

ResultsSchematicEnds DrawResultsSchematic(Surface& surface, const Session& session) {
    Schematic schematic(surface, session, SchematicPage::Results);
    surface.SetPenWidth(2);
    Anchor at{kResultsSchematicX, kResultsSchematicY};
    schematic.Gen(at);
    surface.Line(Offset(at.X, -30), Offset(at.Y, -500), Offset(at.X, -30), Offset(at.Y, 1500), kPortMark);
    schematic.DrawNetwork(session.Topology, at);
    surface.Line(at.X, Offset(at.Y, -500), at.X, Offset(at.Y, 1500), kPortMark);
    const float networkEnd = at.X;
    schematic.Wire(at);
    schematic.Load(at);
    return {networkEnd, at.X};
}

} // namespace vorelin
