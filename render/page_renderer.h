#pragma once

#include "graphics/display_list.h"
#include "graphics/style.h"
#include "render/circle_stamp.h"

#include <QImage>
#include <QPointF>
#include <QRectF>
#include <QSize>

#include <cstdint>
#include <optional>
#include <vector>

class QColor;
class QPainter;

namespace vorelin {

// Two coordinate systems meet here:
// - page units: the logical page the drawings are made in, x to the right and y downward
//   (kWindowPage for a window page, kPrinterPage for the printed report);
// - device pixels: the pixels of the paint device (a widget's cached image, a PNG, a printer).
// A page is fitted into a device rectangle with one uniform scale and centred in it. Pen widths
// are not scaled: they are device pixels (times an optional factor for high-resolution devices).

// The uniform fit-and-centre mapping from page units to device pixels.
class PageToDevice {
public:
    PageToDevice(PageSize page, const QRectF& device);

    QPointF Point(float x, float y) const {
        return {m_left + m_scale * static_cast<double>(x), m_top + m_scale * static_cast<double>(y)};
    }
    double Length(double pageUnits) const { return m_scale * pageUnits; }
    double Scale() const { return m_scale; }
    // The page's own rectangle on the device.
    QRectF PageRect() const { return {m_left, m_top, m_scale * m_page.width, m_scale * m_page.height}; }

private:
    PageSize m_page;
    double m_scale;
    double m_left;
    double m_top;
};

QColor ToQColor(Colour colour);

// Storage a renderer reuses from one painting to the next (the centres of a region's circles and
// the stamp's sums), so that painting a region again allocates nothing once it has grown.
struct RenderScratch {
    std::vector<QPointF> centres;
    CircleStamp::Scratch stamp;
};

struct RenderOptions {
    // Device pixels per pen-width unit: 1 on screen; a printer may use more so that the relative
    // weights of the pens stay visible at its resolution.
    double penPixels = 1;
    // Long runs of identical circles (a tolerance region) are stamped from a pre-rendered ring
    // when the device is an image; off, every circle is painted on its own.
    bool stampCircles = true;
    // A dense fan of lines from one point (the blanked disc of the chart) is filled as the one
    // polygon it covers; off, every line is stroked.
    bool fillFans = true;
    // Where the painting keeps what it may use again; none: it allocates afresh.
    RenderScratch* scratch = nullptr;
};

// Paints every primitive of the list in order onto the painter's device. Primitives with
// coordinates that are not finite are skipped. The painter's state is restored afterwards.
void RenderDisplayList(QPainter& painter, const DisplayList& list, const PageToDevice& mapping,
                       const RenderOptions& options = {});

// The whole device rectangle filled with the page colour, then the list fitted and centred on it.
QImage RenderPage(const DisplayList& list, PageSize page, QSize pixels, Colour background,
                  const RenderOptions& options = {});

// A page widget's retained picture: renders the list into an image the size of the window and
// keeps it until the list changes or the size does, so that repaints only copy the image. Where
// the caller knows that the list changed only within a rectangle of the page (nothing drawn
// outside it differs from the list the image was rendered from), only that rectangle is painted
// again.
class PageImageCache {
public:
    const QImage& Image(const DisplayList& list, PageSize page, QSize pixels, Colour background,
                        std::optional<PageRect> changedWithin = std::nullopt);

private:
    QImage m_image;
    RenderScratch m_scratch;
    const DisplayList* m_list = nullptr;
    std::uint64_t m_revision = 0;
    Colour m_background = 0;
    PageSize m_page{0, 0};
};

} // namespace vorelin
