#pragma once

#include "graphics/band_scene.h"

#include <QPointF>

#include <cstddef>
#include <optional>

class QLabel;

namespace vorelin {

class PageWindow;

// The band chart under the mouse: the wheel zooms about the pointer, a drag pans, a click picks
// the row of the mark under it, a double click shows the whole chart again, and a box beside the
// pointer tells about the mark it rests on. The page hands on its mouse events in page units and
// draws the chart again when told; this keeps the chart's view.
class BandChartPointer {
public:
    // `scene` and `drawn` are the page's last drawing of the chart. Makes the box on the page.
    BandChartPointer(PageWindow& page, const BandSceneModel& scene, const BandSceneDrawn& drawn);

    const BandChartView& View() const { return m_view; }
    const QLabel& Box() const { return *m_box; }

    void Press(const QPointF& at);
    // Whether the chart was panned (to be drawn again); without a drag, the box follows.
    bool Move(const QPointF& at, bool leftButtonDown);
    // The row whose mark a click picked.
    std::optional<std::size_t> Release();
    // Whether the view changed (to be drawn again).
    bool DoubleClick(const QPointF& at);
    bool Wheel(const QPointF& at, int angleDelta);
    // The box for the mark near `at`, or none; HideBox when the pointer leaves the chart for a
    // control or the page.
    void ShowBox(const QPointF& at);
    void HideBox();

private:
    PageWindow& m_page;
    const BandSceneModel& m_scene;
    const BandSceneDrawn& m_drawn;
    BandChartView m_view = HomeBandView();
    std::optional<QPointF> m_pressedAt; // while the left button is down on the chart
    QPointF m_draggedTo;
    bool m_dragging = false;
    QLabel* m_box = nullptr;
};

} // namespace vorelin
