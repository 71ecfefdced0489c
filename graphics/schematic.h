#pragma once

#include "core/entries.h"
#include "graphics/style.h"
#include "graphics/surface.h"

#include <vector>

namespace vorelin {

class TextPlacer;

// The anchor a schematic is chained along: Y is the signal rail (the ground rail lies 1040
// below it) and is never changed; X is the left end of the next symbol, and every symbol moves
// it on by its own width.
struct Anchor {
    float X;
    float Y;
};

inline constexpr float kGroundRail = 1040; // below the signal rail

// Where a schematic is shown. The geometry is the same everywhere; the pages differ in colour,
// decoration and a few extras:
// - Entries: thumbnails with a background box (highlighted for the chosen topology) and part
//   names; strokes black, ShuntL strokes colour 15.
// - Results: symbols only; Gen prints the impedance and the test frequency at fixed places,
//   and Load starts with an inductor, a capacitor or a wire by the sign of LoadX.
// - Opening: every stroke blue; Load has a single Wire as lead-in; no pen width changes.
// - Printer: SeriesL and SeriesC with two Wires on each side, ShuntC at pen width 10, the
//   printed Gen with its texts, part values as labels, and a load whose lead-in is a LongWire
//   when LoadX is 0.
enum class SchematicPage { Entries, Results, Opening, Printer };

// The symbol routines of one page, drawing on one surface. They read the entries (Topology for
// the highlighted thumbnail, Impedance and Frequency for the generator's texts, the part values
// for the printed labels) and the load's reactance (the load's lead-in), and change nothing.
class Schematic {
public:
    Schematic(Surface& surface, const Entries& entries, float loadX, SchematicPage page)
        : m_surface(surface), m_entries(entries), m_loadX(loadX), m_page(page) {}
    // The routines keep a reference to the entries, so they must outlive them.
    Schematic(Surface& surface, const Entries&& entries, float loadX, SchematicPage page) = delete;

    // On paper: the part values are printed where `placer` puts them (when it is given; else at
    // their designed places).
    void PlaceLabelsWith(TextPlacer* placer) { m_placer = placer; }

    void Wire(Anchor& at);     // both rails, 160 long
    void SeriesL(Anchor& at);  // 960 (1280 on paper)
    void ShuntL(Anchor& at);   // 640
    void SeriesC(Anchor& at);  // 360 (1000 on paper)
    void ShuntC(Anchor& at);   // 640
    void Gen(Anchor& at);      // 1050 (1810 on paper, with its Wire)
    void LongWire(Anchor& at); // both rails, 360 long: the printed load's bare lead-in
    // The load: its lead-in, then the resistor zigzag from the signal rail to ground. X moves
    // only by the lead-in.
    void Load(Anchor& at);

    // The network of a topology (1 to 8) as the page shows it; nothing outside 1 to 8.
    void DrawNetwork(int topology, Anchor& at);

private:
    Colour Stroke() const;
    void Line(const Anchor& at, float dx1, float dy1, float dx2, float dy2, Colour colour);
    void ContinueTo(const Anchor& at, float dx, float dy, Colour colour);
    void Arc(const Anchor& at, float dx, float dy, float radius, double start, double end, Colour colour);
    void Wires(Anchor& at, int count);
    void Resistor(const Anchor& at);
    void ScreenGen(Anchor& at);
    void PrintedGen(Anchor& at);

    Surface& m_surface;
    const Entries& m_entries;
    float m_loadX;
    SchematicPage m_page;
    TextPlacer* m_placer = nullptr;
};

// A thumbnail of the entries page: the anchor its network is drawn from, the width of its
// background box, and the area (open intervals, page units) in which a click picks it.
struct Thumbnail {
    float x, y;
    float boxWidth;
    double clickLeft, clickTop, clickRight, clickBottom;
};

// The thumbnail of a topology (1 to 8).
const Thumbnail& ThumbnailOf(int topology);
// The topology whose click area holds a point of the page, or 0.
int ThumbnailAt(double x, double y);

// The entries page's eight thumbnails at their places, at pen width 2, the box of `chosen`
// highlighted. Clears nothing: the boxes paint over what was there.
void DrawLibrary(Surface& surface, int chosen);

// Where the results page's schematic ended: the network's output end (the readout column
// starts 200 to its right) and the anchor after the load's lead-in.
struct ResultsSchematicEnds {
    float networkEndX;
    float loadX;
};

inline constexpr float kResultsSchematicX = 1000;
inline constexpr float kResultsSchematicY = 2000;

// Where the results page's schematic ends, without drawing it.
ResultsSchematicEnds ResultsSchematicExtent(int topology, float loadX);

// The results page's schematic at pen width 2: the generator with its texts, the input port
// mark, the network of Topology, the output port mark, a Wire and the load, whose lead-in
// follows the sign of `loadX`.
ResultsSchematicEnds DrawResultsSchematic(Surface& surface, const Entries& entries, float loadX);

// The bodies of the results page's symbols (page units): each part's in position order, and the
// others: the generator's circle and its source resistance, the load's lead-in (when it is a
// part) and the load's resistor. Labels are told by them whose they are.
struct ResultsSymbolBodies {
    std::vector<PageRect> parts;
    std::vector<PageRect> others;
    PageRect leadIn{};   // empty (zero size) for a bare wire
    PageRect resistor{}; // the load's zigzag
};
ResultsSymbolBodies ResultsSymbols(int topology, float loadX);

// Where the results page puts a part's value label (page units, top-left) for a topology; the
// part is given by its position in the topology (0 for position 1).
struct LabelPlace {
    double left;
    double top;
};
LabelPlace ResultsLabelPlace(int topology, std::size_t position);

} // namespace vorelin
