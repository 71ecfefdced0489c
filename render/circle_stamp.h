#pragma once

#include <QImage>
#include <QPen>
#include <QPointF>
#include <QRegion>

#include <array>
#include <optional>
#include <span>
#include <vector>

namespace vorelin {

// Many circle outlines of one radius, pen and colour (a tolerance region), drawn without asking
// the painter for each circle. The ring is rendered once by QPainter itself at every
// quarter-pixel offset, so a stamped circle looks like a painted one and stays within a quarter
// pixel of its exact place. Blending one colour over and over does not depend on the order of
// the blends: after rings of coverages a1, a2, ... a pixel d becomes c + (d - c)(1 - a1)(1 - a2)...
// So the rings are first summed as logarithms of what they leave of the pixel below, and every
// covered pixel is then blended once.
class CircleStamp {
public:
    CircleStamp(double radius, const QPen& pen);

    // Storage StampAll reuses from one call to the next, so that stamping a region again allocates
    // nothing once it has grown.
    struct Scratch {
        std::array<std::vector<float>, 2> leftOver; // one sum of logarithms per thread
    };

    // Whether an image's pixels can be written directly: opaque 32-bit RGB.
    static bool CanStampOn(const QImage& image);
    // A ring centred at every point (device pixels), clipped to the image and, when given, to
    // `within`: an empty region given stamps nothing, as an empty clip paints nothing. Many rings
    // are summed on two threads.
    void StampAll(QImage& image, std::span<const QPointF> centres, const std::optional<QRegion>& within,
                  Scratch& scratch) const;
    void StampAll(QImage& image, std::span<const QPointF> centres,
                  const std::optional<QRegion>& within = std::nullopt) const {
        Scratch scratch;
        StampAll(image, centres, within, scratch);
    }

private:
    static constexpr int kPhases = 4; // sub-pixel positions per pixel, in x and in y

    struct RingPixel {
        int dx, dy;    // from the pixel the centre falls in
        float logKeep; // log of what the ring leaves of the pixel under it, 1 - coverage
    };
    std::array<std::vector<RingPixel>, kPhases * kPhases> m_rings;
    int m_reach = 0; // no ring pixel lies further than this from its centre pixel
    QColor m_colour;
};

} // namespace vorelin
