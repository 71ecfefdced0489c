#include "render/circle_stamp.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <limits>
#include <thread>

namespace vorelin {

namespace {

// A fully covered pixel keeps nothing of what was under it; its logarithm is "very negative".
constexpr float kLogOfNothing = -1e4f;

} // namespace

CircleStamp::CircleStamp(double radius, const QPen& pen) : m_colour(pen.color()) {
    // The ring's pixels reach at most the radius plus half the pen plus a pixel of antialiasing.
    const int reach = static_cast<int>(std::ceil(radius + pen.widthF() / 2)) + 2;
    const int size = 2 * reach + 1;
    QImage ring(size, size, QImage::Format_ARGB32_Premultiplied);
    QPen white(pen);
    white.setColor(Qt::white);
    for (int py = 0; py < kPhases; ++py) {
        for (int px = 0; px < kPhases; ++px) {
            ring.fill(Qt::transparent);
            {
                QPainter painter(&ring);
                painter.setRenderHint(QPainter::Antialiasing, true);
                painter.setPen(white);
                painter.setBrush(Qt::NoBrush);
                const QPointF centre(reach + static_cast<double>(px) / kPhases,
                                     reach + static_cast<double>(py) / kPhases);
                painter.drawEllipse(centre, radius, radius);
            }
            auto& pixels = m_rings[static_cast<std::size_t>(py * kPhases + px)];
            for (int y = 0; y < size; ++y) {
                const auto* line = reinterpret_cast<const QRgb*>(ring.constScanLine(y));
                for (int x = 0; x < size; ++x) {
                    const int alpha = qAlpha(line[x]);
                    if (alpha == 0) continue;
                    const float keep = 1.0f - static_cast<float>(alpha) / 255.0f;
                    pixels.push_back({x - reach, y - reach, keep > 0 ? std::log(keep) : kLogOfNothing});
                    m_reach = std::max({m_reach, std::abs(x - reach), std::abs(y - reach)});
                }
            }
        }
    }
}

bool CircleStamp::CanStampOn(const QImage& image) { return image.format() == QImage::Format_RGB32; }

void CircleStamp::StampAll(QImage& image, std::span<const QPointF> centres,
                           const std::optional<QRegion>& within, Scratch& scratch) const {
    if (within && within->isEmpty()) return;
    const int width = image.width(), height = image.height();
    // A centre in quarter pixels, rounded; its pixel and its phase within the pixel follow from
    // the bits (an arithmetic shift rounds down, negatives included).
    const auto quarters = [](double at) { return static_cast<long>(std::floor(at * kPhases + 0.5)); };
    const double lowest = -kPhases * (m_reach + 1), endX = kPhases * (width + m_reach + 1),
                 endY = kPhases * (height + m_reach + 1);
    const auto shown = [&](const QPointF& centre) {
        const double x = centre.x() * kPhases + 0.5, y = centre.y() * kPhases + 0.5;
        return x >= lowest && x < endX && y >= lowest && y < endY; // false for a NaN too
    };
    // The box every ring that can touch the image lies in.
    double minX = std::numeric_limits<double>::infinity(), maxX = -minX, minY = minX, maxY = -minX;
    for (const QPointF& centre : centres) {
        if (!shown(centre)) continue;
        minX = std::min(minX, centre.x());
        maxX = std::max(maxX, centre.x());
        minY = std::min(minY, centre.y());
        maxY = std::max(maxY, centre.y());
    }
    if (minX > maxX) return;
    const int left = static_cast<int>(quarters(minX) >> 2) - m_reach;
    const int right = static_cast<int>(quarters(maxX) >> 2) + m_reach;
    const int top = static_cast<int>(quarters(minY) >> 2) - m_reach;
    const int bottom = static_cast<int>(quarters(maxY) >> 2) + m_reach;

    // Sum the logarithms of what every ring leaves, over the box: each of two threads the rings
    // of half the centres, into a sum of its own; the two sums are added after.
    const int boxWidth = right - left + 1, boxHeight = bottom - top + 1;
    const auto boxPixels = static_cast<std::size_t>(boxWidth) * static_cast<std::size_t>(boxHeight);
    struct Addend {
        std::ptrdiff_t offset; // from the centre pixel, in the box
        float logKeep;
    };
    std::array<std::vector<Addend>, kPhases * kPhases> addends;
    for (std::size_t phase = 0; phase < m_rings.size(); ++phase) {
        addends[phase].reserve(m_rings[phase].size());
        for (const RingPixel& p : m_rings[phase])
            addends[phase].push_back({std::ptrdiff_t{p.dy} * boxWidth + p.dx, p.logKeep});
    }
    const auto sum = [&](std::vector<float>& leftOver, std::span<const QPointF> part) {
        leftOver.assign(boxPixels, 0.0f);
        for (const QPointF& centre : part) {
            if (!shown(centre)) continue;
            const long qx = quarters(centre.x()), qy = quarters(centre.y());
            const auto phase =
                static_cast<std::size_t>((qy & (kPhases - 1)) * kPhases + (qx & (kPhases - 1)));
            float* at = leftOver.data() + static_cast<std::ptrdiff_t>((qy >> 2) - top) * boxWidth +
                        ((qx >> 2) - left);
            for (const Addend& a : addends[phase])
                at[a.offset] += a.logKeep;
        }
    };
    // A thread pays for itself from a few thousand rings on.
    constexpr std::size_t kShared = 4096;
    std::vector<float>& leftOver = scratch.leftOver[0];
    if (centres.size() < kShared) {
        sum(leftOver, centres);
    } else {
        const std::size_t half = centres.size() / 2;
        std::thread second([&] { sum(scratch.leftOver[1], centres.subspan(half)); });
        sum(leftOver, centres.first(half));
        second.join();
        for (std::size_t i = 0; i < boxPixels; ++i)
            leftOver[i] += scratch.leftOver[1][i];
    }

    // Blend each covered pixel of the image once.
    const float red = static_cast<float>(m_colour.red()), green = static_cast<float>(m_colour.green()),
                blue = static_cast<float>(m_colour.blue());
    const auto toward = [](float colour, int under, float keep) {
        return static_cast<int>(std::lround(colour + (static_cast<float>(under) - colour) * keep));
    };
    const QRect box = QRect(left, top, boxWidth, boxHeight).intersected(image.rect());
    const QRegion blended = within ? within->intersected(box) : QRegion(box);
    for (const QRect& part : blended) {
        for (int y = part.top(); y <= part.bottom(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            const float* sums = leftOver.data() + std::ptrdiff_t{y - top} * boxWidth - left;
            for (int x = part.left(); x <= part.right(); ++x) {
                if (sums[x] == 0) continue;
                const float keep = std::exp(sums[x]);
                const QRgb under = line[x];
                line[x] = qRgb(toward(red, qRed(under), keep), toward(green, qGreen(under), keep),
                               toward(blue, qBlue(under), keep));
            }
        }
    }
}

} // namespace vorelin
