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
    // Snap every centre whose ring can touch the image; find the box all those rings lie in.
    std::vector<Scratch::SnappedCentre>& snapped = scratch.snapped;
    snapped.clear();
    snapped.reserve(centres.size());
    int left = std::numeric_limits<int>::max(), top = left, right = std::numeric_limits<int>::min(),
        bottom = right;
    for (const QPointF& centre : centres) {
        const double qx = std::floor(centre.x() * kPhases + 0.5), qy = std::floor(centre.y() * kPhases + 0.5);
        if (!(qx >= -kPhases * m_reach - kPhases && qx < kPhases * (width + m_reach + 1) &&
              qy >= -kPhases * m_reach - kPhases && qy < kPhases * (height + m_reach + 1)))
            continue; // off the image, or not a number
        const int x = static_cast<int>(std::floor(qx / kPhases)),
                  y = static_cast<int>(std::floor(qy / kPhases));
        const int phase = static_cast<int>(qy - y * kPhases) * kPhases + static_cast<int>(qx - x * kPhases);
        snapped.push_back({x, y, phase});
        left = std::min(left, x - m_reach);
        right = std::max(right, x + m_reach);
        top = std::min(top, y - m_reach);
        bottom = std::max(bottom, y + m_reach);
    }
    if (snapped.empty()) return;

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
    const auto sum = [&](std::vector<float>& leftOver, std::size_t from, std::size_t to) {
        leftOver.assign(boxPixels, 0.0f);
        for (std::size_t i = from; i < to; ++i) {
            const Scratch::SnappedCentre& c = snapped[i];
            float* at = leftOver.data() + std::ptrdiff_t{c.y - top} * boxWidth + (c.x - left);
            for (const Addend& a : addends[static_cast<std::size_t>(c.phase)])
                at[a.offset] += a.logKeep;
        }
    };
    // A thread pays for itself from a few thousand rings on.
    constexpr std::size_t kShared = 4096;
    std::vector<float>& leftOver = scratch.leftOver[0];
    if (snapped.size() < kShared) {
        sum(leftOver, 0, snapped.size());
    } else {
        const std::size_t half = snapped.size() / 2;
        std::thread second([&] { sum(scratch.leftOver[1], half, snapped.size()); });
        sum(leftOver, 0, half);
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
