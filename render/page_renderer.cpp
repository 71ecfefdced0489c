#include "render/page_renderer.h"

#include "graphics/page_layout.h"
#include "render/circle_stamp.h"
#include "render/vector_state.h"

#include <QBuffer>
#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QLineF>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QPen>
#include <QPolygonF>
#include <QRegion>
#include <QString>
#include <QSvgGenerator>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>
#include <span>
#include <vector>

namespace vorelin {

namespace {

// Text drawn before any font size was set uses the size of a window's default font, 8.25 points.
constexpr float kDefaultFontSize = 8.25f * kPageUnitsPerPoint;
constexpr double kDegreesPerRadian = 180 / std::numbers::pi;

bool Finite(float value) { return std::isfinite(value); }

// Whether the coordinates a primitive uses can be drawn at all.
bool Drawable(const Primitive& p) {
    switch (p.op) {
    case Op::Line:
    case Op::Continue:
    case Op::FilledBox:
    case Op::BoxOutline:
        return Finite(p.x1) && Finite(p.y1) && Finite(p.x2) && Finite(p.y2);
    case Op::Arc:
        return Finite(p.centreX) && Finite(p.centreY) && Finite(p.radius) && std::isfinite(p.start) &&
               std::isfinite(p.end);
    case Op::Circle:
        return Finite(p.centreX) && Finite(p.centreY) && Finite(p.radius);
    case Op::Point:
    case Op::Text:
        return Finite(p.x1) && Finite(p.y1);
    case Op::Clip:
        return true;
    case Op::Rings:
        return true; // each of its points is checked as it is painted
    }
    return false;
}

bool SameStroke(const Primitive& a, const Primitive& b) {
    return a.colour == b.colour && a.penWidth == b.penWidth;
}

// Whether two rectangles share some area; whether one lies within the other. Inline, unlike
// QRectF's: a region's many circles are tested against every hole of the clip.
bool Overlap(const QRectF& a, const QRectF& b) {
    return a.left() < b.right() && b.left() < a.right() && a.top() < b.bottom() && b.top() < a.bottom();
}
bool Within(const QRectF& inner, const QRectF& outer) {
    return inner.left() >= outer.left() && inner.right() <= outer.right() && inner.top() >= outer.top() &&
           inner.bottom() <= outer.bottom();
}

// Cuts filled shapes to regions. Qt's path intersection takes some 40 microseconds for a small
// circle's ring; cutting the flattened outline to each rectangle of the region takes a fraction
// of that. A closed polygon is cut along each edge of a rectangle it crosses, one after the other
// (Sutherland and Hodgman); where it leaves the rectangle its part runs along the edge instead,
// so every point inside keeps its winding number and either fill rule still holds. The pieces
// meet edge to edge and are filled as one path, so no seams show.
class RegionCutter {
public:
    // Adds to `cut` the part of `shape` inside `region`.
    void Cut(const QPainterPath& shape, const QRegion& region, QPainterPath& cut) {
        const QList<QPolygonF> polygons = shape.toSubpathPolygons();
        for (const QRect& part : region) {
            const QRectF rect(part);
            for (const QPolygonF& polygon : polygons) {
                const QRectF bounds = polygon.boundingRect();
                if (!Overlap(bounds, rect)) continue;
                m_in.assign(polygon.begin(), polygon.end());
                if (bounds.left() < rect.left()) Along<true>(rect.left(), true);
                if (bounds.right() > rect.right()) Along<true>(rect.right(), false);
                if (bounds.top() < rect.top()) Along<false>(rect.top(), true);
                if (bounds.bottom() > rect.bottom()) Along<false>(rect.bottom(), false);
                if (m_in.size() < 3) continue;
                cut.moveTo(m_in.front());
                for (std::size_t i = 1; i < m_in.size(); ++i)
                    cut.lineTo(m_in[i]);
                cut.closeSubpath();
            }
        }
    }

private:
    // Keeps the part of m_in on one side of the line x = at (kVertical) or y = at: the side of
    // the larger values with `keepAbove`.
    template <bool kVertical> void Along(double at, bool keepAbove) {
        const auto along = [](const QPointF& p) { return kVertical ? p.x() : p.y(); };
        const auto inside = [&](const QPointF& p) { return keepAbove ? along(p) >= at : along(p) <= at; };
        m_out.clear();
        for (std::size_t i = 0, n = m_in.size(); i < n; ++i) {
            const QPointF& a = m_in[i == 0 ? n - 1 : i - 1];
            const QPointF& b = m_in[i];
            const bool aInside = inside(a), bInside = inside(b);
            if (aInside != bInside) { // one on each side, so along(a) != along(b)
                const QPointF crossing = a + (b - a) * ((at - along(a)) / (along(b) - along(a)));
                m_out.push_back(kVertical ? QPointF(at, crossing.y()) : QPointF(crossing.x(), at));
            }
            if (bInside) m_out.push_back(b);
        }
        std::swap(m_in, m_out);
    }

    std::vector<QPointF> m_in, m_out; // reused by every polygon
};

// An empty path whose overlapping parts all count as filled, as the pieces of strokes must.
QPainterPath WindingPath() {
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    return path;
}

// Whether the painter's device applies clips. QPaintEngine has no feature that tells, and Qt's
// SVG writer (6.4) drops every clip without a word. So a tiny drawing with a clip is written once
// and the writer counts as clipping when the clip shows in it: one that learns to clip is left
// to do it.
bool DeviceClips(QPainter& painter) {
    const QPaintEngine* engine = painter.paintEngine();
    if (engine == nullptr || engine->type() != QPaintEngine::SVG) return true;
    static const bool svgClips = [] {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        if (!buffer.open(QIODevice::WriteOnly)) return false;
        QSvgGenerator probe;
        probe.setOutputDevice(&buffer);
        probe.setSize(QSize(4, 4));
        QPainter probing;
        if (!probing.begin(&probe)) return false;
        probing.setClipRect(0, 0, 2, 2);
        probing.drawLine(0, 0, 4, 4);
        probing.end();
        return bytes.contains("clip");
    }();
    return svgClips;
}

// Walks a display list and paints it, drawing runs of alike primitives in one call each: a
// polyline for a chain of continuations, one call for a run of lines, and a run of identical
// circles (the place where the results page's many small circles can be stamped).
class ListPainter {
public:
    ListPainter(QPainter& painter, const DisplayList& list, const PageToDevice& mapping,
                const RenderOptions& options)
        : m_painter(painter), m_list(list), m_primitives(list.Primitives()), m_mapping(mapping),
          m_options(options), m_fonts(list.Fonts().size()) {}

    void PaintAll() {
        std::size_t next = 0;
        while (next < m_primitives.size()) {
            const Primitive& p = m_primitives[next];
            if (!Drawable(p)) {
                ++next;
                continue;
            }
            switch (p.op) {
            case Op::Continue:
                next = PaintChain(next);
                break;
            case Op::Line:
                next = PaintLines(next);
                break;
            case Op::Circle:
                next = PaintCircles(next);
                break;
            default:
                PaintSingle(p);
                ++next;
                break;
            }
        }
    }

private:
    // The end of the run of drawable primitives from `first` that `belongs` accepts, each
    // compared with the one before it.
    template <class Belongs> std::size_t RunEnd(std::size_t first, Belongs&& belongs) const {
        std::size_t end = first + 1;
        while (end < m_primitives.size() && Drawable(m_primitives[end]) &&
               belongs(m_primitives[end - 1], m_primitives[end])) {
            ++end;
        }
        return end;
    }

    // Straight lines get square ends, which reach as far as round ones (half the pen width) and
    // close the corners where lines meet, at a third of the cost for the chart's 1800 spokes.
    void UsePen(const Primitive& p, Qt::PenCapStyle cap = Qt::RoundCap) {
        QPen pen(ToQColor(p.colour));
        pen.setWidthF(std::max(1, p.penWidth) * m_options.penPixels);
        pen.setCapStyle(cap);
        pen.setJoinStyle(Qt::RoundJoin);
        m_painter.setPen(pen);
        m_painter.setBrush(Qt::NoBrush);
    }

    std::size_t PaintChain(std::size_t first) {
        const std::size_t end = RunEnd(first, [](const Primitive& before, const Primitive& p) {
            return p.op == Op::Continue && SameStroke(before, p) && p.x1 == before.x2 && p.y1 == before.y2;
        });
        QPolygonF polyline;
        polyline.reserve(static_cast<qsizetype>(end - first + 1));
        polyline << m_mapping.Point(m_primitives[first].x1, m_primitives[first].y1);
        for (std::size_t i = first; i < end; ++i)
            polyline << m_mapping.Point(m_primitives[i].x2, m_primitives[i].y2);
        UsePen(m_primitives[first]);
        const auto outline = [&] {
            QPainterPath path;
            path.addPolygon(polyline);
            return Stroked(path);
        };
        if (DrawnAsUsual(StrokeBox(polyline.boundingRect()), outline)) m_painter.drawPolyline(polyline);
        FillAcross();
        return end;
    }

    std::size_t PaintLines(std::size_t first) {
        const std::size_t end = RunEnd(first, [](const Primitive& before, const Primitive& p) {
            return p.op == Op::Line && SameStroke(before, p);
        });
        m_lines.clear();
        for (std::size_t i = first; i < end; ++i) {
            const Primitive& p = m_primitives[i];
            m_lines.emplace_back(m_mapping.Point(p.x1, p.y1), m_mapping.Point(p.x2, p.y2));
        }
        UsePen(m_primitives[first], Qt::SquareCap);
        if (IsDenseFan(first, end)) {
            // Together the lines cover the polygon of their start and their ends, each end moved
            // out by the square cap's half pen: one filled polygon paints the same pixels far
            // faster (the chart blanks its r = 5 disc with 1800 such lines).
            const double halfPen = m_painter.pen().widthF() / 2;
            QPolygonF fan;
            fan.reserve(static_cast<qsizetype>(end - first + 1));
            fan << m_lines.front().p1();
            for (const QLineF& line : m_lines) {
                const double length = line.length();
                fan << (length > 0 ? line.p2() + (line.p2() - line.p1()) * (halfPen / length) : line.p2());
            }
            const QColor colour = ToQColor(m_primitives[first].colour);
            const auto outline = [&] {
                QPainterPath path;
                path.setFillRule(Qt::WindingFill);
                path.addPolygon(fan);
                path.closeSubpath();
                return path;
            };
            if (DrawnAsUsual(fan.boundingRect(), outline)) {
                m_painter.setPen(Qt::NoPen);
                m_painter.setBrush(colour);
                m_painter.drawPolygon(fan, Qt::WindingFill);
                m_painter.setBrush(Qt::NoBrush);
            }
            FillAcross(colour);
            return end;
        }
        if (m_cut) {
            // Each line on its own: a grid's lines mostly lie wholly on one side of the clip.
            std::erase_if(m_lines, [&](const QLineF& line) {
                return !DrawnAsUsual(StrokeBox(QRectF(line.p1(), line.p2()).normalized()), [&] {
                    QPainterPath path(line.p1());
                    path.lineTo(line.p2());
                    return Stroked(path);
                });
            });
        }
        if (!m_lines.empty()) m_painter.drawLines(m_lines.data(), static_cast<int>(m_lines.size()));
        FillAcross();
        return end;
    }

    // Whether the lines just mapped into m_lines all start at one point and their ends lie so
    // close together that neighbouring lines overlap: then they cover exactly the polygon of the
    // start and the ends, widened by the pen.
    bool IsDenseFan(std::size_t first, std::size_t end) const {
        constexpr std::size_t kShortestFan = 32;
        if (!m_options.fillFans || end - first < kShortestFan) return false;
        const Primitive& start = m_primitives[first];
        const double pen = m_painter.pen().widthF();
        for (std::size_t i = first + 1; i < end; ++i) {
            const Primitive& p = m_primitives[i];
            if (p.x1 != start.x1 || p.y1 != start.y1) return false;
            const QPointF gap = m_lines[i - first].p2() - m_lines[i - first - 1].p2();
            if (std::hypot(gap.x(), gap.y()) > pen) return false;
        }
        return true;
    }

    std::size_t PaintCircles(std::size_t first) {
        const std::size_t end = RunEnd(first, [](const Primitive& before, const Primitive& p) {
            return p.op == Op::Circle && SameStroke(before, p) && p.radius == before.radius;
        });
        const std::span<const Primitive> run(m_primitives.data() + first, end - first);
        UsePen(run.front());
        const double radius = m_mapping.Length(static_cast<double>(run.front().radius));
        if (QImage* image = StampTarget(run.size())) {
            const CircleStamp stamp(radius, m_painter.pen());
            ClearUpperVectorState(); // the stamp was rendered by Qt; what follows is ours
            std::vector<QPointF>& centres = m_scratch.centres;
            centres.clear();
            centres.reserve(run.size());
            for (const Primitive& p : run)
                centres.push_back(m_mapping.Point(p.centreX, p.centreY));
            stamp.StampAll(*image, centres, m_clip, m_scratch.stamp);
            return end;
        }
        for (const Primitive& p : run) {
            const QPointF centre = m_mapping.Point(p.centreX, p.centreY);
            const auto outline = [&] {
                QPainterPath path;
                path.addEllipse(centre, radius, radius);
                return Stroked(path);
            };
            if (DrawnAsUsual(
                    StrokeBox(QRectF(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius)),
                    outline))
                m_painter.drawEllipse(centre, radius, radius);
        }
        FillAcross(); // the run's pieces across the clip's edge as one path
        return end;
    }

    // The image whose pixels a run of this many circles may be stamped into, if any: stamping
    // pays for its set-up from a few dozen circles on, and needs plain pixels without a
    // transformation or a clip of the caller's in the way (the list's own clip it honours).
    QImage* StampTarget(std::size_t circles) const {
        constexpr std::size_t kShortestStampedRun = 64;
        if (!m_options.stampCircles || circles < kShortestStampedRun) return nullptr;
        if (!m_painter.transform().isIdentity()) return nullptr;
        auto* image = dynamic_cast<QImage*>(m_painter.device());
        return image != nullptr && CircleStamp::CanStampOn(*image) ? image : nullptr;
    }

    void PaintSingle(const Primitive& p) {
        switch (p.op) {
        case Op::Arc:
            PaintArc(p);
            break;
        case Op::Point: {
            // One device pixel, the one the point falls in.
            const QPointF at = m_mapping.Point(p.x1, p.y1);
            FillBox(QRectF(std::floor(at.x()), std::floor(at.y()), 1, 1), ToQColor(p.colour));
            break;
        }
        case Op::FilledBox:
            FillBox(QRectF(m_mapping.Point(p.x1, p.y1), m_mapping.Point(p.x2, p.y2)).normalized(),
                    ToQColor(p.colour));
            break;
        case Op::BoxOutline: {
            UsePen(p);
            const QRectF box = QRectF(m_mapping.Point(p.x1, p.y1), m_mapping.Point(p.x2, p.y2)).normalized();
            const auto outline = [&] {
                QPainterPath path;
                path.addRect(box);
                return Stroked(path);
            };
            if (DrawnAsUsual(StrokeBox(box), outline)) m_painter.drawRect(box);
            FillAcross();
            break;
        }
        case Op::Text:
            PaintText(p);
            break;
        case Op::Clip:
            Clip(m_list.ClipOf(p));
            break;
        case Op::Rings:
            PaintRings(p);
            break;
        case Op::Line:
        case Op::Continue:
        case Op::Circle:
            break; // painted in runs
        }
    }

    // The rings as one path filled by the nonzero rule; a ring with a point that cannot be drawn
    // is left out.
    void PaintRings(const Primitive& p) {
        const DisplayList::RingSet& rings = m_list.RingsOf(p);
        QPainterPath path = WindingPath();
        std::size_t start = 0;
        for (const std::uint32_t end : rings.ends) {
            const auto ring = std::span(rings.points).subspan(start, end - start);
            start = end;
            if (ring.size() < 3 ||
                !std::ranges::all_of(ring, [](const PagePoint& q) { return Finite(q.x) && Finite(q.y); }))
                continue;
            path.moveTo(m_mapping.Point(ring[0].x, ring[0].y));
            for (const PagePoint& q : ring.subspan(1))
                path.lineTo(m_mapping.Point(q.x, q.y));
            path.closeSubpath();
        }
        if (path.isEmpty()) return;
        const QColor colour = ToQColor(p.colour);
        if (DrawnAsUsual(path.boundingRect(), [&] { return path; })) m_painter.fillPath(path, colour);
        FillAcross(colour);
    }

    void FillBox(const QRectF& box, const QColor& colour) {
        const auto outline = [&] {
            QPainterPath path;
            path.addRect(box);
            return path;
        };
        if (DrawnAsUsual(box, outline)) m_painter.fillRect(box, colour);
        FillAcross(colour);
    }

    // Counter-clockwise as seen on the page from `start` to `end` (radians), as Qt counts too.
    void PaintArc(const Primitive& p) {
        double span = p.end - p.start;
        if (span < 0) span += 2 * std::numbers::pi;
        const double radius = m_mapping.Length(static_cast<double>(p.radius));
        const QPointF centre = m_mapping.Point(p.centreX, p.centreY);
        const QRectF box(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
        QPainterPath path;
        path.arcMoveTo(box, p.start * kDegreesPerRadian);
        path.arcTo(box, p.start * kDegreesPerRadian, span * kDegreesPerRadian);
        UsePen(p);
        if (DrawnAsUsual(StrokeBox(path.controlPointRect()), [&] { return Stroked(path); }))
            m_painter.drawPath(path);
        FillAcross();
    }

    // Fonts are chosen by family name (fontconfig finds metric-compatible faces for Arial and
    // Times New Roman) and sized from page units to the device's pixels.
    const std::optional<QFont>& FontFor(const Primitive& p) {
        std::optional<QFont>& cached = m_fonts[p.font];
        if (!cached) {
            const Font& font = m_list.FontOf(p);
            const double pixels =
                m_mapping.Length(static_cast<double>(font.size > 0 ? font.size : kDefaultFontSize));
            const double points = pixels * 72.0 / m_painter.device()->logicalDpiY();
            QFont qfont(QString::fromUtf8(font.family.data(), static_cast<qsizetype>(font.family.size())));
            qfont.setBold(font.bold);
            if (points > 0) qfont.setPointSizeF(points);
            cached = qfont;
        }
        return cached;
    }

    // The text's top-left corner at the recorded point: its baseline lies one ascent below.
    void PaintText(const Primitive& p) {
        // A text wholly outside the caller's clip is not laid out at all (its cell from the page's
        // own metrics, widened by a few pixels for what a face draws beyond it).
        if (m_outerClip) {
            PageRect cell{};
            if (ExtentOf(m_list, p, 0, cell) &&
                !QRectF(m_mapping.Point(cell.left, cell.top), m_mapping.Point(cell.right, cell.bottom))
                     .adjusted(-4, -4, 4, 4)
                     .intersects(m_outerClip->boundingRect()))
                return;
        }
        const QFont& font = *FontFor(p);
        if (font.pointSizeF() <= 0) return;
        m_painter.setFont(font);
        m_painter.setPen(ToQColor(p.colour));
        const QPointF at = m_mapping.Point(p.x1, p.y1);
        const QFontMetricsF metrics(font, m_painter.device());
        const QPointF baseline(at.x(), at.y() + metrics.ascent());
        const QString text = QString::fromStdString(m_list.TextOf(p));
        if (m_cut) {
            // The glyphs' ink, and the line's full height and advance in case a face under-reports it.
            const QRectF box = metrics.boundingRect(text)
                                   .united(QRectF(0, -metrics.ascent(), metrics.horizontalAdvance(text),
                                                  metrics.ascent() + metrics.descent()))
                                   .translated(baseline)
                                   .adjusted(-1, -1, 1, 1);
            if (!DrawnAsUsual(box, [&] { return TextOutline(font, baseline, text); })) {
                FillAcross(ToQColor(p.colour));
                return;
            }
        }
        m_painter.drawText(baseline, text);
    }

    // The outline of a text at its baseline, made at a large pixel size and scaled: addText sizes a
    // font for the screen, not for the device the text's point size was worked out for.
    QPainterPath TextOutline(const QFont& font, QPointF baseline, const QString& text) const {
        constexpr int kOutlinePixels = 256;
        QFont large(font);
        large.setPixelSize(kOutlinePixels);
        QPainterPath outline;
        outline.addText(0, 0, large, text);
        const double scale = font.pointSizeF() * m_painter.device()->logicalDpiY() / 72 / kOutlinePixels;
        return QTransform(scale, 0, 0, scale, baseline.x(), baseline.y()).map(outline);
    }

    // Where a shape's pixels lie against the list's clip.
    enum class Side { Inside, Outside, Across };

    // Sorted by its box: each hole is a rectangle and there are few, so this is a handful of
    // comparisons for each of a region's many circles.
    Side SideOf(const QRectF& box) const {
        if (!Overlap(box, m_cut->area)) return Side::Outside;
        bool inside = Within(box, m_cut->area);
        for (const QRectF& hole : m_cut->holes) {
            if (!Overlap(box, hole)) continue;
            if (Within(box, hole)) return Side::Outside;
            inside = false;
        }
        return inside ? Side::Inside : Side::Across;
    }

    // Under a clip the device drops, whether a shape whose pixels lie within `box` is drawn as
    // usual. One wholly outside the clip is left out; of one across its edge, the part of
    // `outline()` within the clip is kept for FillAcross.
    template <class Outline> bool DrawnAsUsual(const QRectF& box, Outline&& outline) {
        if (!m_cut) return true;
        switch (SideOf(box)) {
        case Side::Inside:
            return true;
        case Side::Outside:
            return false;
        case Side::Across:
            break;
        }
        // Qt's SVG reader drops what follows the 32767th element of a path: a long run's pieces
        // are filled in parts. (Pieces of several shapes are kept only in runs of strokes, whose
        // colour is the pen's.)
        constexpr int kMostKeptElements = 16384;
        if (m_across.elementCount() > kMostKeptElements) FillAcross();
        // Only the clip's part around the shape: fewer rectangles to cut along.
        m_cutter.Cut(outline(), m_cut->region.intersected(box.toAlignedRect()), m_across);
        return false;
    }

    // Fills what DrawnAsUsual kept, in the pen's colour or the given one. A run's pieces go in one
    // path: in the SVG every change between stroking and filling opens a group of some 250 bytes.
    void FillAcross(std::optional<QColor> colour = std::nullopt) {
        if (m_across.isEmpty()) return;
        m_painter.fillPath(m_across, colour.value_or(m_painter.pen().color()));
        m_across = WindingPath();
    }

    // A box around a stroke along the given box. The pen reaches half its width beyond it (a
    // square cap's corners root two times that). Smoothing colours only pixels the stroke
    // touches, and the clip's edges lie between pixels, so a quarter pixel more is plenty.
    QRectF StrokeBox(const QRectF& along) const {
        const QPen& pen = m_painter.pen();
        const double reach =
            pen.widthF() / 2 * (pen.capStyle() == Qt::SquareCap ? std::numbers::sqrt2 : 1.0) + 0.25;
        return along.adjusted(-reach, -reach, reach, reach);
    }

    QPainterPath Stroked(const QPainterPath& path) const {
        return QPainterPathStroker(m_painter.pen()).createStroke(path);
    }

    // The device pixels of a clip: the area's pixels without any pixel a hole touches, within
    // the caller's clip when there is one.
    void Clip(const DisplayList::ClipShape* clip) {
        if (clip == nullptr) {
            m_clip = m_outerClip;
            m_cut.reset();
            // Not setClipping(false): a clip set again after that would not take (Qt 6.4).
            if (m_outerClip) {
                m_painter.setClipRegion(*m_outerClip);
            } else {
                m_painter.setClipRegion(QRegion(), Qt::NoClip);
            }
            return;
        }
        const auto device = [this](const PageRect& r) {
            return QRectF(m_mapping.Point(r.left, r.top), m_mapping.Point(r.right, r.bottom)).normalized();
        };
        const QRect area = device(clip->area).toRect();
        QRegion region(area);
        std::vector<QRectF> holes;
        for (const PageRect& hole : clip->holes) {
            const QRect pixels = device(hole).toAlignedRect();
            region -= QRegion(pixels);
            holes.emplace_back(pixels);
        }
        if (m_outerClip) region &= *m_outerClip;
        m_painter.setClipRegion(region);
        if (!m_deviceClips) m_cut = CutClip{QRectF(area), std::move(holes), region};
        m_clip = std::move(region);
    }

    QPainter& m_painter;
    const DisplayList& m_list;
    const std::vector<Primitive>& m_primitives;
    const PageToDevice& m_mapping;
    const RenderOptions& m_options;
    std::vector<std::optional<QFont>> m_fonts; // by the list's font index
    // A clip set by the caller before painting, which every clip of the list keeps within.
    const std::optional<QRegion> m_outerClip =
        m_painter.hasClipping() ? std::optional<QRegion>(m_painter.clipRegion()) : std::nullopt;
    std::optional<QRegion> m_clip = m_outerClip; // the clip in force, in device pixels; may be empty
    std::vector<QLineF> m_lines;                 // reused by every run of lines
    RenderScratch m_ownScratch;                  // where the caller gives none
    RenderScratch& m_scratch = m_options.scratch != nullptr ? *m_options.scratch : m_ownScratch;

    // The list's clip where the device drops clips (the SVG writer): what is drawn is sorted by its
    // rectangles and what crosses its edge is cut to its region by hand.
    struct CutClip {
        QRectF area;
        std::vector<QRectF> holes;
        QRegion region;
    };
    const bool m_deviceClips = DeviceClips(m_painter);
    std::optional<CutClip> m_cut;
    RegionCutter m_cutter;
    QPainterPath m_across = WindingPath(); // the parts across the clip's edge, cut to it, not yet filled
};

} // namespace

PageToDevice::PageToDevice(PageSize page, const QRectF& device)
    : m_page(page), m_scale(0), m_left(0), m_top(0) {
    if (page.width > 0 && page.height > 0) {
        m_scale = std::max(0.0, std::min(device.width() / page.width, device.height() / page.height));
    }
    m_left = device.left() + (device.width() - m_scale * page.width) / 2;
    m_top = device.top() + (device.height() - m_scale * page.height) / 2;
}

QColor ToQColor(Colour colour) { return QColor(RedOf(colour), GreenOf(colour), BlueOf(colour)); }

void RenderDisplayList(QPainter& painter, const DisplayList& list, const PageToDevice& mapping,
                       const RenderOptions& options) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    ListPainter(painter, list, mapping, options).PaintAll();
    painter.restore();
    ClearUpperVectorState();
}

namespace {

// The whole image filled with the page colour, then the list fitted and centred on it.
void PaintPage(QImage& image, const DisplayList& list, PageSize page, Colour background,
               const RenderOptions& options) {
    image.fill(ToQColor(background));
    QPainter painter(&image);
    RenderDisplayList(painter, list, PageToDevice(page, QRectF(QPointF(0, 0), QSizeF(image.size()))),
                      options);
}

} // namespace

QImage RenderPage(const DisplayList& list, PageSize page, QSize pixels, Colour background,
                  const RenderOptions& options) {
    QImage image(pixels, QImage::Format_RGB32);
    if (!image.isNull()) PaintPage(image, list, page, background, options);
    return image;
}

const QImage& PageImageCache::Image(const DisplayList& list, PageSize page, QSize pixels, Colour background,
                                    std::optional<PageRect> changedWithin) {
    const bool sameGround = m_image.size() == pixels && m_list == &list && m_background == background &&
                            m_page.width == page.width && m_page.height == page.height;
    if (sameGround && m_revision == list.Revision()) return m_image;
    RenderOptions options;
    options.scratch = &m_scratch;
    if (sameGround && changedWithin && !m_image.isNull()) {
        // Only the changed rectangle, its edge pixels included, painted afresh over the old image.
        const PageToDevice mapping(page, QRectF(QPointF(0, 0), QSizeF(m_image.size())));
        const QRect changed = QRectF(mapping.Point(changedWithin->left, changedWithin->top),
                                     mapping.Point(changedWithin->right, changedWithin->bottom))
                                  .normalized()
                                  .toAlignedRect()
                                  .intersected(m_image.rect());
        QPainter painter(&m_image);
        painter.setClipRect(changed);
        painter.fillRect(changed, ToQColor(background));
        RenderDisplayList(painter, list, mapping, options);
    } else {
        // A window of the same size is painted over in place: a new image of several megabytes
        // at every view change would cost fresh pages from the system each time.
        if (m_image.size() != pixels) m_image = QImage(pixels, QImage::Format_RGB32);
        if (!m_image.isNull()) PaintPage(m_image, list, page, background, options);
    }
    m_list = &list;
    m_revision = list.Revision();
    m_background = background;
    m_page = page;
    return m_image;
}

} // namespace vorelin
