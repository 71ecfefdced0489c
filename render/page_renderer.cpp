#include "render/page_renderer.h"

#include "render/circle_stamp.h"
#include "render/vector_state.h"

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QLineF>
#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPolygonF>
#include <QRegion>
#include <QString>

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
    }
    return false;
}

bool SameStroke(const Primitive& a, const Primitive& b) {
    return a.colour == b.colour && a.penWidth == b.penWidth;
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
        m_painter.drawPolyline(polyline);
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
            m_painter.setPen(Qt::NoPen);
            m_painter.setBrush(ToQColor(m_primitives[first].colour));
            m_painter.drawPolygon(fan, Qt::WindingFill);
            m_painter.setBrush(Qt::NoBrush);
            return end;
        }
        m_painter.drawLines(m_lines.data(), static_cast<int>(m_lines.size()));
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
            m_centres.clear();
            m_centres.reserve(run.size());
            for (const Primitive& p : run)
                m_centres.push_back(m_mapping.Point(p.centreX, p.centreY));
            stamp.StampAll(*image, m_centres, m_clip);
            return end;
        }
        for (const Primitive& p : run)
            m_painter.drawEllipse(m_mapping.Point(p.centreX, p.centreY), radius, radius);
        return end;
    }

    // The image whose pixels a run of this many circles may be stamped into, if any: stamping
    // pays for its set-up from a few dozen circles on, and needs plain pixels without a
    // transformation or a clip of the caller's in the way (the list's own clip it honours).
    QImage* StampTarget(std::size_t circles) const {
        constexpr std::size_t kShortestStampedRun = 64;
        if (!m_options.stampCircles || circles < kShortestStampedRun) return nullptr;
        if (m_outerClip || !m_painter.transform().isIdentity()) return nullptr;
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
            m_painter.fillRect(QRectF(std::floor(at.x()), std::floor(at.y()), 1, 1), ToQColor(p.colour));
            break;
        }
        case Op::FilledBox:
            m_painter.fillRect(QRectF(m_mapping.Point(p.x1, p.y1), m_mapping.Point(p.x2, p.y2)).normalized(),
                               ToQColor(p.colour));
            break;
        case Op::BoxOutline:
            UsePen(p);
            m_painter.drawRect(QRectF(m_mapping.Point(p.x1, p.y1), m_mapping.Point(p.x2, p.y2)).normalized());
            break;
        case Op::Text:
            PaintText(p);
            break;
        case Op::Clip:
            Clip(m_list.ClipOf(p));
            break;
        case Op::Line:
        case Op::Continue:
        case Op::Circle:
            break; // painted in runs
        }
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
        m_painter.drawPath(path);
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
            QFont qfont(QString::fromStdString(font.family));
            qfont.setBold(font.bold);
            if (points > 0) qfont.setPointSizeF(points);
            cached = qfont;
        }
        return cached;
    }

    // The text's top-left corner at the recorded point: its baseline lies one ascent below.
    void PaintText(const Primitive& p) {
        const QFont& font = *FontFor(p);
        if (font.pointSizeF() <= 0) return;
        m_painter.setFont(font);
        m_painter.setPen(ToQColor(p.colour));
        const QPointF at = m_mapping.Point(p.x1, p.y1);
        const double ascent = QFontMetricsF(font, m_painter.device()).ascent();
        m_painter.drawText(QPointF(at.x(), at.y() + ascent), QString::fromStdString(m_list.TextOf(p)));
    }

    // The device pixels of a clip: the area's pixels without any pixel a hole touches.
    void Clip(const DisplayList::ClipShape* clip) {
        if (m_outerClip) return; // a caller's clip stays as it is
        if (clip == nullptr) {
            m_clip = QRegion();
            // Not setClipping(false): a clip set again after that would not take (Qt 6.4).
            m_painter.setClipRegion(QRegion(), Qt::NoClip);
            return;
        }
        const auto device = [this](const PageRect& r) {
            return QRectF(m_mapping.Point(r.left, r.top), m_mapping.Point(r.right, r.bottom)).normalized();
        };
        m_clip = QRegion(device(clip->area).toRect());
        for (const PageRect& hole : clip->holes)
            m_clip -= QRegion(device(hole).toAlignedRect());
        m_painter.setClipRegion(m_clip);
    }

    QPainter& m_painter;
    const DisplayList& m_list;
    const std::vector<Primitive>& m_primitives;
    const PageToDevice& m_mapping;
    const RenderOptions& m_options;
    std::vector<std::optional<QFont>> m_fonts;  // by the list's font index
    bool m_outerClip = m_painter.hasClipping(); // a clip set by the caller before painting
    QRegion m_clip;                             // the list's own clip, in device pixels
    std::vector<QLineF> m_lines;                // reused by every run of lines
    std::vector<QPointF> m_centres;             // reused by every run of stamped circles
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

const QImage& PageImageCache::Image(const DisplayList& list, PageSize page, QSize pixels, Colour background) {
    const bool stale = m_image.size() != pixels || m_list != &list || m_revision != list.Revision() ||
                       m_background != background || m_page.width != page.width ||
                       m_page.height != page.height;
    if (stale) {
        // A window of the same size is painted over in place: a new image of several megabytes
        // at every view change would cost fresh pages from the system each time.
        if (m_image.size() != pixels) m_image = QImage(pixels, QImage::Format_RGB32);
        if (!m_image.isNull()) PaintPage(m_image, list, page, background, {});
        m_list = &list;
        m_revision = list.Revision();
        m_background = background;
        m_page = page;
    }
    return m_image;
}

} // namespace vorelin
