#include "pages/band_chart_pointer.h"

#include "graphics/style.h"
#include "graphics/text_metrics.h"
#include "pages/page_controls.h"
#include "pages/page_window.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace vorelin {

namespace {

// How near the pointer must come to a mark to pick it or to tell about it (page units).
constexpr float kPickReach = 250;
constexpr float kBoxReach = 400;
// The wheel enlarges the chart by this much per notch (120 units of angle).
constexpr double kZoomPerNotch = 1.2;

bool InChart(const QPointF& at) {
    return at.x() >= static_cast<double>(kBandChartArea.left) &&
           at.x() <= static_cast<double>(kBandChartArea.right) &&
           at.y() >= static_cast<double>(kBandChartArea.top) &&
           at.y() <= static_cast<double>(kBandChartArea.bottom);
}

PagePoint ToPagePoint(const QPointF& point) {
    return {static_cast<float>(point.x()), static_cast<float>(point.y())};
}

} // namespace

BandChartPointer::BandChartPointer(PageWindow& page, const BandSceneModel& scene, const BandSceneDrawn& drawn)
    : m_page(page), m_scene(scene), m_drawn(drawn),
      m_box(MakeLabel(&page, "hoverLabel", QString(), {kHoverBoxColour})) {
    m_box->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_box->setMargin(2);
    m_box->hide();
    page.installEventFilter(this);
}

void BandChartPointer::WatchControls() {
    for (QWidget* control : m_page.findChildren<QWidget*>()) {
        if (control != m_box) control->installEventFilter(this);
    }
}

bool BandChartPointer::eventFilter(QObject* watched, QEvent* event) {
    const auto changed = [this] {
        if (onViewChanged) onViewChanged();
    };
    if (watched != &m_page) {
        if (event->type() == QEvent::Enter) HideBox();
        return false;
    }
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton) Press(m_page.ToPage(mouse->position()));
        return false;
    }
    case QEvent::MouseMove: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (Move(m_page.ToPage(mouse->position()), mouse->buttons() & Qt::LeftButton)) changed();
        return false;
    }
    case QEvent::MouseButtonRelease: {
        const std::optional<std::size_t> picked = Release();
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && picked && onPicked)
            onPicked(*picked);
        return false;
    }
    case QEvent::MouseButtonDblClick: // not a second press for the page
        if (DoubleClick(m_page.ToPage(static_cast<QMouseEvent*>(event)->position()))) changed();
        return true;
    case QEvent::Wheel: {
        auto* wheel = static_cast<QWheelEvent*>(event);
        const QPointF at = m_page.ToPage(wheel->position());
        if (!Wheel(at, wheel->angleDelta().y())) return true;
        changed();
        ShowBox(at);
        wheel->accept();
        return true;
    }
    case QEvent::Leave:
        HideBox();
        return false;
    default:
        return false;
    }
}

void BandChartPointer::Press(const QPointF& at) {
    if (!InChart(at)) return;
    m_pressedAt = at;
    m_draggedTo = at;
    m_dragging = false;
}

bool BandChartPointer::Move(const QPointF& at, bool leftButtonDown) {
    if (!m_pressedAt || !leftButtonDown) {
        ShowBox(at);
        return false;
    }
    const double pixels =
        m_page.Mapping().Length(std::hypot(at.x() - m_pressedAt->x(), at.y() - m_pressedAt->y()));
    if (pixels >= QApplication::startDragDistance()) m_dragging = true;
    if (!m_dragging) return false;
    PanBandView(m_view, static_cast<float>(at.x() - m_draggedTo.x()),
                static_cast<float>(at.y() - m_draggedTo.y()));
    m_draggedTo = at;
    m_box->hide();
    return true;
}

std::optional<std::size_t> BandChartPointer::Release() {
    std::optional<std::size_t> picked;
    if (m_pressedAt && !m_dragging) {
        if (const auto point = PointNear(m_drawn, ToPagePoint(*m_pressedAt), kPickReach))
            picked = m_scene.points[*point].row;
    }
    m_pressedAt.reset();
    m_dragging = false;
    return picked;
}

bool BandChartPointer::DoubleClick(const QPointF& at) {
    if (!InChart(at)) return false;
    m_view = HomeBandView();
    return true;
}

bool BandChartPointer::Wheel(const QPointF& at, int angleDelta) {
    if (!InChart(at)) return false;
    ZoomBandView(m_view, ToPagePoint(at), std::pow(kZoomPerNotch, angleDelta / 120.0));
    return true;
}

std::optional<MeasuredPointRef> BandChartPointer::MeasuredNear(const QPointF& at) const {
    const bool inSwrPlot = at.x() >= static_cast<double>(kBandSwrArea.left) &&
                           at.x() <= static_cast<double>(kBandSwrArea.right) &&
                           at.y() >= static_cast<double>(kBandSwrArea.top) &&
                           at.y() <= static_cast<double>(kBandSwrArea.bottom);
    if (!InChart(at) && !inSwrPlot) return std::nullopt;
    return MeasuredPointNear(InChart(at) ? m_drawn.measured.chart : m_drawn.measured.swr, ToPagePoint(at),
                             kBoxReach);
}

void BandChartPointer::HideBox() { m_box->hide(); }

void BandChartPointer::ShowBox(const QPointF& at) {
    const auto point = InChart(at) ? PointNear(m_drawn, ToPagePoint(at), kBoxReach) : std::nullopt;
    const auto measured = point ? std::nullopt : MeasuredNear(at);
    if (!point && !measured) return m_box->hide();
    const auto lines =
        point ? PointTexts(m_scene.points[*point])
              : MeasuredPointTexts(m_scene.measured[measured->trace], measured->point, m_scene.impedance);
    const Font& font = kPageFont;
    double width = 0;
    for (const std::string& line : lines)
        width = std::max(width, TextWidth(font, line));
    width += 200;
    const double height = LineSpacing(font) * static_cast<double>(lines.size()) + 120;
    // Beside the pointer, turned back where it would leave the chart.
    double left = at.x() + 150, top = at.y() + 150;
    if (left + width > static_cast<double>(kBandChartArea.right)) left = at.x() - 150 - width;
    if (top + height > static_cast<double>(kBandChartArea.bottom)) top = at.y() - 150 - height;
    m_box->setText(QString::fromStdString(lines[0] + "\n" + lines[1] + "\n" + lines[2]));
    m_page.Place(m_box, {left, top, width, height}, kPageFont);
    m_box->show();
    m_box->raise();
}

} // namespace vorelin
